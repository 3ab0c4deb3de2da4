#pragma once

#include <filesystem>
#include <string>

#include "spectrum_tables.h"

namespace lumora {

// The spectrum file text: 300 lines "000.0" + "  0.000E+00", each ending CR LF.
std::string FormatSpectrumFile(const BinTable& spectrum);

// Writes that text, replacing the file whole. Returns an empty string on
// success, otherwise a message naming the file.
std::string WriteSpectrumFile(const std::filesystem::path& file, const BinTable& spectrum);

}  // namespace lumora
