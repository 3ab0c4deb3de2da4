#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lumora {

// Replaces `target` with `content` as one step: the text goes to a temporary
// file in the same directory, which is then renamed over the target. A run
// that fails or is killed part-way leaves the previous file intact.
// Returns an empty string on success, otherwise a message naming the file.
std::string replace_file_whole(const std::filesystem::path& target, std::string_view content);

}  // namespace lumora
