#pragma once

#include "entry_tables.h"
#include "rng.h"
#include "tables.h"

namespace lumora {

// Flight direction: polar angle against +z and azimuth in the x-y plane from
// +x towards +y. Direction cosines u = cos_phi * sin_theta,
// v = sin_phi * sin_theta, w = cos_theta are formed where needed.
struct Direction {
  float cos_theta = 1;
  float sin_theta = 0;  // >= 0
  float cos_phi = 1;
  float sin_phi = 0;
};

// Linear attenuation per unit density at one energy (cm^2/g) and the
// cumulative probabilities of the interaction choice.
struct Coefficients {
  float mu_coherent = 0;
  float mu_incoherent = 0;
  float mu_photo = 0;
  float mu_total = 0;          // photo + incoherent + coherent
  float p_photo = 0;           // photo / total
  float p_photo_coherent = 0;  // (photo + coherent) / total
};

enum class InteractionKind { Photoelectric, Coherent, Incoherent };

// Outcome of a scattering: energy afterwards (keV) and the polar scattering
// angle between the old and the new direction.
struct ScatterResult {
  float energy = 0;
  float cos_theta_s = 1;
  float sin_theta_s = 0;
};

struct Azimuth {
  float cos_phi_s = 1;
  float sin_phi_s = 0;
};

// Log-log interpolation of the material table at `energy` (keV) between the
// first row from row 2 on above the energy and the row before it; below row 2
// it extrapolates along the line of rows 1 and 2 (above the last row, along
// the last two rows; a loaded table reaches above every photon energy).
Coefficients lookup_coefficients(const MaterialTable& table, float energy);

// r2 < p_photo: photoelectric; below p_photo_coherent: coherent; else incoherent.
InteractionKind choose_interaction(float r2, const Coefficients& c);

// Compton scattering: Klein-Nishina by Kahn's rejection method, thinned by the
// incoherent scattering function S(x). Draws three numbers per trial, plus one
// for the S test when the momentum transfer lies below the last S value.
ScatterResult sample_incoherent(Generator& gen, const ScatteringTable& table, float energy);

// Rayleigh scattering: x from the F(x)^2 cumulative table, thinned by the
// Thomson factor (1 + cos^2 theta) / 2. The energy is unchanged. Draws one
// number per trial, plus one for the Thomson test when sin(theta/2) <= 1.
ScatterResult sample_coherent(Generator& gen, const ScatteringTable& table, float energy);

// The azimuth phi_s = r * 2 pi of the scattering for a uniform number r.
Azimuth azimuth_of(float r);

// A uniform azimuth of the scattering (one draw), read from the entry tables.
Azimuth sample_azimuth(Generator& gen, const EntryTables& entries);

// The direction after scattering by polar angle theta_s and azimuth phi_s
// about the old direction.
Direction rotate_direction(const Direction& old, float cos_theta_s, float sin_theta_s,
                           float cos_phi_s, float sin_phi_s);

}  // namespace lumora
