#include "history_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "whole_file.h"

namespace lumora {

std::string FormatHistories(double histories) {
  if (histories == 0.0) return "0.00E+00";
  // The exact decimal expansion to 40 places: the fourth significant digit
  // then decides the rounding, free of the binary tie-to-even of printf.
  char exact[64];
  std::snprintf(exact, sizeof exact, "%.40E", std::fabs(histories));
  int mantissa = (exact[0] - '0') * 100 + (exact[2] - '0') * 10 + (exact[3] - '0');
  int exponent = std::atoi(std::strchr(exact, 'E') + 1);
  if (exact[4] >= '5') ++mantissa;
  if (mantissa == 1000) {
    mantissa = 100;
    ++exponent;
  }
  char out[32];
  std::snprintf(out, sizeof out, "%s%d.%02dE%+03d", histories < 0 ? "-" : "", mantissa / 100,
                mantissa % 100, exponent);
  return out;
}

bool IsRunnableHistories(double histories) {
  return histories > 0 && histories < 0x1p63;
}

std::string WriteHistoryFile(const std::filesystem::path& file, double histories) {
  return replace_file_whole(file, FormatHistories(histories) + "\r\n");
}

}  // namespace lumora
