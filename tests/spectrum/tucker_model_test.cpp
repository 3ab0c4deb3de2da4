#include "tucker_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "fixture_table.h"

namespace lumora {
namespace {

TubeSettings Settings(double kv, double angle, double inherent, double al = 0, double cu = 0) {
  return {kv, angle, inherent, al, cu};
}

SpectrumTables Compute(const TubeSettings& settings, const AttenuationTable& mu) {
  SpectrumTables tables;
  EXPECT_EQ(ComputeTuckerSpectrum(settings, mu, tables), SpectrumRefusal::None);
  return tables;
}

// The bremsstrahlung sum of one bin written out term by term, independently of the model's
// code, to check its constants and loop bounds. `terms` counts the electron-energy steps.
double ReferenceBremsstrahlung(int i, double t0, double cot, double mu_w, int& terms) {
  const double c = 141766 + 12157 * t0 - 111.046 * t0 * t0 + 0.552536 * t0 * t0 * t0 -
                   0.000970158 * t0 * t0 * t0 * t0;
  const double a = 0.03658 + 2.9e-05 * t0;
  const double e = 0.5 * i;
  double sum = 0;
  terms = 0;
  for (int k = 0; e + 0.5 * k <= t0; ++k, ++terms) {
    const double t = e + 0.5 * k;
    const double x = e / t;
    const double p = 1 - 5.049 * x + 10.847 * x * x - 10.516 * x * x * x + 3.842 * x * x * x * x;
    const double s = 1036.1 * std::exp(-0.04695 * t) + 202.41;
    const double depth = (t0 * t0 - t * t) / (19.3 * c) * cot;
    sum += (1 + 511 / t) * a * p / s * std::exp(-mu_w * depth);
  }
  return sum;
}

double ReferenceBremsstrahlung(int i, double t0, double cot, double mu_w) {
  int terms = 0;
  return ReferenceBremsstrahlung(i, t0, cot, mu_w, terms);
}

const std::set<int> K_LINE_BINS = {116, 119, 134, 138};

TEST(TuckerModel, ResultIsNormalisedAndZeroOutsideTheComputedBins) {
  const AttenuationTable mu = test::FixtureTable();
  const TubeSettings cases[] = {
      Settings(30, 12, 1),       Settings(60, 12, 2.5),       Settings(100, 12, 2.5),
      Settings(100.3, 20, 3, 1), Settings(150, 7, 1, 0, 0.3), Settings(70.5, 45, 1.5),
  };
  for (const TubeSettings& s : cases) {
    SCOPED_TRACE(testing::Message()
                 << s.tube_voltage_kv << " kV, " << s.target_angle_deg << " deg");
    const SpectrumTables t = Compute(s, mu);
    const int n = static_cast<int>(std::floor(2 * s.tube_voltage_kv));
    EXPECT_EQ(t.Spectrum[1], 0);
    for (int i = n + 1; i <= SPECTRUM_BINS; ++i) EXPECT_EQ(t.Spectrum[i], 0) << "bin " << i;
    EXPECT_EQ(*std::max_element(t.Spectrum.begin() + 1, t.Spectrum.end()), 1.0);
    for (int i = 1; i <= SPECTRUM_BINS; ++i) {
      EXPECT_TRUE(t.Spectrum[i] >= 0 && t.Spectrum[i] <= 1) << "bin " << i;
    }
  }
}

// 100.3 kV computes bins 2 to 200; each bin's sum stops at the largest E + 0.5k <= 100.3, and
// the working table keeps older values above bin 200.
TEST(TuckerModel, FractionalVoltageSetsTheLastBinAndTheIntegralBound) {
  const AttenuationTable mu = test::FixtureTable();
  SpectrumTables t;
  t.UnfilteredSpectrum.fill(7);
  t.Spectrum.fill(7);
  ASSERT_EQ(ComputeTuckerSpectrum(Settings(100.3, 12, 2.5), mu, t), SpectrumRefusal::None);

  EXPECT_GT(t.Spectrum[200], 0);
  for (int i = 201; i <= SPECTRUM_BINS; ++i) {
    EXPECT_EQ(t.Spectrum[i], 0);
    EXPECT_EQ(t.UnfilteredSpectrum[i], 7);
  }
  const double cot = TargetCotangent(12);
  for (auto [bin, expected_terms] : {std::pair{200, 1}, {199, 2}, {2, 199}}) {
    int terms = 0;
    const double expected = ReferenceBremsstrahlung(bin, 100.3, cot, mu.MuTungsten[bin], terms);
    EXPECT_EQ(terms, expected_terms);
    EXPECT_NEAR(t.UnfilteredSpectrum[bin], expected, 1e-12 * expected) << "bin " << bin;
  }
}

// K lines are added only above 70 kV, as R percent of the bremsstrahlung sum, shared
// 0.5048 / 0.2908 / 0.162 / 0.0424 among bins 119 / 116 / 134 / 138.
TEST(TuckerModel, KLinesAreAFixedShareOfTheBremsstrahlungAboveSeventyKilovolts) {
  const AttenuationTable mu = test::FixtureTable();
  // R = (sqrt(k1 T0 - k2) - k3) / k4, evaluated beforehand: 0.104482 at 70.5 kV, 2.80 at 100 kV.
  const struct {
    double kv;
    double share;  // all four lines together, of the bremsstrahlung sum
  } cases[] = {{70, 0}, {70.5, 0.01 * 0.10448203394224552}, {100, 0.01 * 2.7999997439472697}};
  const std::pair<int, double> weights[] = {
      {119, 0.5048}, {116, 0.2908}, {134, 0.162}, {138, 0.0424}};

  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.kv << " kV");
    const SpectrumTables t = Compute(Settings(c.kv, 12, 2.5), mu);
    const double cot = TargetCotangent(12);
    const int n = static_cast<int>(std::floor(2 * c.kv));
    double bremsstrahlung_sum = 0;
    for (int i = 2; i <= n; ++i) {
      const double brems = ReferenceBremsstrahlung(i, c.kv, cot, mu.MuTungsten[i]);
      bremsstrahlung_sum += brems;
      if (!K_LINE_BINS.count(i)) {
        EXPECT_NEAR(t.UnfilteredSpectrum[i], brems, 1e-12 * brems) << i;
      }
    }
    for (auto [bin, weight] : weights) {
      const double added =
          t.UnfilteredSpectrum[bin] - ReferenceBremsstrahlung(bin, c.kv, cot, mu.MuTungsten[bin]);
      EXPECT_NEAR(added / bremsstrahlung_sum, weight * c.share, 1e-12) << "bin " << bin;
    }
  }
}

