#pragma once

#include <filesystem>
#include <string>

namespace lumora::test {

// A fresh, empty directory for the running test, under the test's working directory.
std::filesystem::path ScratchDirectory();

void WriteText(const std::filesystem::path& file, const std::string& text);
std::string ReadText(const std::filesystem::path& file);

}  // namespace lumora::test
