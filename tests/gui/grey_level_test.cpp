#include "grey_level.h"

#include <gtest/gtest.h>

using lumora::GreyLevel;

TEST(GreyLevelTest, CommonScaleRoundedHalfToEven) {
  const struct {
    double value, imageMax;
    int grey;
  } cases[] = {
      {0, 200, 255},   {200, 200, 0}, {100, 200, 128},  // 127.5 -> 128
      {1, 2, 128},     {1, 510, 254},                   // 254.5 -> 254
      {3, 510, 254},   {5, 510, 252},                   // 253.5 -> 254, 252.5 -> 252
      {0, 0, 255},     {7, 0, 255},                     // all-zero result: white
      {-10, 200, 255}, {400, 200, 0},                   // outside the range: held
  };
  for (const auto& c : cases)
    EXPECT_EQ(GreyLevel(c.value, c.imageMax), c.grey) << c.value << " of " << c.imageMax;
}
