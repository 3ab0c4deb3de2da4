#include "transport.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_files.h"
#include "tally.h"

namespace lumora {
namespace {

using test::draws_between;
using test::fixture;
using test::fixture_tables;
using test::image_total;
using test::scripted_generator;

TEST(Geometry, BeamHalfAngle) {
  const PhantomGeometry g = make_geometry();
  EXPECT_EQ(g.field_half_angle, static_cast<float>(std::atan(0.125)));
  EXPECT_NEAR(g.field_half_angle, 0.1243550, 1e-7);
}

// Every tabulated value is the one the samplers' expressions give for that
// entry's uniform number, written out here from the float policy.
TEST(EntryTables, HoldWhatTheSamplersWouldCompute) {
  const PhantomGeometry g = make_geometry();
  const EntryTables t = make_entry_tables(g);
  int mismatches = 0;
  for (int entry = 1; entry < RNG_MODULUS; ++entry) {
    const float u = static_cast<float>(entry / 16384.099609375);
    const float phi = static_cast<float>(u * 3.1415920257568359375 * 2);
    const float angle = static_cast<float>((u - 0.5) * g.field_half_angle * 2);
    if (t.ln_uniform[entry] != std::log(static_cast<double>(u)) ||
        t.azimuth_cos[entry] != static_cast<float>(std::cos(static_cast<double>(phi))) ||
        t.azimuth_sin[entry] != static_cast<float>(std::sin(static_cast<double>(phi))) ||
        t.source_offset[entry] != static_cast<float>(std::tan(static_cast<double>(angle)) * 80.0)) {
      ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(t.azimuth_cos[0], 1.0f);
  EXPECT_EQ(t.azimuth_sin[0], 0.0f);
  EXPECT_NEAR(t.source_offset[0], -10.0, 1e-5);
}

TEST(Source, RaysFromTheFocusThroughTheEntranceFace) {
  const PhysicsTables tables = fixture_tables();
  // Entry 0 gives the smallest projected angles: offsets -10 cm, start at (5, 5).
  Generator gen = scripted_generator({0, 0});
  PhotonState p;
  sample_source(gen, tables, p);
  EXPECT_NEAR(p.x, 5.0, 1e-5);
  EXPECT_NEAR(p.y, 5.0, 1e-5);
  EXPECT_EQ(p.z, 0.0f);
  EXPECT_EQ(p.image_kind, 1);
  EXPECT_FLOAT_EQ(p.direction.cos_phi, -std::sqrt(0.5f));
  EXPECT_FLOAT_EQ(p.direction.cos_theta, 80 / std::sqrt(6600.0f));

  // Every ray points away from the focus (15, 15, -80) through its start point.
  gen = seed_generator();
  for (int i = 0; i < 10000; ++i) {
    sample_source(gen, tables, p);
    const Direction& d = p.direction;
    ASSERT_GE(p.x, 5.0f);
    ASSERT_LT(p.x, 25.0f);
    ASSERT_NEAR(d.cos_phi * d.sin_theta / d.cos_theta, (p.x - 15) / 80.0, 1e-6);
    ASSERT_NEAR(d.sin_phi * d.sin_theta / d.cos_theta, (p.y - 15) / 80.0, 1e-6);
    ASSERT_NEAR(d.cos_phi * d.cos_phi + d.sin_phi * d.sin_phi, 1.0, 1e-6);
  }
}

TEST(FreePath, AZeroFirstNumberRedrawsThePair) {
  // The pair (0, 5000) is rejected whole; the second pair is used.
  Generator gen = scripted_generator({0, 5000, 8192, 3000});
  const Generator start = gen;
  const FreePath path = sample_free_path(gen, fixture_tables().entries, 0.2f, 1.0f);
  EXPECT_EQ(draws_between(start, gen), 4);
  EXPECT_EQ(path.r2, 3000 / 16384.1f);
  EXPECT_FLOAT_EQ(path.length, -std::log(8192 / 16384.1f) / 0.2f);
}

TEST(History, PhotonsBelowTheCutOffTakeOnlyTheSourceDraws) {
  const PhysicsTables tables = fixture_tables();
  ImageTally tally;
  Generator gen = seed_generator();
  for (float energy : {1.0f, 1.5f}) {
    const Generator start = gen;
    run_history(gen, tables, tally, bin_start(tables.material, energy));
    EXPECT_EQ(draws_between(start, gen), 2) << energy;
  }
  EXPECT_EQ(image_total(tally, 3), 0.0);
}

TEST(History, ImagesAddUpAndPrimariesKeepTheirEnergy) {
  const PhysicsTables tables = fixture_tables();
  ImageTally tally;
  Generator gen = seed_generator();
  const BinStart start = bin_start(tables.material, 30.0f);
  for (int i = 0; i < 20000; ++i) run_history(gen, tables, tally, start);
  const double primary = image_total(tally, 1);
  const double scattered = image_total(tally, 2);
  EXPECT_GT(primary, 0.0);
  EXPECT_GT(scattered, 0.0);
  EXPECT_NEAR(image_total(tally, 3), primary + scattered, 1e-3 * (primary + scattered));
  // Every primary photon scores exactly the bin energy.
  EXPECT_NEAR(std::fmod(primary, 30.0), 0.0, 1e-6);
  for (float v : tally.image_tally) ASSERT_GE(v, 0.0f);
}

}  // namespace
}  // namespace lumora
