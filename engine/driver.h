#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>

#include "arguments.h"
#include "console.h"

namespace lumora {

// The console and clock of one run, passed in so that a run can be driven
// from tests.
struct EngineConsole {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  ConsoleEncoding encoding;
  ClockTime (*clock)();
};

// Photons to simulate for one bin: spectrum(bin) * histories, truncated
// toward zero. The product of two floats is exact in double; the count is
// held in 64 bits, so counts of 2^31 and more are simulated in full.
std::int64_t bin_photon_count(float spectrum_value, float histories);

// One complete run in `directory` (empty: the working directory): reads
// Water.mix, Water.xfs, P_Spectrum.dat and history.dat, shows the banner,
// waits for Enter, simulates bins 2 .. last_bin with one progress line each,
// writes Result.dat, shows the closing lines and waits for Enter again.
// `options.batch` leaves out both waits. Returns the exit status: 0, or 1
// after a run-time error (reported on `err`).
int run_engine(const EngineConsole& console, const std::filesystem::path& directory,
               const EngineOptions& options = {});

}  // namespace lumora
