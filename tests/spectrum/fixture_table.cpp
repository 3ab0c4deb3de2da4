#include "fixture_table.h"

#include <charconv>
#include <cmath>

namespace lumora::test {

namespace {

std::string Shortest(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

}  // namespace

AttenuationTable FixtureTable() {
  AttenuationTable t;
  for (int m = 1; m <= SPECTRUM_BINS; ++m) {
    const double e = 0.5 * m;  // keV
    const double k_edge = e >= 69.5 ? 4.5 : 1.0;
    t.MuTungsten[m] = 19.3 * (0.1 + 2.3e5 * std::pow(e, -2.7) * k_edge);
    t.MuAluminium[m] = 2.699 * (0.15 + 2.2e4 * std::pow(e, -3.0));
    t.MuCopper[m] = 8.96 * (0.15 + 2.0e5 * std::pow(e, -2.8));
  }
  return t;
}

std::vector<Record> FixtureRecords() {
  const AttenuationTable t = FixtureTable();
  std::vector<Record> records;
  for (int m = 1; m <= SPECTRUM_BINS; ++m) {
    records.push_back({Shortest(0.5 * m), Shortest(t.MuTungsten[m]), Shortest(t.MuAluminium[m]),
                       Shortest(t.MuCopper[m]), "0", "0", "1.5E+01"});
  }
  return records;
}

std::string JoinRecords(const std::vector<Record>& records, const std::string& field_separator,
                        const std::string& record_separator) {
  std::string text;
  for (const Record& record : records) {
    for (std::size_t f = 0; f < record.size(); ++f) {
      text += record[f] + (f + 1 < record.size() ? field_separator : record_separator);
    }
  }
  return text;
}

std::string FixtureFileText() {
  return JoinRecords(FixtureRecords(), ",", "\r\n");
}

}  // namespace lumora::test
