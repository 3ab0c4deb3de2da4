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

float source_offset_of(float r, const PhantomGeometry& geometry) {
  const float angle = to_float((wide(r) - 0.5) * geometry.field_half_angle * 2);
  return to_float(std::tan(wide(angle)) * wide(geometry.fsd));
}

EntryTables make_entry_tables(const PhantomGeometry& geometry) {
  EntryTables t;
  t.ln_uniform.resize(RNG_MODULUS);
  t.azimuth_cos.resize(RNG_MODULUS);
  t.azimuth_sin.resize(RNG_MODULUS);
  t.source_offset.resize(RNG_MODULUS);
  for (std::int32_t entry = 0; entry < RNG_MODULUS; ++entry) {
    const float u = uniform_of(entry);
    if (entry > 0) t.ln_uniform[entry] = std::log(wide(u));
    const Azimuth a = azimuth_of(u);
    t.azimuth_cos[entry] = a.cos_phi_s;
    t.azimuth_sin[entry] = a.sin_phi_s;
    t.source_offset[entry] = source_offset_of(u, geometry);
  }
  return t;
}

void sample_source(Generator& gen, const PhysicsTables& tables, PhotonState& photon) {
  const PhantomGeometry& geometry = tables.geometry;
  const double fsd = geometry.fsd;
  // Offsets of the ray on the entrance face from its centre, from the
  // projected beam angles of two draws. The generator never returns 0.5, so
  // rho is never 0.
  const float xs = tables.entries.source_offset[next_entry(gen)];
  const float ys = tables.entries.source_offset[next_entry(gen)];
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

FreePath sample_free_path(Generator& gen, const EntryTables& entries, float mu_total,
                          float mix_density) {
  std::int32_t r1;
  std::int32_t r2;
  do {
    r1 = next_entry(gen);
    r2 = next_entry(gen);
  } while (r1 == 0);  // only entry 0 gives the uniform number 0
  return {to_float(-(entries.ln_uniform[r1] / (wide(mu_total) * mix_density))), uniform_of(r2)};
}

BinStart bin_start(const MaterialTable& material, float bin_energy) {
  return {bin_energy, lookup_coefficients(material, bin_energy)};
}

void run_history(Generator& gen, const PhysicsTables& tables, ImageTally& tally,
                 const BinStart& start) {
  const PhantomGeometry& g = tables.geometry;
  PhotonState p;
  p.energy = start.energy;
  sample_source(gen, tables, p);
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
    const FreePath path =
        sample_free_path(gen, tables.entries, c.mu_total, tables.material.mix_density);
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
    const Azimuth az = sample_azimuth(gen, tables.entries);
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
