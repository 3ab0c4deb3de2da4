#include "driver.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "rng.h"
#include "tables.h"
#include "tally.h"
#include "transport.h"
#include "workers.h"

namespace lumora {

std::int64_t bin_photon_count(float spectrum_value, float histories) {
  return static_cast<std::int64_t>(std::trunc(static_cast<double>(spectrum_value) * histories));
}

namespace {

void simulate(const EngineConsole& console, const std::filesystem::path& directory,
              const EngineOptions& options) {
  auto show = [&](std::string_view line) { show_line(console.out, console.encoding, line); };

  Generator gen = seed_generator();
  PhysicsTables tables;
  tables.material = load_material_table(directory / "Water.mix");
  tables.scattering = load_scattering_table(directory / "Water.xfs");
  const SpectrumInput spectrum = load_spectrum(directory / "P_Spectrum.dat");
  const float histories = load_histories(directory / "history.dat");
  tables.geometry = make_geometry();
  tables.entries = make_entry_tables(tables.geometry);
  ImageTally tally;
  clear_tally(tally);
  // The bins with at least one photon; bin 1 is never simulated.
  std::vector<BinWork> bins;
  for (int bin = 2; bin <= spectrum.last_bin; ++bin) {
    const float bin_energy = static_cast<float>(bin * 0.5);
    const std::int64_t bin_photons = bin_photon_count(spectrum.spectrum[bin], histories);
    if (bin_photons > 0) bins.push_back({bin, bin_start(tables.material, bin_energy), bin_photons});
  }

  for (std::string_view line : BANNER_LINES) show(line);
  console.out.flush();
  if (!options.batch) wait_for_enter(console.in);

  show(BLANK_LINE);
  show(TITLE_LINE);
  const ClockTime start = console.clock();
  show(start_line(start));
  auto show_progress = [&](const BinWork& b) {
    show(progress_line(b.bin, spectrum.last_bin));
    console.out.flush();
  };
  if (options.threads > 1) {
    Workers workers = make_workers(options.threads);
    run_on_workers(workers, tables, bins, show_progress);
    merge_tallies(workers, tally);
  } else {
    for (const BinWork& b : bins) {
      show_progress(b);
      for (std::int64_t n = 0; n < b.photons; ++n) run_history(gen, tables, tally, b.start);
    }
  }
  show(BLANK_LINE);
  show(start_line(start));
  show(end_line(console.clock()));
  show(BLANK_LINE);
  console.out.flush();

  write_result_file(tally, directory / "Result.dat");

  show(BLANK_LINE);
  for (std::string_view line : CLOSING_LINES) show(line);
  console.out.flush();
  if (!options.batch) wait_for_enter(console.in);
  show(STOP_LINE);
  console.out.flush();
}

}  // namespace

int run_engine(const EngineConsole& console, const std::filesystem::path& directory,
               const EngineOptions& options) {
  try {
    simulate(console, directory, options);
    return 0;
  } catch (const RunTimeError& e) {
    console.out.flush();
    console.err << "run-time error " << e.what() << '\n';
    console.err.flush();
    return 1;
  }
}

}  // namespace lumora
