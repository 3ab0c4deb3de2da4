#pragma once

#include <algorithm>
#include <cmath>

namespace lumora {

// Grey level of a cell on the common scale of the three images: 0 is white
// (255), `imageMax` is black (0), linear in between, rounded to the nearest
// integer with halves going to the even neighbour (100 of 200 gives 128).
// An all-zero result (`imageMax` 0) is drawn white instead of dividing by
// zero; values outside 0..imageMax, which the engine never writes, are held
// to white and black so that the grey level is always a valid colour.
inline int GreyLevel(double value, double imageMax) {
  if (!(imageMax > 0)) return 255;
  const double g = std::nearbyint(255.0 - 255.0 * value / imageMax);
  return static_cast<int>(std::clamp(g, 0.0, 255.0));
}

}  // namespace lumora