TEST(TuckerModel, TargetAngleEntersThroughTheFiveDecimalPiCotangent) {
  EXPECT_NEAR(TargetCotangent(12), 4.704634, 5e-7);
  EXPECT_NEAR(TargetCotangent(45), 1.0000013, 5e-8);
  EXPECT_GT(TargetCotangent(45) - 1, 1e-6);  // not the full-precision pi

  // A steeper target shortens the photons' path out of it: less self-absorption in every bin.
  const AttenuationTable mu = test::FixtureTable();
  const SpectrumTables flat = Compute(Settings(100, 12, 2.5), mu);
  const SpectrumTables steep = Compute(Settings(100, 20, 2.5), mu);
  for (int i = 2; i <= 200; ++i) {
    EXPECT_GE(steep.UnfilteredSpectrum[i], flat.UnfilteredSpectrum[i]) << "bin " << i;
    if (i >= 20 && i < 200) {
      EXPECT_GT(steep.UnfilteredSpectrum[i], flat.UnfilteredSpectrum[i]) << i;
    }
  }
}

TEST(TuckerModel, InherentAndAddedAluminiumActAsOneLayer) {
  const AttenuationTable mu = test::FixtureTable();
  const SpectrumTables three = Compute(Settings(100, 12, 3), mu);
  const SpectrumTables one_plus_two = Compute(Settings(100, 12, 1, 2), mu);
  EXPECT_EQ(three.Spectrum, one_plus_two.Spectrum);
  EXPECT_NE(three.Spectrum, Compute(Settings(100, 12, 1), mu).Spectrum);
}

