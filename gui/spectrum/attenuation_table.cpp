#include "attenuation_table.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>

namespace lumora {

namespace {

constexpr int FIELDS_PER_RECORD = 7;
// Longest text accepted as one number; anything longer is shown shortened.
constexpr std::size_t MAX_TOKEN_CHARS = 64;

bool IsSeparator(int c) {
  return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A decimal number in plain or exponent notation: [sign] digits [. digits] [E [sign] digits],
// with at least one mantissa digit.
bool IsDecimalNumber(const std::string& s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t exponent_digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  return i == s.size();
}

// Reads the numbers of the file one at a time. Commas, blanks and line ends
// (CR LF or LF) separate them; a comma with no number before it is an empty
// field. Each call reads only up to the end of its own number.
class NumberReader {
 public:
  explicit NumberReader(std::istream& in) : in_(in) {}

  // Returns an empty string and sets `value`, or returns what is wrong.
  std::string Next(double& value) {
    int commas = 0;
    while (in_.peek() != EOF && IsSeparator(in_.peek())) {
      if (in_.get() == ',') ++commas;
    }
    if (in_.bad()) return "the file cannot be read";
    if (in_.peek() == EOF) {
      return "the file ends after " + std::to_string(count_) + " numbers, but " +
             std::to_string(SPECTRUM_BINS) + " records of " + std::to_string(FIELDS_PER_RECORD) +
             " numbers are needed";
    }
    if (commas > (count_ == 0 ? 0 : 1)) return "a field between two commas is empty";

    std::string token;
    while (in_.peek() != EOF && !IsSeparator(in_.peek())) {
      token.push_back(static_cast<char>(in_.get()));
      if (token.size() > MAX_TOKEN_CHARS) return "'" + token + "...' is not a number";
    }
    if (in_.bad()) return "the file cannot be read";
    if (!IsDecimalNumber(token)) return "'" + token + "' is not a number";
    const char* first = token.data() + (token.front() == '+' ? 1 : 0);
    auto [end, ec] = std::from_chars(first, token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size()) {
      return "'" + token + "' is out of the range of numbers";
    }
    ++count_;
    return {};
  }

 private:
  std::istream& in_;
  int count_ = 0;
};

}  // namespace

std::string LoadAttenuationTable(const std::filesystem::path& file, AttenuationTable& table) {
  if (std::filesystem::is_directory(file))
    return "cannot open '" + file.string() + "': it is a directory";
  std::ifstream in(file, std::ios::binary);
  if (!in) return "cannot open '" + file.string() + "': " + std::strerror(errno);

  AttenuationTable fresh = table;  // bin 0 is never written
  NumberReader reader(in);
  for (int m = 1; m <= SPECTRUM_BINS; ++m) {
    for (int field = 1; field <= FIELDS_PER_RECORD; ++field) {
      double value = 0.0;
      std::string problem = reader.Next(value);
      if (!problem.empty()) {
        return "'" + file.string() + "', record " + std::to_string(m) + ", field " +
               std::to_string(field) + ": " + problem;
      }
      if (field == 2) fresh.MuTungsten[m] = value;
      if (field == 3) fresh.MuAluminium[m] = value;
      if (field == 4) fresh.MuCopper[m] = value;
    }
  }
  table = fresh;
  return {};
}

}  // namespace lumora
