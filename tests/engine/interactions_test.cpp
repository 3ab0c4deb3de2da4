#include "interactions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "constants.h"
#include "engine_test_files.h"

namespace lumora {
namespace {

using test::draws_between;
using test::fixture;
using test::scripted_generator;

// Log-log interpolation in double between rows lo and hi of the table.
double log_log(const MaterialTable& m, int j, int lo, int hi, double e) {
  const double f =
      std::log(e / m.mix_energy[lo]) / std::log(1.0 * m.mix_energy[hi] / m.mix_energy[lo]);
  return std::exp(std::log(1.0 * m.mix_coef[j][lo]) * (1 - f) +
                  std::log(1.0 * m.mix_coef[j][hi]) * f);
}

TEST(Lookup, InterpolatesInLogLogBetweenTheBracketingRows) {
  const MaterialTable m = load_material_table(fixture("Water.mix"));
  struct Case {
    float energy;
    int lo, hi;  // rows used
  };
  // Rows: 1 keV (1), 2 (2), ..., 50 (10), 60 (11), 80 (12), ..., 150 (14), 200 (15).
  const Case cases[] = {{55.0f, 10, 11}, {60.0f, 11, 12}, {150.0f, 14, 15},
                        {1.5f, 1, 2},    {0.5f, 1, 2},    {2.0f, 2, 3}};
  for (const Case& c : cases) {
    const Coefficients k = lookup_coefficients(m, c.energy);
    const double coh = log_log(m, 1, c.lo, c.hi, c.energy);
    const double inc = log_log(m, 2, c.lo, c.hi, c.energy);
    const double pho = log_log(m, 3, c.lo, c.hi, c.energy);
    EXPECT_NEAR(k.mu_coherent, coh, coh * 2e-6) << c.energy;
    EXPECT_NEAR(k.mu_incoherent, inc, inc * 2e-6) << c.energy;
    EXPECT_NEAR(k.mu_photo, pho, pho * 2e-6) << c.energy;
    EXPECT_FLOAT_EQ(k.mu_total, k.mu_photo + k.mu_incoherent + k.mu_coherent);
    EXPECT_FLOAT_EQ(k.p_photo, k.mu_photo / k.mu_total);
    EXPECT_FLOAT_EQ(k.p_photo_coherent, (k.mu_photo + k.mu_coherent) / k.mu_total);
  }
}

TEST(ChooseInteraction, BoundariesBelongToTheNextKind) {
  Coefficients c;
  c.p_photo = 0.25f;
  c.p_photo_coherent = 0.5f;
  EXPECT_EQ(choose_interaction(0.0f, c), InteractionKind::Photoelectric);
  EXPECT_EQ(choose_interaction(0.2499f, c), InteractionKind::Photoelectric);
  EXPECT_EQ(choose_interaction(0.25f, c), InteractionKind::Coherent);
  EXPECT_EQ(choose_interaction(0.4999f, c), InteractionKind::Coherent);
  EXPECT_EQ(choose_interaction(0.5f, c), InteractionKind::Incoherent);
}

TEST(Incoherent, DrawsThreePerTrialAndOneMoreForTheSTest) {
  ScatteringTable t = load_scattering_table(fixture("Water.xfs"));
  // r1 = 0 takes Kahn's first branch, r2 near 0.5 gives eta = 1 + 1/a and
  // cos(theta) near 0, and r3 = 0 accepts; at 60 keV q = 3.4 lies below the
  // last S value, and the S test with r = 0 accepts.
  Generator g = scripted_generator({0, 8192, 0, 0});
  Generator start = g;
  const ScatterResult with_s = sample_incoherent(g, t, 60.0f);
  EXPECT_EQ(draws_between(start, g), 4) << "q lies below the last S value: one S draw";
  EXPECT_NEAR(with_s.cos_theta_s, 0.0, 1e-3);
  EXPECT_NEAR(with_s.energy, 60 / (60 / 511.0 + 1), 0.01);

  t.xfs_incoh_max = 0;  // every q is accepted at once
  g = scripted_generator({0, 8192, 0, 0});
  start = g;
  const ScatterResult without_s = sample_incoherent(g, t, 60.0f);
  EXPECT_EQ(draws_between(start, g), 3);
  EXPECT_EQ(without_s.energy, with_s.energy);
}

TEST(Scattering, NoEnergyIsEverGained) {
  const ScatteringTable t = load_scattering_table(fixture("Water.xfs"));
  Generator g = seed_generator();
  for (float energy : {2.0f, 2.5f, 10.0f, 33.5f, 60.0f, 150.0f}) {
    for (int i = 0; i < 20000; ++i) {
      const ScatterResult inc = sample_incoherent(g, t, energy);
      ASSERT_LE(inc.energy, energy);
      ASSERT_GT(inc.energy, 0.0f);
      ASSERT_GE(inc.cos_theta_s, -1.0f);
      ASSERT_LE(inc.cos_theta_s, 1.0f);
      ASSERT_GE(inc.sin_theta_s, 0.0f);
      ASSERT_NEAR(inc.cos_theta_s * inc.cos_theta_s + inc.sin_theta_s * inc.sin_theta_s, 1.0, 1e-6);
      // Compton relation between the energy and the angle.
      ASSERT_NEAR(inc.energy, energy / (1 + energy / 511.0 * (1 - inc.cos_theta_s)), energy * 1e-6);

      const ScatterResult coh = sample_coherent(g, t, energy);
      ASSERT_EQ(coh.energy, energy);
      ASSERT_GE(coh.cos_theta_s, -1.0f);
      ASSERT_LE(coh.cos_theta_s, 1.0f);
      ASSERT_NEAR(coh.cos_theta_s * coh.cos_theta_s + coh.sin_theta_s * coh.sin_theta_s, 1.0, 1e-6);
    }
  }
}

TEST(Coherent, AnImpossibleAngleIsRedrawnWithoutTheThomsonDraw) {
  const ScatteringTable t = load_scattering_table(fixture("Water.xfs"));
  // At 2 keV the largest uniform number gives sin(theta/2) > 1: redrawn at
  // once. Then 0 gives x = xfs_x(2), and a Thomson number of 0 accepts.
  Generator g = scripted_generator({16383, 0, 0});
  const Generator start = g;
  const ScatterResult r = sample_coherent(g, t, 2.0f);
  EXPECT_EQ(draws_between(start, g), 3);
  const double s = 0.005f * 12.4f / 2.0;
  EXPECT_FLOAT_EQ(r.cos_theta_s, static_cast<float>(1 - s * s * 2));
  EXPECT_EQ(r.energy, 2.0f);
}

TEST(Azimuth, UniformAngleFromOneDraw) {
  const EntryTables entries = make_entry_tables(make_geometry());
  Generator g = scripted_generator({0, 4096});
  const Azimuth zero = sample_azimuth(g, entries);
  EXPECT_EQ(zero.cos_phi_s, 1.0f);
  EXPECT_EQ(zero.sin_phi_s, 0.0f);
  const Azimuth quarter = sample_azimuth(g, entries);  // 4096 / 16384.1 of a turn
  EXPECT_NEAR(quarter.cos_phi_s, 0.0, 1e-4);
  EXPECT_NEAR(quarter.sin_phi_s, 1.0, 1e-6);
}

double dot(const Direction& a, const Direction& b) {
  return a.cos_phi * a.sin_theta * b.cos_phi * b.sin_theta +
         a.sin_phi * a.sin_theta * b.sin_phi * b.sin_theta + 1.0 * a.cos_theta * b.cos_theta;
}

TEST(Rotate, KeepsUnitLengthAndTurnsByTheScatteringAngle) {
  const ScatteringTable t = load_scattering_table(fixture("Water.xfs"));
  const EntryTables entries = make_entry_tables(make_geometry());
  Generator g = seed_generator();
  for (int i = 0; i < 100000; ++i) {
    // An isotropic old direction, its sine formed from its cosine as the engine forms it.
    Direction d;
    d.cos_theta = static_cast<float>(2.0 * next_uniform(g) - 1);
    d.sin_theta = static_cast<float>(std::sqrt(1 - 1.0 * d.cos_theta * d.cos_theta));
    const double phi = 2 * M_PI * next_uniform(g);
    d.cos_phi = static_cast<float>(std::cos(phi));
    d.sin_phi = static_cast<float>(std::sin(phi));
    const ScatterResult s = sample_incoherent(g, t, 60.0f);
    const Azimuth a = sample_azimuth(g, entries);
    const Direction next =
        rotate_direction(d, s.cos_theta_s, s.sin_theta_s, a.cos_phi_s, a.sin_phi_s);
    ASSERT_NEAR(dot(next, next), 1.0, 1e-5) << "step " << i;
    ASSERT_NEAR(dot(d, next), s.cos_theta_s, 1e-5) << "step " << i;
  }
}

TEST(Rotate, SpecialDirections) {
  const Direction up;  // on the z axis: sin_theta = 0
  const Direction turned = rotate_direction(up, 0.6f, 0.8f, 0.0f, 1.0f);
  EXPECT_FLOAT_EQ(turned.cos_theta, 0.6f);
  EXPECT_FLOAT_EQ(turned.sin_theta, 0.8f);
  EXPECT_EQ(turned.sin_phi, 1.0f);   // sin(phi_s)
  EXPECT_EQ(turned.cos_phi, -0.0f);  // -cos(phi_s)

  const Direction back = rotate_direction(up, -1.0f, 0.0f, 0.3f, 0.95f);
  EXPECT_EQ(back.cos_theta, -1.0f);
  EXPECT_EQ(back.sin_theta, 0.0f);
  EXPECT_EQ(back.cos_phi, 1.0f);
  EXPECT_EQ(back.sin_phi, 0.0f);
}

TEST(Rotate, CosineIsBoundedAtBothEnds) {
  // Inputs whose rounding carries the new cosine just past -1 or +1: it is
  // held at the bound, so the sine is 0 and not the root of a negative number.
  Direction old;
  old.cos_theta = 1.0f;
  old.sin_theta = 0.001f;
  const Direction below = rotate_direction(old, -1.0f, 0.001f, -1.0f, 0.0f);
  EXPECT_EQ(below.cos_theta, -1.0f);
  EXPECT_EQ(below.sin_theta, 0.0f);
  EXPECT_EQ(below.cos_phi, 1.0f);
  const Direction above = rotate_direction(old, 1.0f, 0.001f, 1.0f, 0.0f);
  EXPECT_EQ(above.cos_theta, 1.0f);
  EXPECT_EQ(above.sin_theta, 0.0f);
}

}  // namespace
}  // namespace lumora
