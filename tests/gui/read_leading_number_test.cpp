#include "read_leading_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Case {
  const char* text;
  double expected;
};

TEST(ReadLeadingNumber, ReadsTheNumberAtTheStartOfTheText) {
  const Case cases[] = {
      {"10000000", 1e7},  {"123456", 123456},
      {"1e7", 1e7},       {"1E+07", 1e7},
      {"2.5E-3", 2.5e-3}, {"10 000 000", 1e7},  // blanks anywhere are ignored
      {" \t1\n0 0", 100},                       // tabs and line feeds too
      {"1 e 7", 1e7},     {"- 5", -5},
      {"+12", 12},        {"-5", -5},
      {"0", 0},           {"", 0},
      {"   ", 0},         {"abc", 0},      // no leading number
      {"kV100", 0},       {"100kV", 100},  // stops at the first character that cannot continue
      {"29.9", 29.9},     {".5", 0.5},
      {"5.", 5},          {"1.2.3", 1.2},
      {"1e", 1},  // an exponent needs a digit
      {"1e+", 1},         {"1ex", 1},
      {"2,5", 2},   // the decimal point is always the full stop
      {"1\r0", 1},  // a carriage return is not ignored
      {"-", 0},           {".", 0},
      {"１００", 0},  // full-width digits do not start a number
      {"1e-999", 0},  // underflow
      {"0.000e999", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lumora::ReadLeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ReadLeadingNumber, OverflowGivesAnInfinityOfItsSign) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(lumora::ReadLeadingNumber("1e999"), inf);
  EXPECT_EQ(lumora::ReadLeadingNumber("-1e400"), -inf);
  EXPECT_EQ(lumora::ReadLeadingNumber(std::string(400, '9')), inf);
  EXPECT_EQ(lumora::ReadLeadingNumber("0.1e310"), inf);
}

}  // namespace
