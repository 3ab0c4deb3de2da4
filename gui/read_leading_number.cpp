#include "read_leading_number.h"

#include <charconv>
#include <limits>
#include <string>

namespace lumora {

namespace {

bool IsIgnored(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The text without the characters that are ignored anywhere.
std::string Compact(std::string_view text) {
  std::string out;
  for (char c : text)
    if (!IsIgnored(c)) out += c;
  return out;
}

}  // namespace

double ReadLeadingNumber(std::string_view text) {
  const std::string s = Compact(text);
  size_t pos = 0;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';

  std::string number;     // unsigned mantissa and exponent, as from_chars wants it
  int integerDigits = 0;  // significant digits before the point, for overflow
  int fractionZeros = 0;  // zeros right after the point, for overflow
  bool anyDigit = false;
  for (; pos < s.size() && IsDigit(s[pos]); ++pos) {
    if (s[pos] != '0' || integerDigits > 0) ++integerDigits;
    number += s[pos];
    anyDigit = true;
  }
  if (pos < s.size() && s[pos] == '.') {
    number += s[pos++];
    bool leading = integerDigits == 0;
    for (; pos < s.size() && IsDigit(s[pos]); ++pos) {
      if (leading && s[pos] == '0') ++fractionZeros;
      if (s[pos] != '0') leading = false;
      number += s[pos];
      anyDigit = true;
    }
  }
  if (!anyDigit) return 0.0;

  // An exponent counts only when at least one digit follows "E" and its sign.
  int exponent = 0;
  if (pos < s.size() && (s[pos] == 'E' || s[pos] == 'e')) {
    size_t p = pos + 1;
    bool expNegative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) expNegative = s[p++] == '-';
    if (p < s.size() && IsDigit(s[p])) {
      number += 'e';
      if (expNegative) number += '-';
      for (; p < s.size() && IsDigit(s[p]); ++p) {
        number += s[p];
        if (exponent < 100000) exponent = exponent * 10 + (s[p] - '0');
      }
      if (expNegative) exponent = -exponent;
    }
  }

  double value = 0.0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Decimal order of magnitude of the first significant digit decides
    // between overflow and underflow.
    const int order =
        integerDigits > 0 ? integerDigits - 1 + exponent : exponent - fractionZeros - 1;
    value = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace lumora
