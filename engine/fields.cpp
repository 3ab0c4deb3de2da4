#include "fields.h"

#include <cstdlib>
#include <string>

namespace lumora {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Reads an optional sign and at least one digit from s at i; the value is
// held within +-1000000, far beyond any float exponent.
std::optional<long> read_exponent(const std::string& s, std::size_t& i) {
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size() || !is_digit(s[i])) return std::nullopt;
  long value = 0;
  for (; i < s.size() && is_digit(s[i]); ++i) {
    if (value < 1000000) value = value * 10 + (s[i] - '0');
  }
  return negative ? -value : value;
}

// Converts text without blanks. The mantissa digits and the decimal exponent
// are rebuilt as "digits e exponent" (no decimal point, so the C library's
// correctly rounded conversion is independent of the locale).
std::optional<float> parse_number(const std::string& s, int decimals) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::string digits;
  bool point = false;
  long fraction_digits = 0;
  for (; i < s.size() && (is_digit(s[i]) || s[i] == '.'); ++i) {
    if (s[i] == '.') {
      if (point) return std::nullopt;
      point = true;
    } else {
      digits += s[i];
      if (point) ++fraction_digits;
    }
  }
  if (digits.empty()) return std::nullopt;
  long exponent = 0;
  if (i < s.size()) {
    const char c = s[i];
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') ++i;
    // Without a letter, a signed exponent may follow the mantissa directly (1.234-100).
    else if (c != '+' && c != '-')
      return std::nullopt;
    const std::optional<long> e = read_exponent(s, i);
    if (!e || i != s.size()) return std::nullopt;
    exponent = *e;
  }
  exponent -= point ? fraction_digits : decimals;
  const std::string text = (negative ? "-" : "") + digits + "e" + std::to_string(exponent);
  return std::strtof(text.c_str(), nullptr);
}

std::string_view first_token(std::string_view record) {
  const std::size_t begin = record.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = record.find_first_of(" \t,", begin);
  return record.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

}  // namespace

std::optional<float> parse_fixed_field(std::string_view field, int decimals) {
  std::string text;
  for (char c : field) {
    if (c != ' ') text += c;
  }
  if (text.empty()) return 0.0f;
  return parse_number(text, decimals);
}

std::optional<float> parse_free_real(std::string_view record) {
  const std::string_view token = first_token(record);
  if (token.empty()) return std::nullopt;
  return parse_number(std::string(token), 0);
}

std::optional<int> parse_free_int(std::string_view record) {
  const std::string_view token = first_token(record);
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  if (i == token.size()) return std::nullopt;
  long long value = 0;
  for (; i < token.size(); ++i) {
    if (!is_digit(token[i])) return std::nullopt;
    value = value * 10 + (token[i] - '0');
    if (value > 2147483647LL) return std::nullopt;
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace lumora
