#pragma once

#include <vector>

namespace lumora {

// The exit-plane images of one engine run: kind 1 primary photons only,
// 2 scattered photons only, 3 all photons; 150 x 150 cells of 0.2 cm each.
inline constexpr int IMAGE_KINDS = 3;
inline constexpr int IMAGE_SIZE = 150;
inline constexpr int IMAGE_CELLS = IMAGE_SIZE * IMAGE_SIZE;

// Energy fluence per cell (keV), addressed (kind, i, j) from 1: column i
// along the phantom's x axis, row j along its y axis.
class ImageTable {
 public:
  ImageTable() : values_(IMAGE_KINDS * IMAGE_CELLS, 0.0) {}

  double& operator()(int kind, int i, int j) { return values_[index(kind, i, j)]; }
  double operator()(int kind, int i, int j) const { return values_[index(kind, i, j)]; }

  bool operator==(const ImageTable&) const = default;

 private:
  static int index(int kind, int i, int j) {
    return ((kind - 1) * IMAGE_SIZE + (j - 1)) * IMAGE_SIZE + (i - 1);
  }

  std::vector<double> values_;
};

}  // namespace lumora
