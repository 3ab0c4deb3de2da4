#include "rng.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "engine_test_files.h"

namespace lumora {
namespace {

TEST(Generator, SeedTableFromTheFixedSeed) {
  const Generator g = seed_table();
  const int first[] = {3783, 7568, 15139, 13898, 11417, 6456, 12919, 9462};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(g.rng_table[i + 1], first[i]) << "entry " << i + 1;
  EXPECT_EQ(g.rng_table[53], 16329);
  EXPECT_EQ(g.rng_table[54], 16328);
  EXPECT_EQ(g.rng_table[55], 16327);
  EXPECT_EQ(g.rng_j, 24);
  EXPECT_EQ(g.rng_k, 55);
}

TEST(Generator, FirstDrawsAfterWarmUp) {
  Generator g = seed_generator();
  EXPECT_EQ(g.rng_j, 14);
  EXPECT_EQ(g.rng_k, 45);
  const int entries[] = {11314, 1077, 7144, 4623, 8326, 12357, 12982, 4917};
  const float values[] = {0.69054759f, 0.065734461f, 0.43603250f, 0.28216380f,
                          0.50817561f, 0.75420684f,  0.79235357f, 0.30010805f};
  for (int i = 0; i < 8; ++i) {
    const int k = g.rng_k;
    const float u = next_uniform(g);
    EXPECT_EQ(g.rng_table[k], entries[i]) << "draw " << i + 1;
    EXPECT_EQ(u, values[i]) << "draw " << i + 1;
    EXPECT_EQ((g.rng_k - g.rng_j + 55) % 55, 31) << "the short lag trails by 31";
  }
}

TEST(Generator, ConstantsAndExtremeEntries) {
  EXPECT_EQ(std::bit_cast<std::uint32_t>(RNG_DIVISOR), 0x46800033u);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(PI_CONST), 0x40490FD8u);

  Generator g = test::scripted_generator({16383, 0});
  EXPECT_EQ(next_uniform(g), 0.99993288517f);
  EXPECT_LT(0.99993288517f, 1.0f);
  EXPECT_EQ(next_uniform(g), 0.0f);
}

TEST(Generator, EveryEntryStaysInRangeAndNoValueIsHalf) {
  Generator g = seed_generator();
  for (int i = 0; i < 200000; ++i) {
    const float u = next_uniform(g);
    ASSERT_GE(u, 0.0f);
    ASSERT_LT(u, 1.0f);
    ASSERT_NE(u, 0.5f);
  }
  for (int i = 1; i <= RNG_LAG; ++i) {
    EXPECT_GE(g.rng_table[i], 0);
    EXPECT_LT(g.rng_table[i], RNG_MODULUS);
  }
}

}  // namespace
}  // namespace lumora
