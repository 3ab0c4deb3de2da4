// Statistical checks of the physics against independent calculations, each
// within 4 standard deviations of the sampled mean.
#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_files.h"
#include "interactions.h"
#include "tally.h"
#include "transport.h"

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

}  // namespace
}  // namespace lumora
