// history.dat reader: any text is refused with a run-time error that names the
// file, or gives a finite number of histories whose photon count for any bin
// fits the engine's 64-bit counter.
#include <cmath>

#include "driver.h"
#include "engine_fuzz.h"

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto histories = fuzz::load_or_refuse("history.dat", data, size, load_histories);
  if (!histories) return 0;
  fuzz::check(std::isfinite(*histories), "histories not finite");
  // A normalised bin value lies in [0, 1]; the count is then at most the histories.
  for (float share : {0.0f, 1.0e-30f, 0.5f, 1.0f}) {
    const std::int64_t photons = bin_photon_count(share, *histories);
    fuzz::check(std::fabs(static_cast<double>(photons)) <= std::fabs(*histories),
                "photon count beyond the histories");
  }
  return 0;
}
