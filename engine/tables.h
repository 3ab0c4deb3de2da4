#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "energy_bins.h"
#include "run_time_error.h"

namespace lumora {

// Input tables of the engine, read once at start-up and never changed.
// Every table is indexed from 1, as the files number their rows; index 0 is unused.

constexpr int MIX_CAPACITY = 80;  // rows the material table can hold
constexpr int XFS_ROWS = 45;      // rows of Water.xfs

// Water.mix: mass interaction coefficients of the phantom material.
struct MaterialTable {
  float mix_density = 0;  // g/cm^3
  std::int32_t mix_count = 0;
  std::array<float, MIX_CAPACITY + 1> mix_energy{};  // keV (the file holds MeV)
  // mix_coef[j][i], cm^2/g: j = 1 coherent, 2 incoherent, 3 photoelectric.
  std::array<std::array<float, MIX_CAPACITY + 1>, 4> mix_coef{};
  // Natural logarithms of the energies and coefficients for the log-log
  // interpolation, derived once at load: each is ln of the float value in
  // double, rounded to float, exactly the value an interpolation would compute.
  std::array<float, MIX_CAPACITY + 1> ln_energy{};
  std::array<std::array<float, MIX_CAPACITY + 1>, 4> ln_coef{};
};

// Water.xfs: momentum transfer x = sin(theta/2)/lambda (1/Angstrom), coherent
// form factor F(x), incoherent scattering function S(x), and the normalised
// cumulative distribution of x weighted by F(x)^2 for coherent sampling.
struct ScatteringTable {
  std::array<float, XFS_ROWS + 1> xfs_x{};
  std::array<float, XFS_ROWS + 1> xfs_form{};
  std::array<float, XFS_ROWS + 1> xfs_incoh{};
  std::array<float, XFS_ROWS + 1> xfs_cum{};
  float xfs_incoh_max = 0;  // S of the last row
  float xfs_cum_last = 0;   // last row of xfs_cum, 1 for a usable table
};

// P_Spectrum.dat: relative photon fluence per energy bin, normalised to sum 1.
struct SpectrumInput {
  std::array<float, SPECTRUM_BINS + 1> spectrum{};
  std::int32_t last_bin = 0;  // highest bin with a non-zero value
};

// Each loader opens its file, reads the records its layout asks for (CR LF or
// LF line ends; later lines are never read), derives its tables and checks
// that the run can use them. Failures throw RunTimeError naming the
// operation and the file.
MaterialTable load_material_table(const std::filesystem::path& file);
ScatteringTable load_scattering_table(const std::filesystem::path& file);
SpectrumInput load_spectrum(const std::filesystem::path& file);
float load_histories(const std::filesystem::path& file);

}  // namespace lumora