TEST(TuckerModel, RepeatingAComputationGivesTheSameResultWhateverCameBetween) {
  const AttenuationTable mu = test::FixtureTable();
  SpectrumTables t;
  ASSERT_EQ(ComputeTuckerSpectrum(Settings(100, 12, 2.5), mu, t), SpectrumRefusal::None);
  const SpectrumTables first = t;
  ASSERT_EQ(ComputeTuckerSpectrum(Settings(150, 30, 1, 1, 0.5), mu, t), SpectrumRefusal::None);
  ASSERT_NE(t.Spectrum, first.Spectrum);
  ASSERT_EQ(ComputeTuckerSpectrum(Settings(100, 12, 2.5), mu, t), SpectrumRefusal::None);
  EXPECT_EQ(t.Spectrum, first.Spectrum);
  EXPECT_TRUE(std::equal(t.UnfilteredSpectrum.begin() + 2, t.UnfilteredSpectrum.begin() + 201,
                         first.UnfilteredSpectrum.begin() + 2));
}

// Normalised values at or below 1e-100 become 0; larger tiny values stay.
TEST(TuckerModel, ValuesAtOrBelowTheFloorBecomeZero) {
  AttenuationTable mu = test::FixtureTable();
  const double path_cm = 0.25;                          // 2.5 mm inherent filtration
  mu.MuAluminium[80] = 150 * std::log(10.0) / path_cm;  // attenuation 1e-150
  mu.MuAluminium[81] = 60 * std::log(10.0) / path_cm;   // attenuation 1e-60
  const SpectrumTables t = Compute(Settings(100, 12, 2.5), mu);
  EXPECT_EQ(t.Spectrum[80], 0);
  EXPECT_GT(t.Spectrum[81], 0);
  EXPECT_LT(t.Spectrum[81], 1e-50);
}

TEST(TuckerModel, GuardsRefuseAndLeaveTheTablesAsTheyWere) {
  const double inf = std::numeric_limits<double>::infinity();
  const AttenuationTable fixture = test::FixtureTable();
  AttenuationTable amplifying = test::FixtureTable();
  amplifying.MuAluminium[150] = -1e5;  // exp(+2.5e4) overflows

  const struct {
    const char* name;
    TubeSettings settings;
    const AttenuationTable& mu;
    SpectrumRefusal expected;
  } cases[] = {
      {"negative aluminium", Settings(100, 12, 2.5, -0.1), fixture,
       SpectrumRefusal::NegativeFilter},
      {"negative copper", Settings(100, 12, 2.5, 0, -1), fixture, SpectrumRefusal::NegativeFilter},
      {"target angle 90", Settings(100, 90, 2.5), fixture, SpectrumRefusal::TargetAngleTooLarge},
      {"target angle 135", Settings(100, 135, 2.5), fixture, SpectrumRefusal::TargetAngleTooLarge},
      {"opaque copper", Settings(100, 12, 2.5, 0, 1e5), fixture,
       SpectrumRefusal::NothingTransmitted},
      {"voltage not a number", Settings(std::nan(""), 12, 2.5), fixture,
       SpectrumRefusal::NotFinite},
      {"infinite filter", Settings(100, 12, 2.5, inf), fixture, SpectrumRefusal::NotFinite},
      {"overflowing attenuation", Settings(100, 12, 2.5), amplifying, SpectrumRefusal::NotFinite},
      {"voltage 29.9", Settings(29.9, 12, 2.5), fixture, SpectrumRefusal::InputOutOfRange},
      {"voltage 150.1", Settings(150.1, 12, 2.5), fixture, SpectrumRefusal::InputOutOfRange},
      {"target angle 0.5", Settings(100, 0.5, 2.5), fixture, SpectrumRefusal::InputOutOfRange},
      {"inherent 0.5", Settings(100, 12, 0.5), fixture, SpectrumRefusal::InputOutOfRange},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SpectrumTables t;
    t.UnfilteredSpectrum.fill(0.25);
    t.Spectrum.fill(0.5);
    const SpectrumTables before = t;
    EXPECT_EQ(ComputeTuckerSpectrum(c.settings, c.mu, t), c.expected);
    EXPECT_EQ(t.UnfilteredSpectrum, before.UnfilteredSpectrum);
    EXPECT_EQ(t.Spectrum, before.Spectrum);
    EXPECT_FALSE(DescribeRefusal(c.expected).empty());
  }
  // The edges of the accepted ranges compute.
  for (const TubeSettings& s : {Settings(30, 1, 1), Settings(150, 89.9, 1, 0, 0)}) {
    EXPECT_EQ(CheckTubeSettings(s), SpectrumRefusal::None);
    Compute(s, fixture);
  }
}

}  // namespace
}  // namespace lumora
