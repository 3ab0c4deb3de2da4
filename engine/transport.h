#pragma once

#include "interactions.h"
#include "rng.h"
#include "tables.h"

namespace lumora {

struct ImageTally;

// The fixed set-up (cm): a water block 0..30 x 0..30 x 0..20, the focus on the
// central axis fsd in front of the entrance face z = 0, and a beam that
// covers 20 cm x 20 cm at the entrance face.
constexpr float FIELD_HALF_WIDTH = 10.0f;  // cm at the entrance face

struct PhantomGeometry {
  float x_min = 0.0f;
  float x_max = 30.0f;
  float y_min = 0.0f;
  float y_max = 30.0f;
  float z_min = 0.0f;
  float z_max = 20.0f;
  float fsd = 80.0f;
  float field_half_angle = 0;  // atan(FIELD_HALF_WIDTH / fsd), set by make_geometry
};

PhantomGeometry make_geometry();

// Everything a history reads and never changes.
struct PhysicsTables {
  MaterialTable material;
  ScatteringTable scattering;
  PhantomGeometry geometry;
  EntryTables entries;  // from make_entry_tables(geometry)
};

// The offset (cm) from the centre of the entrance face of a source ray whose
// projected beam angle is (r - 0.5) * field_half_angle * 2.
float source_offset_of(float r, const PhantomGeometry& geometry);

// Free-path logarithms, scattering azimuths and source offsets for every
// generator entry.
EntryTables make_entry_tables(const PhantomGeometry& geometry);

// The one photon in flight: start point of the current flight, direction,
// energy, and which image it scores in (1 primary, 2 scattered).
struct PhotonState {
  float energy = 0;  // keV
  float x = 0;
  float y = 0;
  float z = 0;
  Direction direction;
  int image_kind = 1;
};

struct FreePath {
  float length = 0;  // cm
  float r2 = 0;      // second number of the accepted pair; chooses the interaction
};

// A new photon at the entrance face, uniform in the two projected beam
// angles (two draws). The energy is left as it is.
void sample_source(Generator& gen, const PhysicsTables& tables, PhotonState& photon);

// Exponential path length -ln(r1) / (mu_total * density); a pair with r1 = 0
// is drawn again whole.
FreePath sample_free_path(Generator& gen, const EntryTables& entries, float mu_total,
                          float mix_density);

// What every photon of one energy bin starts with: the bin energy and the
// coefficients at that energy. The lookup depends on the energy alone, so it
// is made once per bin instead of once per photon.
struct BinStart {
  float energy = 0;  // keV
  Coefficients coefficients;
};

BinStart bin_start(const MaterialTable& material, float bin_energy);

// Follows one photon of the bin from the focus until it is absorbed, falls
// below ENERGY_CUTOFF or leaves the phantom; an escape through the exit face
// is scored in `tally`.
void run_history(Generator& gen, const PhysicsTables& tables, ImageTally& tally,
                 const BinStart& start);

}  // namespace lumora
