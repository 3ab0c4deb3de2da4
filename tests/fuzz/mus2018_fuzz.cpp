// Mus2018.dat reader: any text is refused with a message that names the file
// and leaves the caller's table exactly as it was, or fills bins 1 to 300 with
// finite numbers (bin 0 is never written); the spectrum model then either
// computes a spectrum of finite values with maximum 1 or refuses.
#include <cmath>
#include <cstring>

#include "attenuation_table.h"
#include "fuzz_support.h"
#include "tucker_model.h"

using namespace lumora;

namespace {

// A table no file can produce bit for bit: a NaN with a payload.
AttenuationTable SentinelTable() {
  AttenuationTable t;
  const double sentinel = std::nan("0x5eed");
  for (BinTable* b : {&t.MuTungsten, &t.MuAluminium, &t.MuCopper}) b->fill(sentinel);
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = fuzz::input_file("Mus2018.dat", data, size);
  const AttenuationTable before = SentinelTable();
  AttenuationTable table = before;
  const std::string error = LoadAttenuationTable(file, table);
  if (!error.empty()) {
    fuzz::check_names_file(error, file);
    fuzz::check(std::memcmp(&table, &before, sizeof table) == 0, "refused read changed the table");
    return 0;
  }
  for (const BinTable* b : {&table.MuTungsten, &table.MuAluminium, &table.MuCopper}) {
    fuzz::check(std::memcmp(&(*b)[0], &before.MuTungsten[0], sizeof(double)) == 0,
                "bin 0 was written");
    for (int m = 1; m <= SPECTRUM_BINS; ++m) fuzz::check(std::isfinite((*b)[m]), "bin not finite");
  }

  SpectrumTables tables;
  if (ComputeTuckerSpectrum(TubeSettings{}, table, tables) != SpectrumRefusal::None) return 0;
  double top = 0;
  for (int i = 1; i <= SPECTRUM_BINS; ++i) {
    const double v = tables.Spectrum[i];
    fuzz::check(std::isfinite(v) && v >= 0 && v <= 1, "spectrum value outside [0, 1]");
    top = std::max(top, v);
  }
  fuzz::check(top == 1, "computed spectrum does not peak at 1");
  return 0;
}
