#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "interactions.h"
#include "transport.h"

namespace lumora {

// Exit-plane images at z = z_max: energy fluence (keV per pixel) of primary
// photons (kind 1), scattered photons (kind 2) and all photons (kind 3), on a
// 150 x 150 grid of 0.2 cm pixels covering the 30 cm x 30 cm exit face.
constexpr int IMAGE_KINDS = 3;
constexpr int IMAGE_SIZE = 150;
constexpr float PIXELS_PER_CM = 5.0f;

struct ImageTally {
  // image_tally(kind, ix, iy), all from 1; kind varies fastest, then ix, then iy.
  std::vector<float> image_tally = std::vector<float>(IMAGE_KINDS * IMAGE_SIZE * IMAGE_SIZE);

  float& at(int kind, int ix, int iy) {
    return image_tally[(kind - 1) + IMAGE_KINDS * ((ix - 1) + IMAGE_SIZE * (iy - 1))];
  }
  float at(int kind, int ix, int iy) const {
    return image_tally[(kind - 1) + IMAGE_KINDS * ((ix - 1) + IMAGE_SIZE * (iy - 1))];
  }
};

void clear_tally(ImageTally& tally);

// Scores a photon whose flight from (x, y, z) along `flight` left the
// phantom: if it moves towards the exit plane and crosses it strictly inside
// the exit face, `energy` is added to its pixel in image `image_kind` and in image 3.
void score_exit(ImageTally& tally, const PhantomGeometry& geometry, float x, float y, float z,
                const Direction& flight, float energy, int image_kind);

// One 10-character field: ".ddd" mantissa, "E", signed two-digit exponent,
// right-aligned. The three digits are the float's exact decimal value rounded
// with halfway cases away from zero; a carry moves into the exponent.
std::string format_result_number(float value);

// The whole Result.dat text: for each image its number (" 1", " 2", " 3"),
// then 150 lines of 150 fields, iy by iy; every line ends with CR LF.
std::string format_result_file(const ImageTally& tally);

// Replaces `file` whole with the formatted images; throws RunTimeError naming
// the file if it cannot be written (any earlier file is then left as it was).
void write_result_file(const ImageTally& tally, const std::filesystem::path& file);

}  // namespace lumora
