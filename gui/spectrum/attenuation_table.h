#pragma once

#include <filesystem>
#include <string>

#include "spectrum_tables.h"

namespace lumora {

// Reads the attenuation file: one stream of 2100 numbers (300 records of 7),
// fields 2-4 of record m going to bin m of tungsten, aluminium and copper.
// Returns an empty string on success. Otherwise returns a message naming the
// file, the record and the problem, and `table` is left exactly as it was.
std::string LoadAttenuationTable(const std::filesystem::path& file, AttenuationTable& table);

}  // namespace lumora
