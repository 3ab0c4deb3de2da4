#include "fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lumora {
namespace {

struct FixedCase {
  const char* text;
  int decimals;
  float expected;
};

TEST(Fields, FixedWidthNumbers) {
  const float inf = std::numeric_limits<float>::infinity();
  const FixedCase cases[] = {
      {" 1.234E+00", 3, 1.234f},
      {"1.000E-03", 3, 1.0e-3f},
      {"  1.234E-03", 3, 1.234e-3f},
      {" 1.00000E+01", 5, 10.0f},
      {"  0.000E+00", 3, 0.0f},
      {"          ", 3, 0.0f},       // blanks only
      {"", 3, 0.0f},                 // a line that ends before the field
      {" 1 2.5E 0 1", 3, 125.0f},    // blanks inside are ignored
      {"  1234E-03", 3, 1.234e-3f},  // no point: one implied before the last 3 digits
      {"12345", 5, 0.12345f},
      {"075.0", 1, 75.0f},
      {"0750", 1, 75.0f},
      {"  5.000E-10", 3, 5.0e-10f},  // 5.000E-100 cut to its first 11 characters
      {"1.5e+2", 3, 150.0f},
      {"1.5D+2", 3, 150.0f},
      {"1.234-05", 3, 1.234e-5f},  // exponent without letter
      {"-2.5", 3, -2.5f},
      {"+.5", 3, 0.5f},
      {"1.0E+39", 3, inf},  // beyond the float range
  };
  for (const FixedCase& c : cases) {
    const std::optional<float> value = parse_fixed_field(c.text, c.decimals);
    ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*value, c.expected) << '"' << c.text << '"';
  }
}

TEST(Fields, TextThatIsNotANumber) {
  for (const char* text : {"abc", "1.2.3", "1.0E", "E+03", "1.0E+0x", "--1", ".", "1,5", "\t1.0"}) {
    EXPECT_FALSE(parse_fixed_field(text, 3).has_value()) << '"' << text << '"';
  }
}

TEST(Fields, FreeFormatTakesTheFirstValue) {
  EXPECT_EQ(parse_free_real("1.00E+07"), 1.0e7f);
  EXPECT_EQ(parse_free_real("  1.23E+05  "), 123000.0f);
  EXPECT_EQ(parse_free_real("1.0, 2.0 density"), 1.0f);
  EXPECT_EQ(parse_free_real("0.998 g/cm3"), 0.998f);
  EXPECT_EQ(parse_free_real("10"), 10.0f);  // no implied decimals in free format
  EXPECT_FALSE(parse_free_real("").has_value());
  EXPECT_FALSE(parse_free_real("   ").has_value());
  EXPECT_FALSE(parse_free_real("x1.0").has_value());

  EXPECT_EQ(parse_free_int("15"), 15);
  EXPECT_EQ(parse_free_int(" 36 rows"), 36);
  EXPECT_EQ(parse_free_int("-3,"), -3);
  EXPECT_FALSE(parse_free_int("15.0").has_value());
  EXPECT_FALSE(parse_free_int("99999999999").has_value());
  EXPECT_FALSE(parse_free_int("").has_value());
}

}  // namespace
}  // namespace lumora
