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

std::string format_result_number(float value) {
  if (!std::isfinite(value)) return std::string(10, '*');
  if (value == 0) return "  .000E+00";
  // Enough digits to print the float's decimal value exactly (at most 112
  // significant digits), so the rounding below sees the true remainder.
  char exact[160];
  std::snprintf(exact, sizeof exact, "%.120e", std::fabs(wide(value)));
  // exact = "d.ddddd...e+XX": value = 0.ddd... * 10^(XX + 1).
  int mantissa = (exact[0] - '0') * 100 + (exact[2] - '0') * 10 + (exact[3] - '0');
  int exponent = std::atoi(std::strchr(exact, 'e') + 1) + 1;
  if (exact[4] >= '5') ++mantissa;  // halfway and above: away from zero
  if (mantissa == 1000) {
    mantissa = 100;
    ++exponent;
  }
  char text[24];
  std::snprintf(text, sizeof text, "%s.%03dE%c%02d", value < 0 ? "-" : "", mantissa,
                exponent < 0 ? '-' : '+', std::abs(exponent));
  char field[32];
  std::snprintf(field, sizeof field, "%10s", text);
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
