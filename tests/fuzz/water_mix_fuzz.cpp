// Water.mix reader: any text is refused with a run-time error that names the
// file, or gives a table that holds what the coefficient lookup relies on and
// that photons can be followed through.
#include <cmath>

#include "constants.h"
#include "engine_fuzz.h"

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto m = fuzz::load_or_refuse("Water.mix", data, size, load_material_table);
  if (!m) return 0;
  fuzz::check(m->mix_count >= 2 && m->mix_count <= MIX_CAPACITY, "row count outside 2 to 80");
  fuzz::check(std::isfinite(m->mix_density) && m->mix_density > 0, "density not positive");
  for (int i = 1; i <= m->mix_count; ++i) {
    fuzz::check(std::isfinite(m->mix_energy[i]) && m->mix_energy[i] > 0, "energy not positive");
    fuzz::check(i == 1 || m->mix_energy[i] > m->mix_energy[i - 1], "energies not ascending");
    for (int j = 1; j <= 3; ++j) {
      fuzz::check(std::isfinite(m->mix_coef[j][i]) && m->mix_coef[j][i] > 0,
                  "coefficient not positive");
    }
  }
  fuzz::check(m->mix_energy[m->mix_count] > MAX_PHOTON_ENERGY, "table ends below 150 keV");

  PhysicsTables tables = fuzz::fixture_tables();
  tables.material = *m;
  fuzz::follow_a_few_photons(tables);
  return 0;
}
