// The shipped water tables Water.mix and Water.xfs: read by the engine's own
// readers and checked against the conditions the engine relies on and against
// xraylib, the source of their numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "interactions.h"
#include "tables.h"
#include "xraylib_reference.h"

namespace lumora {
namespace {

const std::filesystem::path kDataDir = LUMORA_DATA_DIR;

// Momentum transfer reachable at the 2 keV cut-off energy, E / 12.4, 1/Angstrom.
constexpr float kSmallestCoherentLimit = 0.1613f;

TEST(WaterMaterialTable, LayoutParsesAndMeetsTheLookupConditions) {
  const auto table = load_material_table(kDataDir / "Water.mix");
  EXPECT_EQ(table.mix_density, 1.0f);
  ASSERT_GE(table.mix_count, 2);
  ASSERT_LE(table.mix_count, MIX_CAPACITY);
  // From 1 keV to at least 200 keV, so a row from row 2 on lies above every
  // photon energy (at most 150 keV) that reaches the lookup.
  EXPECT_EQ(table.mix_energy[1], 1.0f);
  EXPECT_GE(table.mix_energy[table.mix_count], 200.0f);
  for (int i = 2; i <= table.mix_count; ++i) {
    EXPECT_GT(table.mix_energy[i], table.mix_energy[i - 1]) << "row " << i;
  }
  for (int i = 1; i <= table.mix_count; ++i) {
    for (int j = 1; j <= 3; ++j) EXPECT_GT(table.mix_coef[j][i], 0.0f) << "row " << i;
  }
}

// At every 0.05 keV from 2 to 150 keV (every 0.5 keV bin among them) the
// engine's log-log interpolation reproduces xraylib within 0.5 %.
TEST(WaterMaterialTable, LookupReproducesXraylibWithinHalfAPercent) {
  const auto table = load_material_table(kDataDir / "Water.mix");
  const char* names[] = {"coherent", "incoherent", "photoelectric"};
  double worst[3] = {0, 0, 0};
  float worst_energy[3] = {0, 0, 0};
  for (int k = 40; k <= 3000; ++k) {
    const float energy = static_cast<float>(k / 20.0);
    const auto got = lookup_coefficients(table, energy);
    const auto want = reference::WaterCoefficients(energy);
    const double values[] = {got.mu_coherent, got.mu_incoherent, got.mu_photo};
    for (int j = 0; j < 3; ++j) {
      const double error = std::abs(values[j] / want[j] - 1.0);
      if (error > worst[j]) worst[j] = error, worst_energy[j] = energy;
    }
  }
  for (int j = 0; j < 3; ++j) {
    std::printf("worst %s interpolation error %.3f %% at %.2f keV\n", names[j], 100 * worst[j],
                worst_energy[j]);
    EXPECT_LE(worst[j], 0.005) << names[j] << " at " << worst_energy[j] << " keV";
  }
}

TEST(WaterMaterialTable, TotalAgreesWithPublishedSpotValuesWithinTwoPercent) {
  const auto table = load_material_table(kDataDir / "Water.mix");
  const struct {
    float energy;      // keV
    double reference;  // total mass attenuation coefficient with coherent, cm2/g
  } spots[] = {{20, 0.8096}, {40, 0.2683},  {60, 0.2059},
               {80, 0.1837}, {100, 0.1707}, {150, 0.1505}};
  for (const auto& s : spots) {
    const double total = lookup_coefficients(table, s.energy).mu_total;
    EXPECT_NEAR(total / s.reference, 1.0, 0.02) << s.energy << " keV";
  }
}

TEST(WaterScatteringTable, LayoutParsesAndMeetsTheSamplingConditions) {
  const auto table = load_scattering_table(kDataDir / "Water.xfs");
  EXPECT_EQ(table.xfs_x[1], 0.0f);
  EXPECT_EQ(table.xfs_incoh[1], 0.0f);
  EXPECT_LT(table.xfs_x[2], kSmallestCoherentLimit);
  EXPECT_EQ(table.xfs_incoh_max, table.xfs_incoh[45]);
  EXPECT_GE(table.xfs_x[45], table.xfs_incoh_max);
  EXPECT_EQ(table.xfs_cum[1], 0.0f);
  EXPECT_EQ(table.xfs_cum[2], 0.0f);
  EXPECT_EQ(table.xfs_cum_last, 1.0f);
  for (int i = 2; i <= 45; ++i) {
    EXPECT_GT(table.xfs_x[i], table.xfs_x[i - 1]) << "row " << i;
    EXPECT_GE(table.xfs_cum[i], table.xfs_cum[i - 1]) << "row " << i;
  }
}

TEST(WaterScatteringTable, ColumnsAreTheMolecularFunctionsOfXraylib) {
  const auto table = load_scattering_table(kDataDir / "Water.xfs");
  for (int i = 1; i <= 45; ++i) {
    const double x = table.xfs_x[i];
    EXPECT_NEAR(table.xfs_form[i], reference::WaterFormFactor(x), 1e-5 * table.xfs_form[i])
        << "row " << i;
    EXPECT_NEAR(table.xfs_incoh[i], reference::WaterIncoherentFunction(x),
                1e-5 * table.xfs_incoh[i])
        << "row " << i;
  }
}

// The integral of F(x)^2 x from 0 to each grid point, by Simpson's rule on
// 2000 panels per grid interval.
std::array<double, 46> IntegralAtGridPoints(const ScatteringTable& table) {
  std::array<double, 46> integral{};
  auto weight = [](double x) {
    const double f = reference::WaterFormFactor(x);
    return f * f * x;
  };
  for (int i = 2; i <= 45; ++i) {
    const double a = table.xfs_x[i - 1], b = table.xfs_x[i];
    const int n = 2000;
    const double h = (b - a) / n;
    double sum = weight(a) + weight(b);
    for (int k = 1; k < n; ++k) sum += (k % 2 ? 4 : 2) * weight(a + k * h);
    integral[i] = integral[i - 1] + sum * h / 3;
  }
  return integral;
}

// The engine's cumulative table (upper-end weights, first interval
// weightless) against the exact distribution of x, normalised at the last
// grid point: once counted from x = 0 and once from the second grid point,
// where the engine's table starts.
TEST(WaterScatteringTable, CumulativeTableFollowsTheIntegralOfFSquaredXWithin004) {
  const auto table = load_scattering_table(kDataDir / "Water.xfs");
  const auto integral = IntegralAtGridPoints(table);
  const struct {
    const char* name;
    double origin;
  } normalisations[] = {{"from x = 0", integral[1]}, {"from xfs_x(2)", integral[2]}};
  for (const auto& n : normalisations) {
    double worst = 0;
    int worst_row = 0;
    for (int i = 1; i <= 45; ++i) {
      const double exact = std::max(0.0, (integral[i] - n.origin) / (integral[45] - n.origin));
      const double error = std::abs(table.xfs_cum[i] - exact);
      if (error > worst) worst = error, worst_row = i;
    }
    std::printf("worst cumulative-table error %s: %.4f at row %d\n", n.name, worst, worst_row);
    EXPECT_LE(worst, 0.04) << n.name << ", row " << worst_row;
  }
}

}  // namespace
}  // namespace lumora
