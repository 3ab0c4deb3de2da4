// Result.dat loader: any text is refused with a message that names the file
// and leaves the images and their maximum exactly as they were, or fills the
// three images with finite values whose largest (at least 0) becomes the
// maximum; every cell then gets a grey level from white to black.
#include <algorithm>
#include <cmath>

#include "fuzz_support.h"
#include "grey_level.h"
#include "result_file.h"

using namespace lumora;

namespace {

constexpr double SENTINEL_MAX = -3.5;

const ImageTable& SentinelImages() {
  static const ImageTable table = [] {
    ImageTable t;
    for (int k = 1; k <= IMAGE_KINDS; ++k) {
      for (int j = 1; j <= IMAGE_SIZE; ++j) {
        for (int i = 1; i <= IMAGE_SIZE; ++i) t(k, i, j) = -7.25;
      }
    }
    return t;
  }();
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = fuzz::input_file("Result.dat", data, size);
  ImageTable images = SentinelImages();
  double imageMax = SENTINEL_MAX;
  const std::string error = LoadResultFile(file, images, imageMax);
  if (!error.empty()) {
    fuzz::check_names_file(error, file);
    fuzz::check(images == SentinelImages() && imageMax == SENTINEL_MAX,
                "refused load changed the images");
    return 0;
  }
  double top = 0;
  for (int k = 1; k <= IMAGE_KINDS; ++k) {
    for (int j = 1; j <= IMAGE_SIZE; ++j) {
      for (int i = 1; i <= IMAGE_SIZE; ++i) {
        fuzz::check(std::isfinite(images(k, i, j)), "value not finite");
        top = std::max(top, images(k, i, j));
      }
    }
  }
  fuzz::check(imageMax == top, "maximum is not the largest value");
  for (int k = 1; k <= IMAGE_KINDS; ++k) {
    for (int j = 1; j <= IMAGE_SIZE; ++j) {
      for (int i = 1; i <= IMAGE_SIZE; ++i) {
        const int g = GreyLevel(images(k, i, j), imageMax);
        fuzz::check(g >= 0 && g <= 255, "grey level outside 0 to 255");
      }
    }
  }
  return 0;
}
