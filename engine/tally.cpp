#include "tally.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "precision.h"
#include "run_time_error.h"
#include "whole_file.h"

namespace lumora {

void clear_tally(ImageTally& tally) {
  std::fill(tally.image_tally.begin(), tally.image_tally.end(), 0.0f);
}

void score_exit(ImageTally& tally, const PhantomGeometry& g, float x, float y, float z,
                const Direction& flight, float energy, int image_kind) {
  if (!(flight.cos_theta > 0)) return;
  const float t = to_float((wide(g.z_max) - z) / flight.cos_theta);
  const float xe = to_float(wide(t) * flight.cos_phi * flight.sin_theta + x);
  const float ye = to_float(wide(t) * flight.sin_phi * flight.sin_theta + y);
  if (!(xe > g.x_min && xe < g.x_max && ye > g.y_min && ye < g.y_max)) return;
  const int ix = static_cast<int>(std::trunc(wide(xe) * PIXELS_PER_CM)) + 1;
  const int iy = static_cast<int>(std::trunc(wide(ye) * PIXELS_PER_CM)) + 1;
  float& pixel = tally.at(image_kind, ix, iy);
  pixel = to_float(wide(pixel) + energy);
  float& all = tally.at(3, ix, iy);
  all = to_float(wide(all) + energy);
}

namespace {

// A positive finite value as value = 0.dddd... * 10^exponent: its first four
// significant decimal digits, truncated, and that exponent.
struct LeadingDigits {
  int four_digits = 0;  // 1000 .. 9999
  int exponent = 0;
};

// From the float's exact decimal expansion, printed in full (at most 112
// significant digits): slow, but exact for every float.
LeadingDigits leading_digits_printed(float value) {
  char exact[160];
  std::snprintf(exact, sizeof exact, "%.120e", wide(value));
  // exact = "d.ddddd...e+XX": value = 0.ddd... * 10^(XX + 1).
  return {
      (exact[0] - '0') * 1000 + (exact[2] - '0') * 100 + (exact[3] - '0') * 10 + (exact[4] - '0'),
      std::atoi(std::strchr(exact, 'e') + 1) + 1};
}

// The same digits from integer arithmetic on the float's binary mantissa and
// exponent: value = m * 2^e exactly, and floor(value * 10^(3 - X)) is a
// quotient of integers that fit in 128 bits for values from 1e-10 to 1e30.
LeadingDigits leading_digits(float value) {
  if (!(value >= 1e-10f && value < 1e30f)) return leading_digits_printed(value);
  int e2 = 0;
  const double fraction = std::frexp(wide(value), &e2);  // 0.5 <= fraction < 1
  const auto m = static_cast<unsigned __int128>(std::ldexp(fraction, 24));
  const int e = e2 - 24;
  // X = floor(log10(value)), corrected below where the logarithm rounds across an integer.
  int x = static_cast<int>(std::floor(std::log10(wide(value))));
  for (;;) {
    unsigned __int128 numerator = e >= 0 ? m << e : m;
    unsigned __int128 denominator = e >= 0 ? 1 : static_cast<unsigned __int128>(1) << -e;
    for (int p = x; p < 3; ++p) numerator *= 10;
    for (int p = 3; p < x; ++p) denominator *= 10;
    const auto four = static_cast<int>(numerator / denominator);
    if (four >= 10000) {
      ++x;
    } else if (four < 1000) {
      --x;
    } else {
      return {four, x + 1};
    }
  }
}

}  // namespace

std::string format_result_number(float value) {
  if (!std::isfinite(value)) return std::string(10, '*');
  if (value == 0) return "  .000E+00";
  const LeadingDigits d = leading_digits(std::fabs(value));
  int mantissa = d.four_digits / 10;
  int exponent = d.exponent;
  if (d.four_digits % 10 >= 5) ++mantissa;  // halfway and above: away from zero
  if (mantissa == 1000) {
    mantissa = 100;
    ++exponent;
  }
  // "[-].dddE+XX"; a float's decimal exponent lies within -45 .. +39.
  char text[10];
  int n = 0;
  if (value < 0) text[n++] = '-';
  text[n++] = '.';
  text[n++] = static_cast<char>('0' + mantissa / 100);
  text[n++] = static_cast<char>('0' + mantissa / 10 % 10);
  text[n++] = static_cast<char>('0' + mantissa % 10);
  text[n++] = 'E';
  text[n++] = exponent < 0 ? '-' : '+';
  text[n++] = static_cast<char>('0' + std::abs(exponent) / 10);
  text[n++] = static_cast<char>('0' + std::abs(exponent) % 10);
  std::string field(10 - n, ' ');
  field.append(text, n);
  return field;
}

std::string format_result_file(const ImageTally& tally) {
  std::string out;
  out.reserve(675912);
  for (int kind = 1; kind <= IMAGE_KINDS; ++kind) {
    out += ' ';
    out += static_cast<char>('0' + kind);
    out += "\r\n";
    for (int iy = 1; iy <= IMAGE_SIZE; ++iy) {
      for (int ix = 1; ix <= IMAGE_SIZE; ++ix) out += format_result_number(tally.at(kind, ix, iy));
      out += "\r\n";
    }
  }
  return out;
}

void write_result_file(const ImageTally& tally, const std::filesystem::path& file) {
  const std::string problem = replace_file_whole(file, format_result_file(tally));
  if (!problem.empty()) throw RunTimeError("writing " + file.string() + ": " + problem);
}

}  // namespace lumora
