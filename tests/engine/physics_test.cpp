// Statistical checks of the physics against independent calculations, each
// within 4 standard deviations of the sampled mean.
#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_files.h"
#include "interactions.h"
#include "tally.h"
#include "transport.h"
#include "workers.h"

namespace lumora {
namespace {

using test::fixture;
using test::fixture_tables;
using test::image_total;

TEST(Incoherent, KahnSamplingFollowsKleinNishina) {
  ScatteringTable t = load_scattering_table(fixture("Water.xfs"));
  t.xfs_incoh_max = 0;  // no S(x) thinning: the pure Klein-Nishina distribution
  const double E = 60.0;
  const double k = E / 511.0;
  // Mean cos(theta) of the Klein-Nishina cross section, by the midpoint rule.
  double weight = 0, moment = 0;
  const int steps = 200000;
  for (int i = 0; i < steps; ++i) {
    const double mu = -1 + (i + 0.5) * 2.0 / steps;
    const double ratio = 1 / (1 + k * (1 - mu));
    const double w = ratio * ratio * (ratio + 1 / ratio - (1 - mu * mu));
    weight += w;
    moment += w * mu;
  }
  const double expected = moment / weight;

  Generator g = seed_generator();
  const int n = 200000;
  double sum = 0, sum2 = 0;
  for (int i = 0; i < n; ++i) {
    const ScatterResult r = sample_incoherent(g, t, static_cast<float>(E));
    sum += r.cos_theta_s;
    sum2 += 1.0 * r.cos_theta_s * r.cos_theta_s;
  }
  const double mean = sum / n;
  const double sigma = std::sqrt((sum2 / n - mean * mean) / n);
  EXPECT_NEAR(mean, expected, 4 * sigma);
}

// Primary photons of a 60 keV beam: the image total against Beer-Lambert
// transmission through the 20 cm block along each ray, averaged over the
// uniform projected beam angles, with the attenuation of the same table.
TEST(PhysicsCheck, PrimaryTransmissionFollowsBeerLambert) {
  const PhysicsTables tables = fixture_tables();
  const float energy = 60.0f;
  const double mu = static_cast<double>(lookup_coefficients(tables.material, energy).mu_total) *
                    tables.material.mix_density;
  const double h = tables.geometry.field_half_angle;
  const int steps = 400;
  double mean = 0;
  for (int i = 0; i < steps; ++i) {
    for (int j = 0; j < steps; ++j) {
      const double xs = 80 * std::tan(h * (2 * (i + 0.5) / steps - 1));
      const double ys = 80 * std::tan(h * (2 * (j + 0.5) / steps - 1));
      const double path = 20 * std::sqrt(80 * 80 + xs * xs + ys * ys) / 80;
      mean += std::exp(-mu * path);
    }
  }
  const double p = mean / (steps * steps);

  const int n = 300000;
  ImageTally tally;
  Generator gen = seed_generator();
  const BinStart start = bin_start(tables.material, energy);
  for (int i = 0; i < n; ++i) run_history(gen, tables, tally, start);
  const double primaries = image_total(tally, 1) / energy;
  const double sigma = std::sqrt(n * p * (1 - p));
  EXPECT_NEAR(primaries, n * p, 4 * sigma) << "expected transmission " << p;
}

// A total over photons, estimated from independent batches: the sum of the
// batch totals and its variance from their spread.
struct Estimate {
  double total = 0;
  double variance = 0;
};

Estimate estimate(const std::vector<double>& batches) {
  const double n = static_cast<double>(batches.size());
  double sum = 0;
  for (double b : batches) sum += b;
  const double mean = sum / n;
  double spread = 0;
  for (double b : batches) spread += (b - mean) * (b - mean);
  return {sum, n * spread / (n - 1)};
}

// Primary and scattered image totals of the multi-core mode agree with those
// of the single stream within 4 standard deviations of their difference.
TEST(MultiCore, ImageTotalsAgreeWithTheSingleStream) {
  const PhysicsTables tables = fixture_tables();
  const BinStart start = bin_start(tables.material, 60.0f);
  constexpr int kBatches = 20;
  constexpr int kPerBatch = 10000;
  std::vector<double> single[3];
  Generator gen = seed_generator();
  for (int b = 0; b < kBatches; ++b) {
    ImageTally tally;
    for (int n = 0; n < kPerBatch; ++n) run_history(gen, tables, tally, start);
    for (int kind : {1, 2}) single[kind].push_back(image_total(tally, kind));
  }
  for (int count : {2, 3}) {
    Workers workers = make_workers(count);
    std::vector<double> multi[3];
    for (int b = 0; b < kBatches; ++b) {
      for (ImageTally& t : workers.tallies) clear_tally(t);
      run_on_workers(workers, tables, {{120, start, kPerBatch}}, {});
      ImageTally tally;
      merge_tallies(workers, tally);
      for (int kind : {1, 2}) multi[kind].push_back(image_total(tally, kind));
    }
    for (int kind : {1, 2}) {
      const Estimate s = estimate(single[kind]);
      const Estimate m = estimate(multi[kind]);
      EXPECT_GT(s.variance, 0.0);
      EXPECT_NEAR(m.total, s.total, 4 * std::sqrt(s.variance + m.variance))
          << count << " workers, image " << kind;
    }
  }
}

}  // namespace
}  // namespace lumora
