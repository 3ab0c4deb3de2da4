#include "interactions.h"

#include <algorithm>
#include <cmath>

#include "constants.h"
#include "precision.h"

namespace lumora {

namespace {

// The first row from row `first` on below `end` whose value exceeds `value`,
// or `end` if there is none: the row a linear search from `first` stops at.
// The columns searched ascend (the loaders check it), so a binary search finds
// that same row.
template <std::size_t N>
int first_row_above(const std::array<float, N>& column, int first, int end, float value) {
  const auto row = std::upper_bound(column.begin() + first, column.begin() + end, value);
  return static_cast<int>(row - column.begin());
}

}  // namespace

Coefficients lookup_coefficients(const MaterialTable& table, float energy) {
  const float lnE = to_float(std::log(wide(energy)));
  // The loaded table always has a row above the highest photon energy; the
  // bound keeps other energies on its last pair.
  const int k = first_row_above(table.mix_energy, 2, table.mix_count, energy);
  const float eK = table.ln_energy[k];
  const float eK1 = table.ln_energy[k - 1];
  const float f = to_float((wide(lnE) - eK1) / (wide(eK) - eK1));
  float mu[4];
  for (int j = 1; j <= 3; ++j) {
    const float a = table.ln_coef[j][k];
    const float b = table.ln_coef[j][k - 1];
    mu[j] = to_float(std::exp((wide(a) - b) * f + b));
  }
  Coefficients c;
  c.mu_coherent = mu[1];
  c.mu_incoherent = mu[2];
  c.mu_photo = mu[3];
  c.mu_total = to_float(wide(c.mu_photo) + c.mu_incoherent + c.mu_coherent);
  c.p_photo = to_float(wide(c.mu_photo) / c.mu_total);
  c.p_photo_coherent = to_float((wide(c.mu_photo) + c.mu_coherent) / c.mu_total);
  return c;
}

InteractionKind choose_interaction(float r2, const Coefficients& c) {
  if (r2 < c.p_photo) return InteractionKind::Photoelectric;
  if (r2 < c.p_photo_coherent) return InteractionKind::Coherent;
  return InteractionKind::Incoherent;
}

namespace {

// Linear interpolation of S(x) at q, from the first row from row 2 on above q.
float incoherent_function(const ScatteringTable& t, float q) {
  const int k = first_row_above(t.xfs_x, 2, XFS_ROWS, q);
  return to_float((wide(t.xfs_incoh[k]) - t.xfs_incoh[k - 1]) /
                      (wide(t.xfs_x[k]) - t.xfs_x[k - 1]) * (wide(q) - t.xfs_x[k - 1]) +
                  t.xfs_incoh[k - 1]);
}

}  // namespace

ScatterResult sample_incoherent(Generator& gen, const ScatteringTable& table, float energy) {
  const double E = energy;
  const float a = to_float(ELECTRON_REST_ENERGY / E);
  const float t = to_float((wide(a) + 2) / (9 * wide(a) + 2));
  float theta;
  for (;;) {
    const float r1 = next_uniform(gen);
    const float r2 = next_uniform(gen);
    const float r3 = next_uniform(gen);
    // Kahn's method: eta = E / E' from one of two branches, each with its own test.
    float eta;
    if (r1 <= t) {
      eta = to_float((2 / wide(a)) * r2 + 1);
      if (!(4 * (1 / wide(eta) - 1 / (wide(eta) * eta)) > r3)) continue;
    } else {
      eta = to_float((wide(a) + 2) / ((1 - wide(r2)) * 2 + a));
      const float c = to_float(wide(a) - wide(a) * eta + 1);
      if (!(0.5 * (wide(c) * c + 1 / wide(eta)) > r3)) continue;
    }
    float cos_theta = to_float(1 - (ELECTRON_REST_ENERGY / E) * (wide(eta) - 1));
    if (cos_theta == 0) {
      theta = to_float(wide(PI_CONST) * 0.5);
    } else {
      if (cos_theta > 1) cos_theta = 1;
      theta = to_float(std::atan(std::sqrt(1 - wide(cos_theta) * cos_theta) / cos_theta));
      if (theta < 0) theta = to_float(wide(PI_CONST) + theta);
    }
    // Momentum transfer x = sin(theta/2) / lambda and the S(x) thinning.
    const float q = to_float(std::sin(wide(theta) * 0.5) * E / HC_KEV_ANGSTROM);
    if (q >= table.xfs_incoh_max) break;
    const float S = incoherent_function(table, q);
    const float r = next_uniform(gen);
    if (wide(S) / table.xfs_incoh_max >= r) break;
  }
  ScatterResult result;
  result.energy = to_float(E / ((E / ELECTRON_REST_ENERGY) * (1 - std::cos(wide(theta))) + 1));
  result.cos_theta_s = to_float(std::cos(wide(theta)));
  result.sin_theta_s = to_float(std::sin(wide(theta)));
  return result;
}

ScatterResult sample_coherent(Generator& gen, const ScatteringTable& table, float energy) {
  const double E = energy;
  float c;
  for (;;) {
    const float r = to_float(wide(next_uniform(gen)) * table.xfs_cum_last);
    const int k = first_row_above(table.xfs_cum, 2, XFS_ROWS, r);
    const float x =
        to_float((wide(table.xfs_x[k]) - table.xfs_x[k - 1]) * (wide(r) - table.xfs_cum[k - 1]) /
                     (wide(table.xfs_cum[k]) - table.xfs_cum[k - 1]) +
                 table.xfs_x[k - 1]);
    const float s = to_float(wide(x) * HC_KEV_ANGSTROM / E);  // sin(theta/2)
    if (s > 1) continue;
    c = to_float(1 - wide(s) * s * 2);  // cos(theta)
    const float r_thomson = next_uniform(gen);
    if (2 * wide(r_thomson) <= 1 + wide(c) * c) break;
  }
  ScatterResult result;
  result.energy = energy;
  result.cos_theta_s = c > 1 ? 1.0f : c;
  result.sin_theta_s = to_float(std::sqrt(1 - wide(result.cos_theta_s) * result.cos_theta_s));
  return result;
}

Azimuth azimuth_of(float r) {
  const float phi = to_float(wide(r) * PI_CONST * 2);
  return {to_float(std::cos(wide(phi))), to_float(std::sin(wide(phi)))};
}

Azimuth sample_azimuth(Generator& gen, const EntryTables& entries) {
  const std::int32_t entry = next_entry(gen);
  return {entries.azimuth_cos[entry], entries.azimuth_sin[entry]};
}

Direction rotate_direction(const Direction& old, float cos_theta_s, float sin_theta_s,
                           float cos_phi_s, float sin_phi_s) {
  Direction d;
  d.cos_theta =
      to_float(wide(sin_theta_s) * old.sin_theta * cos_phi_s + wide(cos_theta_s) * old.cos_theta);
  // Rounding can carry the cosine just past either bound; keep the square root real.
  if (d.cos_theta > 1) d.cos_theta = 1;
  if (d.cos_theta < -1) d.cos_theta = -1;
  d.sin_theta = to_float(std::sqrt(1 - wide(d.cos_theta) * d.cos_theta));
  if (d.sin_theta == 0) {
    d.cos_phi = 1;
    d.sin_phi = 0;
    return d;
  }
  const float sin_delta = to_float(wide(sin_theta_s) * sin_phi_s / d.sin_theta);
  if (old.sin_theta == 0) {
    // The old direction lay on the z axis: the scattering azimuth is the new azimuth.
    d.sin_phi = sin_phi_s;
    d.cos_phi = -cos_phi_s;
    return d;
  }
  // Delta is the change of azimuth about the z axis.
  const float cos_delta = to_float((wide(cos_theta_s) - wide(old.cos_theta) * d.cos_theta) /
                                   (wide(old.sin_theta) * d.sin_theta));
  d.sin_phi = to_float(wide(cos_delta) * old.sin_phi + wide(old.cos_phi) * sin_delta);
  d.cos_phi = to_float(wide(cos_delta) * old.cos_phi - wide(old.sin_phi) * sin_delta);
  return d;
}

}  // namespace lumora
