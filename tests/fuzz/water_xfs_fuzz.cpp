// Water.xfs reader: any text is refused with a run-time error that names the
// file, or gives an ascending grid with a cumulative table rising from 0 to 1
// that both scattering samplers can draw from at every photon energy.
#include <cmath>

#include "constants.h"
#include "engine_fuzz.h"
#include "interactions.h"

using namespace lumora;

namespace {

void check_scatter(const ScatterResult& s, float energy) {
  fuzz::check(std::isfinite(s.energy) && s.energy > 0 && s.energy <= energy,
              "scattered energy outside (0, E]");
  fuzz::check(s.cos_theta_s >= -1 && s.cos_theta_s <= 1, "scattering cosine outside [-1, 1]");
  fuzz::check(s.sin_theta_s >= 0 && s.sin_theta_s <= 1, "scattering sine outside [0, 1]");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto t = fuzz::load_or_refuse("Water.xfs", data, size, load_scattering_table);
  if (!t) return 0;
  for (int i = 2; i <= XFS_ROWS; ++i) {
    fuzz::check(t->xfs_x[i] > t->xfs_x[i - 1], "x not strictly ascending");
    fuzz::check(t->xfs_cum[i] >= t->xfs_cum[i - 1], "cumulative table falls");
  }
  fuzz::check(t->xfs_cum[1] == 0 && t->xfs_cum_last == 1, "cumulative table not from 0 to 1");
  fuzz::check(t->xfs_incoh_max == t->xfs_incoh[XFS_ROWS], "S maximum not the last S value");

  Generator gen = seed_generator();
  for (float energy : {ENERGY_CUTOFF, 20.0f, MAX_PHOTON_ENERGY}) {
    for (int n = 0; n < 4; ++n) {
      check_scatter(sample_coherent(gen, *t, energy), energy);
      check_scatter(sample_incoherent(gen, *t, energy), energy);
    }
  }
  PhysicsTables tables = fuzz::fixture_tables();
  tables.scattering = *t;
  fuzz::follow_a_few_photons(tables);
  return 0;
}
