#include "spectrum_file.h"

#include <charconv>
#include <cmath>

#include "whole_file.h"

namespace lumora {

namespace {

// Scientific notation with `digits` decimals, "E", the exponent's sign and at least two
// exponent digits, independent of the C locale (a Qt program sets it from the environment).
std::string Scientific(double value, int digits) {
  char buffer[800];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

// The pattern "0.000E+00". A value exactly halfway between two last digits rounds away from
// zero, as people round by hand (to_chars alone rounds such ties to even).
std::string FormatFluence(double value) {
  // 770 decimals hold the exact expansion of any double.
  const std::string exact = Scientific(value, 770);
  const std::size_t fifth_digit = (exact[0] == '-' ? 1 : 0) + 5;
  const bool halfway =
      exact[fifth_digit] == '5' && exact.find_first_not_of('0', fifth_digit + 1) == exact.find('E');
  if (halfway) value = std::nextafter(value, value > 0 ? HUGE_VAL : -HUGE_VAL);
  return Scientific(value, 3);
}

// The pattern "000.0" for the bin energy 0.5 x i keV.
std::string FormatBinEnergy(int i) {
  const int tenths = 5 * i;
  std::string whole = std::to_string(tenths / 10);
  if (whole.size() < 3) whole.insert(0, 3 - whole.size(), '0');
  return whole + "." + std::to_string(tenths % 10);
}

}  // namespace

std::string FormatSpectrumFile(const BinTable& spectrum) {
  std::string text;
  for (int i = 1; i <= SPECTRUM_BINS; ++i) {
    text += FormatBinEnergy(i) + "  " + FormatFluence(spectrum[i]) + "\r\n";
  }
  return text;
}

std::string WriteSpectrumFile(const std::filesystem::path& file, const BinTable& spectrum) {
  return replace_file_whole(file, FormatSpectrumFile(spectrum));
}

}  // namespace lumora
