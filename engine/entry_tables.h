#pragma once

#include <vector>

namespace lumora {

// Quantities that depend on a single generator draw alone, tabulated for each
// of the RNG_MODULUS entries a draw can store (indexed by entry). Each value
// is computed once at start-up by the very expression its sampler would
// evaluate in the photon loop, so a table read gives the same bits.
struct EntryTables {
  std::vector<double> ln_uniform;    // ln(u) in double, for the free path (entry 0 unused)
  std::vector<float> azimuth_cos;    // cos(phi_s) of the scattering azimuth phi_s = u * 2 pi
  std::vector<float> azimuth_sin;    // sin(phi_s)
  std::vector<float> source_offset;  // cm on the entrance face, tan of the projected beam angle
};

}  // namespace lumora
