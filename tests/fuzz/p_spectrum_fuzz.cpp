// P_Spectrum.dat reader: any text is refused with a run-time error that names
// the file, or gives 300 non-negative values that sum to 1 with the last
// non-zero bin found, and photon counts that fit their 64-bit counter.
#include <cmath>
#include <limits>

#include "driver.h"
#include "engine_fuzz.h"

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto in = fuzz::load_or_refuse("P_Spectrum.dat", data, size, load_spectrum);
  if (!in) return 0;
  fuzz::check(in->last_bin >= 1 && in->last_bin <= SPECTRUM_BINS, "last bin outside 1 to 300");
  fuzz::check(in->spectrum[in->last_bin] > 0, "last bin is empty");
  double sum = 0;
  for (int i = 1; i <= SPECTRUM_BINS; ++i) {
    const float v = in->spectrum[i];
    fuzz::check(std::isfinite(v) && v >= 0 && v <= 1, "value outside [0, 1]");
    fuzz::check(i <= in->last_bin || v == 0, "non-zero value above the last bin");
    sum += v;
    const std::int64_t photons = bin_photon_count(v, 1.0e7f);
    fuzz::check(photons >= 0 && photons <= 10000000, "photon count outside the histories");
  }
  fuzz::check(std::fabs(sum - 1) < 1e-4, "normalised values do not sum to 1");
  return 0;
}
