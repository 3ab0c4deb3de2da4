#pragma once

#include <filesystem>
#include <string>

#include "result_images.h"

namespace lumora {

// Items in the result file: per image its number, then its 22 500 values.
inline constexpr int RESULT_ITEMS = IMAGE_KINDS * (1 + IMAGE_CELLS);

// Reads the engine's result file as a stream of items separated by blanks,
// tabs, commas and line ends, without relying on its line structure. For each
// kind 1, 2, 3 one item (the image number, not examined) is skipped, then the
// values are read with i running fastest and rows j following from 1 to 150.
// Items after the last needed one are not read. `imageMax` becomes the
// largest value over all three images, found while reading.
//
// Returns an empty string on success. Otherwise returns a message naming the
// file and the problem (cannot be opened, too few items, an item that is not a
// finite number), and `images` and `imageMax` are left exactly as they were.
std::string LoadResultFile(const std::filesystem::path& file, ImageTable& images, double& imageMax);

}  // namespace lumora
