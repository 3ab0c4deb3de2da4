#include "tally.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine_test_files.h"

namespace lumora {
namespace {

Direction along_z() {
  return Direction{};
}

// The pixels of one image that hold a non-zero value.
int filled(const ImageTally& t, int kind) {
  int n = 0;
  for (int iy = 1; iy <= IMAGE_SIZE; ++iy) {
    for (int ix = 1; ix <= IMAGE_SIZE; ++ix) n += t.at(kind, ix, iy) != 0;
  }
  return n;
}

TEST(ScoreExit, PixelsAndEdges) {
  const PhantomGeometry g = make_geometry();
  struct Case {
    float x, y;
    int ix, iy;  // 0: not scored
  };
  const Case cases[] = {
      {0.2f, 15.0f, 2, 76},       // the lower edge belongs to the pixel
      {0.19999999f, 0.1f, 1, 1},  // just below it
      {29.999998f, 29.999998f, 150, 150},
      {0.0f, 15.0f, 0, 0},  // exactly on an edge of the exit face
      {30.0f, 15.0f, 0, 0},
      {15.0f, 0.0f, 0, 0},
      {15.0f, 30.0f, 0, 0},
  };
  for (const Case& c : cases) {
    ImageTally t;
    score_exit(t, g, c.x, c.y, 12.0f, along_z(), 50.0f, 1);
    if (c.ix == 0) {
      EXPECT_EQ(filled(t, 3), 0) << c.x << ", " << c.y;
    } else {
      EXPECT_EQ(t.at(1, c.ix, c.iy), 50.0f) << c.x << ", " << c.y;
      EXPECT_EQ(t.at(3, c.ix, c.iy), 50.0f);
      EXPECT_EQ(filled(t, 1), 1);
    }
  }
}

TEST(ScoreExit, CrossingPointFromTheFlightStartAndDirection) {
  const PhantomGeometry g = make_geometry();
  ImageTally t;
  // From (15, 15, 10) at 53.13 degrees towards +x: the plane z = 20 is met at
  // x = 15 + 10 * 0.8 / 0.6 = 28.33 (ix 142), y = 15 (iy 76).
  const Direction tilted{0.6f, 0.8f, 1.0f, 0.0f};
  score_exit(t, g, 15.0f, 15.0f, 10.0f, tilted, 40.0f, 2);
  score_exit(t, g, 15.0f, 15.0f, 10.0f, tilted, 30.0f, 2);
  EXPECT_EQ(t.at(2, 142, 76), 70.0f);
  EXPECT_EQ(t.at(3, 142, 76), 70.0f);
  EXPECT_EQ(filled(t, 1), 0);
  EXPECT_EQ(filled(t, 2), 1);

  // Backwards, parallel to the plane, or crossing it outside the face: nothing.
  score_exit(t, g, 15.0f, 15.0f, 10.0f, Direction{-0.6f, 0.8f, 1.0f, 0.0f}, 40.0f, 2);
  score_exit(t, g, 15.0f, 15.0f, 10.0f, Direction{0.0f, 1.0f, 1.0f, 0.0f}, 40.0f, 2);
  score_exit(t, g, 28.0f, 15.0f, 10.0f, tilted, 40.0f, 2);
  EXPECT_EQ(filled(t, 3), 1);
}

TEST(ResultNumber, ThreeDigitsHalfwayAwayFromZero) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {12.3f, "  .123E+02"},
      {0.0f, "  .000E+00"},
      {2.0f, "  .200E+01"},
      {1234567.0f, "  .123E+07"},
      {112.5f, "  .113E+03"},  // exactly halfway: away from zero (printf would give .112)
      {1.125f, "  .113E+01"},
      {0.1125f, "  .112E+00"},   // the float lies just below .1125
      {99999.5f, "  .100E+06"},  // the carry moves into the exponent
      {999.4f, "  .999E+03"},
      {150.0f, "  .150E+03"},
      {1.0e-4f, "  .100E-03"},
      {3.0e38f, "  .300E+39"},
      {-12.35f, " -.124E+02"},  // -12.35 as a float lies just beyond -12.35
      {std::numeric_limits<float>::infinity(), "**********"},
  };
  for (const auto& c : cases) EXPECT_EQ(format_result_number(c.value), c.text) << c.value;
}

