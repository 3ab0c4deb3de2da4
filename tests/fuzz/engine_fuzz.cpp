#include "engine_fuzz.h"

#include "constants.h"
#include "rng.h"
#include "tally.h"

namespace lumora::fuzz {

const PhysicsTables& fixture_tables() {
  static const PhysicsTables tables = [] {
    PhysicsTables t;
    t.material = load_material_table(LUMORA_ENGINE_FIXTURES "/Water.mix");
    t.scattering = load_scattering_table(LUMORA_ENGINE_FIXTURES "/Water.xfs");
    t.geometry = make_geometry();
    t.entries = make_entry_tables(t.geometry);
    return t;
  }();
  return tables;
}

void follow_a_few_photons(const PhysicsTables& tables) {
  static ImageTally tally;
  Generator gen = seed_generator();
  for (float energy : {ENERGY_CUTOFF, 2.5f, 10.0f, 40.0f, 80.0f, MAX_PHOTON_ENERGY}) {
    const BinStart start = bin_start(tables.material, energy);
    for (int n = 0; n < 4; ++n) run_history(gen, tables, tally, start);
  }
}

}  // namespace lumora::fuzz
