// End to end on the shipped data: a 100 kV spectrum from lumispec, the engine
// run in a working directory filled from build/run, and the scatter-to-primary
// ratio of the energy fluence at the centre of the exit face checked against
// the range the literature gives for a 20 cm water slab and a large field
// without air gap or grid.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace lumora {
namespace {

namespace fs = std::filesystem;

constexpr int kImageSize = 150;
// Central 2 cm x 2 cm of the exit face: pixels 71..80 (x, y from 14 to 16 cm).
constexpr int kCentreFirst = 71, kCentreLast = 80;

int RunIn(const fs::path& dir, const std::string& command) {
  const int status = std::system(("cd '" + dir.string() + "' && " + command).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The three images of Result.dat, each 150 x 150 values with x fastest.
std::vector<std::vector<double>> ReadImages(const fs::path& file) {
  std::ifstream in(file);
  std::vector<std::vector<double>> images(3, std::vector<double>(kImageSize * kImageSize));
  for (auto& image : images) {
    std::string number_line;
    in >> number_line;
    for (double& value : image) in >> value;
  }
  if (!in) ADD_FAILURE() << "cannot read three images from " << file;
  return images;
}

double CentreSum(const std::vector<double>& image) {
  double sum = 0;
  for (int iy = kCentreFirst; iy <= kCentreLast; ++iy) {
    for (int ix = kCentreFirst; ix <= kCentreLast; ++ix)
      sum += image[(iy - 1) * kImageSize + ix - 1];
  }
  return sum;
}

TEST(ShippedDataEndToEnd, HundredKilovoltRunGivesALiteratureScatterToPrimaryRatio) {
  const fs::path dir = fs::temp_directory_path() / "lumora_data_end_to_end";
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const char* name : {"Water.mix", "Water.xfs", "Mus2018.dat"}) {
    fs::copy_file(fs::path(LUMORA_RUN_DIR) / name, dir / name);
  }
  ASSERT_EQ(RunIn(dir, "'" LUMISPEC_EXE "' --kv 100 --angle 12 --inherent 2.5 -o P_Spectrum.dat"),
            0);
  std::ofstream(dir / "history.dat", std::ios::binary) << "3.00E+06\r\n";
  ASSERT_EQ(RunIn(dir, "printf '\\n\\n' | '" LUMICORE_EXE "' > stdout.txt 2> stderr.txt"), 0);

  const auto images = ReadImages(dir / "Result.dat");
  const double primary = CentreSum(images[0]), scatter = CentreSum(images[1]);
  ASSERT_GT(primary, 0.0);
  const double ratio = scatter / primary;
  std::printf("scatter-to-primary ratio, central 2 cm x 2 cm: %.3f\n", ratio);
  EXPECT_GE(ratio, 2.0);
  EXPECT_LE(ratio, 6.0);
}

}  // namespace
}  // namespace lumora
