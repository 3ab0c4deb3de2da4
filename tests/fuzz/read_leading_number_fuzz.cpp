// ReadLeadingNumber, the windows' reading of a text field: for any text it
// gives the value of the longest leading decimal number once blanks, tabs and
// line feeds are dropped (checked against the C library's strtod), never NaN,
// and 0 when no number begins the text. A number the main window accepts as
// histories is written in a form the engine's reader takes back, to three digits.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fields.h"
#include "fuzz_support.h"
#include "history_file.h"
#include "read_leading_number.h"

using namespace lumora;

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The longest prefix of `s` of the form [+-] (d+ [. d*] | . d+) [(E|e) [+-] d+].
std::string LeadingNumber(const std::string& s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  }
  if (digits == 0) return "";
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      for (i = j; i < s.size() && IsDigit(s[i]); ++i) {
      }
    }
  }
  return s.substr(0, i);
}

bool SameDouble(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = ReadLeadingNumber(text);
  fuzz::check(!std::isnan(value), "NaN");

  std::string compact;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  }
  fuzz::check(SameDouble(ReadLeadingNumber(compact), value),
              "ignored characters changed the value");
  const std::string number = LeadingNumber(compact);
  const double expected = number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
  fuzz::check(SameDouble(value, expected), "value differs from strtod of the leading number");

  if (IsRunnableHistories(value)) {
    const std::string written = FormatHistories(value);
    const std::optional<float> read = parse_free_real(written);
    fuzz::check(read && std::isfinite(*read) && std::fabs(*read) < 0x1p63,
                "history file the engine cannot run: " + written);
    // Three significant digits, unless the value lies below the engine's float range.
    if (value > 1e-30) {
      fuzz::check(std::fabs(*read - value) <= 0.005 * value, "history file far from the value");
    }
  }
  return 0;
}
