// The shipped attenuation file Mus2018.dat: read by LoadAttenuationTable,
// every field checked against xraylib, spot values against published mass
// attenuation coefficients.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "attenuation_table.h"
#include "xraylib_reference.h"

namespace lumora {
namespace {

const std::filesystem::path kFile = std::filesystem::path(LUMORA_DATA_DIR) / "Mus2018.dat";

constexpr double kTungstenDensity = 19.3;  // g/cm3
constexpr double kAluminiumDensity = 2.699;
constexpr double kCopperDensity = 8.96;
constexpr const char* kDryAir = "Air, Dry (near sea level)";

double Total(int z, double energy) {
  return reference::Call(CS_Total, z, energy);
}

double Compound(double (*function)(const char*, double, xrl_error**), const char* compound,
                double energy) {
  return reference::Call(function, compound, energy);
}

// Mass energy-absorption coefficient as the file holds it: xraylib's table
// starts at 1 keV, below it the photoelectric coefficient stands in.
double EnergyAbsorption(const char* compound, double energy) {
  return Compound(energy < 1.0 ? CS_Photo_CP : CS_Energy_CP, compound, energy);
}

std::vector<std::vector<double>> ReadRecords() {
  std::ifstream in(kFile, std::ios::binary);
  std::vector<std::vector<double>> records;
  for (std::string line; std::getline(in, line);) {
    std::vector<double> fields;
    std::istringstream fields_in(line);
    for (std::string field; std::getline(fields_in, field, ',');)
      fields.push_back(std::stod(field));
    records.push_back(fields);
  }
  return records;
}

TEST(AttenuationFile, CalculatorReadsEveryBinAsPositiveCoefficients) {
  AttenuationTable table;
  ASSERT_EQ(LoadAttenuationTable(kFile, table), "");
  for (int m = 1; m <= SPECTRUM_BINS; ++m) {
    EXPECT_GT(table.MuTungsten[m], 0.0) << m;
    EXPECT_GT(table.MuAluminium[m], 0.0) << m;
    EXPECT_GT(table.MuCopper[m], 0.0) << m;
  }
}

TEST(AttenuationFile, EveryFieldIsItsDocumentedXraylibValue) {
  const auto records = ReadRecords();
  ASSERT_EQ(records.size(), static_cast<size_t>(SPECTRUM_BINS));
  for (int m = 1; m <= SPECTRUM_BINS; ++m) {
    const auto& r = records[m - 1];
    ASSERT_EQ(r.size(), 7u) << "record " << m;
    const double energy = m * BIN_WIDTH_KEV;
    EXPECT_EQ(r[0], energy);
    const double expected[] = {
        Total(74, energy) * kTungstenDensity, Total(13, energy) * kAluminiumDensity,
        Total(29, energy) * kCopperDensity,   EnergyAbsorption(kDryAir, energy),
        Compound(CS_Total_CP, "H2O", energy), EnergyAbsorption("H2O", energy)};
    for (int f = 0; f < 6; ++f) {
      EXPECT_NEAR(r[f + 1] / expected[f], 1.0, 1e-5) << "record " << m << " field " << f + 2;
    }
  }
}

struct SpotValue {
  const char* metal;
  double energy;     // keV
  double reference;  // total mass attenuation coefficient with coherent, cm2/g
};

TEST(AttenuationFile, MetalsAgreeWithPublishedSpotValuesWithinTwoPercent) {
  AttenuationTable table;
  ASSERT_EQ(LoadAttenuationTable(kFile, table), "");
  const SpotValue spots[] = {
      {"Al", 20, 3.441}, {"Al", 60, 0.2778},  {"Al", 100, 0.1704}, {"Cu", 20, 33.79},
      {"Cu", 60, 1.593}, {"Cu", 100, 0.4584}, {"W", 60, 3.713},    {"W", 100, 4.438},
  };
  for (const SpotValue& s : spots) {
    const int m = static_cast<int>(s.energy / BIN_WIDTH_KEV);
    const std::string metal = s.metal;
    const double mass = metal == "Al"   ? table.MuAluminium[m] / kAluminiumDensity
                        : metal == "Cu" ? table.MuCopper[m] / kCopperDensity
                                        : table.MuTungsten[m] / kTungstenDensity;
    EXPECT_NEAR(mass / s.reference, 1.0, 0.02) << metal << " at " << s.energy << " keV";
  }
}

}  // namespace
}  // namespace lumora
