#pragma once

#include <array>

#include "energy_bins.h"

namespace lumora {

inline constexpr double BIN_WIDTH_KEV = 0.5;  // keV per energy bin

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
