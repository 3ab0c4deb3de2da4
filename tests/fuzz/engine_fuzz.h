#pragma once

// Helpers of the engine's reader targets.

#include <optional>
#include <string>

#include "fuzz_support.h"
#include "tables.h"
#include "transport.h"

namespace lumora::fuzz {

// The engine tests' Water.mix and Water.xfs with the fixed geometry, read once.
const PhysicsTables& fixture_tables();

// Follows a few photons of energies from the cut-off to the top of the
// spectrum through `tables`: whatever a reader accepted must not make a run
// crash, hang or read outside a table.
void follow_a_few_photons(const PhysicsTables& tables);

// Writes the input as `name` and reads it with `load`. Returns the result, or
// nothing when the reader refused it with a run-time error that names the file.
template <class Load>
auto load_or_refuse(const std::string& name, const std::uint8_t* data, std::size_t size, Load load)
    -> std::optional<decltype(load(std::filesystem::path()))> {
  const std::filesystem::path file = input_file(name, data, size);
  try {
    return load(file);
  } catch (const RunTimeError& e) {
    check_names_file(e.what(), file);
    return std::nullopt;
  }
}

}  // namespace lumora::fuzz
