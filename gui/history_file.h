#pragma once

#include <filesystem>
#include <string>

namespace lumora {

// The number of histories in the pattern "0.00E+00": three significant digits,
// a signed exponent of at least two digits. A half in the third digit rounds
// away from zero, as by hand (1225 -> 1.23E+03). `histories` must be finite.
std::string FormatHistories(double histories);

// Whether the engine can run `histories`: a positive number below 2^63. The
// engine counts photons in 64 bits and refuses a history file with a larger
// number; every such number keeps below 2^63 when rounded to three digits.
bool IsRunnableHistories(double histories);

// Replaces `file` whole with one line: FormatHistories(histories) and CR LF.
// Returns an empty string on success, otherwise a message naming the file.
std::string WriteHistoryFile(const std::filesystem::path& file, double histories);

}  // namespace lumora
