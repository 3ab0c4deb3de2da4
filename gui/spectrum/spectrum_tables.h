#pragma once

#include <array>

namespace lumora {

// Energy bins of the spectrum: bin i stands for the photon energy i x 0.5 keV.
inline constexpr int SPECTRUM_BINS = 300;
inline constexpr double BIN_WIDTH_KEV = 0.5;

// One value per bin, indexed by the bin number 1..300; index 0 is never used.
using BinTable = std::array<double, SPECTRUM_BINS + 1>;

// Linear attenuation coefficients (1/cm) of the target and filter metals.
struct AttenuationTable {
  BinTable MuTungsten{};
  BinTable MuAluminium{};
  BinTable MuCopper{};
};

// The spectrum model's two working tables.
struct SpectrumTables {
  BinTable UnfilteredSpectrum{};  // energy per bin leaving the target
  BinTable Spectrum{};            // photon fluence behind the filters, maximum 1
};

}  // namespace lumora