// The field as the float's exact decimal expansion gives it: printed in full,
// cut after the fourth significant digit, rounded away from zero from 5 on.
std::string reference_field(float value) {
  char exact[160];
  std::snprintf(exact, sizeof exact, "%.120e", std::fabs(static_cast<double>(value)));
  int mantissa = (exact[0] - '0') * 100 + (exact[2] - '0') * 10 + (exact[3] - '0');
  int exponent = std::atoi(std::strchr(exact, 'e') + 1) + 1;
  if (exact[4] >= '5') ++mantissa;
  if (mantissa == 1000) {
    mantissa = 100;
    ++exponent;
  }
  char field[32];
  std::snprintf(field, sizeof field, "%10s",
                (std::string(value < 0 ? "-" : "") + "." + std::to_string(mantissa) + "E" +
                 (exponent < 0 ? "-" : "+") + (std::abs(exponent) < 10 ? "0" : "") +
                 std::to_string(std::abs(exponent)))
                    .c_str());
  return field;
}

// Floats of every magnitude, the neighbours of powers of ten, and dyadic
// values with exact halfway digits (1.125, 112.5, ...).
TEST(ResultNumber, AgreesWithTheExactDecimalExpansion) {
  std::vector<float> values;
  std::uint32_t bits = 12345;
  for (int i = 0; i < 100000; ++i) {
    bits = bits * 1664525u + 1013904223u;
    const float v = std::bit_cast<float>(bits & 0x7FFFFFFFu);
    if (std::isfinite(v) && v != 0) values.push_back(i % 2 ? v : -v);
  }
  for (float p = 1e-12f; p < 1e32f; p *= 10) {
    values.push_back(p);
    values.push_back(std::nextafter(p, 0.0f));
    values.push_back(std::nextafter(p, 1e38f));
  }
  for (int i = 1; i <= 100000; ++i) values.push_back(i / 8.0f);
  int mismatches = 0;
  for (float v : values) {
    if (format_result_number(v) != reference_field(v) && ++mismatches <= 5) {
      ADD_FAILURE() << v << ": " << format_result_number(v) << " instead of " << reference_field(v);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(ResultFile, LayoutOfTheThreeImages) {
  ImageTally t;
  t.at(1, 1, 1) = 2.0f;
  t.at(2, 5, 7) = 12.3f;
  t.at(3, 150, 150) = 99999.5f;
  const std::string text = format_result_file(t);
  EXPECT_EQ(text.size(), 675912u);

  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (std::size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
    lines.push_back(text.substr(begin, end - begin));
  }
  EXPECT_EQ(begin, text.size()) << "every line ends with CR LF";
  ASSERT_EQ(lines.size(), 453u);
  EXPECT_EQ(lines[0], " 1");
  EXPECT_EQ(lines[151], " 2");
  EXPECT_EQ(lines[302], " 3");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i % 151 != 0) {
      ASSERT_EQ(lines[i].size(), 1500u) << "line " << i + 1;
    }
  }
  EXPECT_EQ(lines[1].substr(0, 20), "  .200E+01  .000E+00");
  EXPECT_EQ(lines[151 + 7].substr(40, 10), "  .123E+02");  // image 2, iy 7, ix 5
  EXPECT_EQ(lines[452].substr(1490), "  .100E+06");
  EXPECT_EQ(lines[452].substr(0, 10), "  .000E+00");
}

TEST(ResultFile, WrittenWholeOrReportedNamingTheFile) {
  const auto dir = test::fresh_dir();
  ImageTally t;
  t.at(1, 2, 3) = 7.5f;
  write_result_file(t, dir / "Result.dat");
  EXPECT_EQ(test::slurp(dir / "Result.dat"), format_result_file(t));

  // A directory in Result.dat's place cannot be replaced.
  const auto blocked = dir / "blocked";
  std::filesystem::create_directories(blocked / "Result.dat" / "inside");
  try {
    write_result_file(t, blocked / "Result.dat");
    ADD_FAILURE() << "the write did not fail";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("writing " + (blocked / "Result.dat").string(), 0), 0u)
        << e.what();
  }
  EXPECT_TRUE(std::filesystem::is_directory(blocked / "Result.dat" / "inside"));
}

}  // namespace
}  // namespace lumora
