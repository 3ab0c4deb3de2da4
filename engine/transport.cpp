#include "transport.h"

#include <cmath>

#include "constants.h"
#include "precision.h"
#include "tally.h"

namespace lumora {

PhantomGeometry make_geometry() {
  PhantomGeometry g;
  g.field_half_angle = to_float(std::atan(wide(FIELD_HALF_WIDTH) / g.fsd));
  return g;
}

void sample_source(Generator& gen, const PhantomGeometry& geometry, PhotonState& photon) {
  const float r1 = next_uniform(gen);
  const float r2 = next_uniform(gen);
  const double fsd = geometry.fsd;
  const float ax = to_float((wide(r1) - 0.5) * geometry.field_half_angle * 2);
  const float ay = to_float((wide(r2) - 0.5) * geometry.field_half_angle * 2);
  // Offsets of the ray on the entrance face from its centre. The generator
  // never returns 0.5, so rho is never 0.
  const float xs = to_float(std::tan(wide(ax)) * fsd);
  const float ys = to_float(std::tan(wide(ay)) * fsd);
  const float rho2 = to_float(wide(ys) * ys + wide(xs) * xs);
  Direction& d = photon.direction;
  d.cos_theta = to_float(fsd / std::sqrt(fsd * fsd + rho2));
  d.sin_theta = to_float(std::sqrt(wide(rho2)) / std::sqrt(fsd * fsd + rho2));
  d.cos_phi = to_float(xs / std::sqrt(wide(rho2)));
  d.sin_phi = to_float(ys / std::sqrt(wide(rho2)));
  photon.x = to_float((wide(geometry.x_max) - geometry.x_min) * 0.5 + xs);
  photon.y = to_float((wide(geometry.y_max) - geometry.y_min) * 0.5 + ys);
  photon.z = 0;
  photon.image_kind = 1;
}

FreePath sample_free_path(Generator& gen, float mu_total, float mix_density) {
  float r1;
  float r2;
  do {
    r1 = next_uniform(gen);
    r2 = next_uniform(gen);
  } while (!(r1 > 0));
  return {to_float(-(std::log(wide(r1)) / (wide(mu_total) * mix_density))), r2};
}

BinStart bin_start(const MaterialTable& material, float bin_energy) {
  return {bin_energy, lookup_coefficients(material, bin_energy)};
}

void run_history(Generator& gen, const PhysicsTables& tables, ImageTally& tally,
                 const BinStart& start) {
  const PhantomGeometry& g = tables.geometry;
  PhotonState p;
  p.energy = start.energy;
  sample_source(gen, g, p);
  // The coefficients at the current energy: those of the bin, kept through
  // coherent scatterings (which leave the energy exactly as it was) and looked
  // up anew only when the energy has changed.
  Coefficients c = start.coefficients;
  float c_energy = start.energy;
  for (;;) {
    if (!(p.energy >= ENERGY_CUTOFF)) return;
    if (p.energy != c_energy) {
      c = lookup_coefficients(tables.material, p.energy);
      c_energy = p.energy;
    }
    const FreePath path = sample_free_path(gen, c.mu_total, tables.material.mix_density);
    const float s = path.length;
    const Direction flight = p.direction;
    const float x1 = to_float(wide(flight.cos_phi) * flight.sin_theta * s + p.x);
    const float y1 = to_float(wide(flight.sin_phi) * flight.sin_theta * s + p.y);
    const float z1 = to_float(wide(flight.cos_theta) * s + p.z);
    if (g.x_min > x1 || x1 > g.x_max || y1 < g.y_min || y1 > g.y_max || z1 < g.z_min ||
        z1 > g.z_max) {
      score_exit(tally, g, p.x, p.y, p.z, flight, p.energy, p.image_kind);
      return;
    }
    ScatterResult scatter;
    switch (choose_interaction(path.r2, c)) {
      case InteractionKind::Photoelectric:
        return;
      case InteractionKind::Coherent:
        scatter = sample_coherent(gen, tables.scattering, p.energy);
        break;
      case InteractionKind::Incoherent:
        scatter = sample_incoherent(gen, tables.scattering, p.energy);
        break;
    }
    const Azimuth az = sample_azimuth(gen);
    p.direction = rotate_direction(flight, scatter.cos_theta_s, scatter.sin_theta_s, az.cos_phi_s,
                                   az.sin_phi_s);
    p.x = x1;
    p.y = y1;
    p.z = z1;
    p.energy = scatter.energy;
    p.image_kind = 2;
  }
}

}  // namespace lumora
