#pragma once

// Result files written the way the engine writes them, for the loader and
// window tests: per image its number line, then 150 rows of 150 fields of 10
// characters (".123E+02" with two leading blanks), every line ending CR LF.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fixture {

using CellValue = std::function<double(int kind, int i, int j)>;

// The engine's 10-character field for a value of at most three significant digits.
inline std::string EngineField(double value) {
  if (value == 0) return "  .000E+00";
  char scientific[32];  // d.ddE+xx
  std::snprintf(scientific, sizeof scientific, "%.2E", value);
  const int exponent = std::atoi(scientific + 5) + 1;
  const std::string digits = std::to_string(std::abs(exponent));
  return std::string("  .") + scientific[0] + scientific[2] + scientific[3] + 'E' +
         (exponent < 0 ? '-' : '+') + (digits.size() < 2 ? "0" : "") + digits;
}

// The 67 503 items in file order: per kind the image number, then the values
// with i running fastest.
inline std::vector<std::string> ResultItems(const CellValue& value,
                                            const std::vector<std::string>& numbers = {"1", "2",
                                                                                       "3"}) {
  std::vector<std::string> items;
  for (int kind = 1; kind <= 3; ++kind) {
    items.push_back(numbers[kind - 1]);
    for (int j = 1; j <= 150; ++j)
      for (int i = 1; i <= 150; ++i) items.push_back(EngineField(value(kind, i, j)).substr(2));
  }
  return items;
}

// The file exactly as the engine lays it out.
inline std::string EngineLayout(const CellValue& value) {
  std::string text;
  for (int kind = 1; kind <= 3; ++kind) {
    text += " " + std::to_string(kind) + "\r\n";
    for (int j = 1; j <= 150; ++j) {
      for (int i = 1; i <= 150; ++i) text += EngineField(value(kind, i, j));
      text += "\r\n";
    }
  }
  return text;
}

inline std::string Join(const std::vector<std::string>& items, const std::string& separator) {
  std::string text;
  for (const std::string& item : items) text += item + separator;
  return text;
}

inline void WriteFile(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// A result with values of three digits that vary from cell to cell, so that a transposed or shifted
// read shows; the all-photon image is the sum of the other two.
inline double Varied(int kind, int i, int j) {
  const double primary = 10.0 * (10 + (i * 7 + j * 13) % 90);
  const double scattered = (i + 2 * j) % 5 == 0 ? 0 : 10.0 * (10 + (i * 11 + j * 3) % 40);
  return kind == 1 ? primary : kind == 2 ? scattered : primary + scattered;
}

}  // namespace fixture
