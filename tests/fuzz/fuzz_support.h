#pragma once

// Shared by the fuzz targets. The readers under test take a path, so each
// input is first written to a file of the running process.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumora::fuzz {

// Writes the input to this process's file `name` (replacing what it held) and returns its path.
std::filesystem::path input_file(const std::string& name, const std::uint8_t* data,
                                 std::size_t size);

// A broken promise of the reader: reports `what` and aborts, which the fuzzer
// records as a finding together with the input.
void check(bool ok, std::string_view what);

// A reader's error message must name the file it failed on.
void check_names_file(std::string_view message, const std::filesystem::path& file);

}  // namespace lumora::fuzz

// The entry point every target defines; libFuzzer or the replay driver calls it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
