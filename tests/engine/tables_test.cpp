#include "tables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine_test_files.h"

namespace lumora {
namespace {

using test::fixture;
using test::fresh_dir;
using test::write_text;

struct MixRow {
  double kev, coherent, incoherent, photo;
};

// Water.mix text with the given header values and rows, in the fixed-width layout.
std::string mix_text(const std::string& density, const std::string& count,
                     const std::vector<MixRow>& rows, const char* eol = "\r\n") {
  std::string text = std::string("Water test table") + eol + density + eol + count + eol;
  for (const MixRow& r : rows) {
    char line[80];
    std::snprintf(line, sizeof line, "%9.3E%10.3E%10.3E%10.3E%10.3E%10.3E", r.kev / 1000,
                  r.coherent, r.incoherent, r.photo, 0.0, 0.0);
    text += line;
    text += eol;
  }
  return text;
}

const std::vector<MixRow> kThreeRows = {
    {1, 1.37, 0.0136, 4076}, {100, 0.004, 0.1564, 0.00326}, {200, 0.001, 0.133, 0.00039}};

// The fixture Water.xfs with line `number` (from 1) replaced.
std::string xfs_with_line(int number, const std::string& line) {
  std::string text = test::slurp(fixture("Water.xfs"));
  std::size_t begin = 0;
  for (int i = 1; i < number; ++i) begin = text.find('\n', begin) + 1;
  const std::size_t end = text.find('\r', begin);
  return text.replace(begin, end - begin, line);
}

TEST(MaterialTable, ReadsTheFixture) {
  const MaterialTable m = load_material_table(fixture("Water.mix"));
  EXPECT_EQ(m.mix_density, 1.0f);
  ASSERT_EQ(m.mix_count, 15);
  EXPECT_EQ(m.mix_energy[1], 1.0f);  // 1.000E-03 MeV
  EXPECT_EQ(m.mix_energy[11], 60.0f);
  EXPECT_EQ(m.mix_energy[15], 200.0f);
  EXPECT_EQ(m.mix_coef[1][1], 1.37f);
  EXPECT_EQ(m.mix_coef[2][1], 0.0136f);
  EXPECT_EQ(m.mix_coef[3][1], 4076.0f);
  EXPECT_EQ(m.mix_coef[3][15], 0.00039f);
}

TEST(MaterialTable, LfLinesImpliedDecimalsAndExtraRowsNotRead) {
  const auto dir = fresh_dir();
  std::string text = mix_text("0.998, g/cm3", "3 rows", kThreeRows, "\n");
  // Row 2's coherent field written without a point: "4000E-03" reads as 4.000E-03.
  text.replace(text.find(" 4.000E-03"), 10, "  4000E-03");
  text += "this line is past the table and is never read\n";
  write_text(dir / "Water.mix", text);
  const MaterialTable m = load_material_table(dir / "Water.mix");
  EXPECT_EQ(m.mix_density, 0.998f);
  EXPECT_EQ(m.mix_count, 3);
  EXPECT_EQ(m.mix_energy[2], 100.0f);
  EXPECT_EQ(m.mix_coef[1][2], 0.004f);
  EXPECT_EQ(m.mix_energy[4], 0.0f);
}

TEST(ScatteringTable, CumulativeTableOfTheFixture) {
  const ScatteringTable t = load_scattering_table(fixture("Water.xfs"));
  EXPECT_EQ(t.xfs_x[1], 0.0f);
  EXPECT_EQ(t.xfs_x[2], 0.005f);
  EXPECT_EQ(t.xfs_form[1], 10.0f);
  EXPECT_EQ(t.xfs_x[45], 10.0f);
  EXPECT_EQ(t.xfs_incoh_max, t.xfs_incoh[45]);
  EXPECT_EQ(t.xfs_incoh[45], 9.99999f);
  EXPECT_EQ(t.xfs_cum[1], 0.0f);
  EXPECT_EQ(t.xfs_cum[2], 0.0f);
  EXPECT_EQ(t.xfs_cum[45], 1.0f);
  EXPECT_EQ(t.xfs_cum_last, 1.0f);
  for (int i = 3; i <= 45; ++i) EXPECT_GE(t.xfs_cum[i], t.xfs_cum[i - 1]) << "row " << i;
  EXPECT_GT(t.xfs_cum[3], 0.0f);
}

TEST(Spectrum, NormalisesAndFindsTheLastBin) {
  const auto dir = fresh_dir();
  // Bin 300 holds 5.000E-100, a three-digit exponent that its 11-character
  // field cuts to 5.000E-10.
  write_text(dir / "P_Spectrum.dat",
             test::spectrum_text({{2, "  1.000E+00"}, {3, "  3.000E+00"}, {300, "  5.000E-100"}}));
  const SpectrumInput s = load_spectrum(dir / "P_Spectrum.dat");
  const float sum = 4.0f + 5.0e-10f;  // rounds to 4 in single precision
  EXPECT_EQ(s.spectrum[1], 0.0f);
  EXPECT_EQ(s.spectrum[2], 1.0f / sum);
  EXPECT_EQ(s.spectrum[3], 0.75f);
  EXPECT_EQ(s.spectrum[4], 0.0f);
  EXPECT_EQ(s.spectrum[300], static_cast<float>(5.0e-10f / 4.0));
  EXPECT_EQ(s.last_bin, 300);
}

TEST(Spectrum, LastBin) {
  const auto dir = fresh_dir();
  struct Case {
    std::map<int, std::string> fields;
    int last_bin;
  };
  const Case cases[] = {
      {{{1, "  1.000E+00"}}, 1},                                                // only bin 1
      {{{1, "  2.000E-01"}, {120, "  1.000E+00"}, {240, "  1.000E-03"}}, 240},  // 120 kV
  };
  for (const Case& c : cases) {
    write_text(dir / "P_Spectrum.dat", test::spectrum_text(c.fields));
    EXPECT_EQ(load_spectrum(dir / "P_Spectrum.dat").last_bin, c.last_bin);
  }
}

TEST(Histories, ReadsTheFirstValue) {
  const auto dir = fresh_dir();
  write_text(dir / "history.dat", "1.00E+07\r\n");
  EXPECT_EQ(load_histories(dir / "history.dat"), 10000000.0f);
  write_text(dir / "history.dat", "1.23E+05\n");
  EXPECT_EQ(load_histories(dir / "history.dat"), 123000.0f);
  write_text(dir / "history.dat", "-5.00E+02\r\n");  // no photons, but a valid run
  EXPECT_EQ(load_histories(dir / "history.dat"), -500.0f);
}

// Each case writes one file and expects a RunTimeError whose message holds
// the operation, the file name and the given reason.
struct BadFile {
  const char* name;
  std::string text;
  const char* reason;
};

void expect_refused(const std::filesystem::path& dir, const BadFile& c) {
  write_text(dir / c.name, c.text);
  const std::string file = (dir / c.name).string();
  try {
    const std::string n = c.name;
    if (n == "Water.mix") load_material_table(file);
    if (n == "Water.xfs") load_scattering_table(file);
    if (n == "P_Spectrum.dat") load_spectrum(file);
    if (n == "history.dat") load_histories(file);
    ADD_FAILURE() << c.name << " accepted; expected: " << c.reason;
  } catch (const RunTimeError& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.rfind("reading " + file + ": ", 0), 0u) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
  }
}

TEST(InputErrors, UnreadableFiles) {
  const auto dir = fresh_dir();
  std::string short_xfs = test::slurp(fixture("Water.xfs"));
  short_xfs.resize(short_xfs.rfind("\r\n", short_xfs.size() - 3) + 2);  // 44 lines
  const BadFile cases[] = {
      {"Water.xfs", short_xfs, "the file ends before line 45"},
      {"Water.mix", "title\r\n1.0\r\n", "the file ends before line 3"},
      {"Water.mix", mix_text("dense", "3", kThreeRows), "line 2: \"dense\" does not begin"},
      {"Water.mix", mix_text("1.0", "3.0", kThreeRows), "line 3: \"3.0\" does not begin"},
      {"P_Spectrum.dat", test::spectrum_text({{7, "  1.0O0E+00"}}), "line 7: positions 6-16"},
      {"history.dat", "\r\n", "line 1"},
  };
  for (const BadFile& c : cases) expect_refused(dir, c);

  try {
    load_material_table(dir / "no_such" / "Water.mix");
    ADD_FAILURE() << "a missing file was opened";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("opening " + (dir / "no_such" / "Water.mix").string(), 0),
              0u)
        << e.what();
  }
}

TEST(InputErrors, MaterialTableTheLookupCannotUse) {
  const auto dir = fresh_dir();
  std::vector<MixRow> descending = kThreeRows;
  std::swap(descending[1], descending[2]);
  std::vector<MixRow> too_low = kThreeRows;
  too_low[2].kev = 150;
  std::vector<MixRow> zero_coef = kThreeRows;
  zero_coef[1].photo = 0;
  std::vector<MixRow> negative_coef = kThreeRows;
  negative_coef[0].incoherent = -0.01;
  std::vector<MixRow> equal = kThreeRows;
  equal[1].kev = 1;
  const BadFile cases[] = {
      {"Water.mix", mix_text("1.0", "1", kThreeRows), "row count 1 is outside 2 to 80"},
      {"Water.mix", mix_text("1.0", "81", kThreeRows), "row count 81 is outside 2 to 80"},
      {"Water.mix", mix_text("1.0", "3", descending), "row 3 (line 6): the energies are not"},
      {"Water.mix", mix_text("1.0", "3", equal), "row 2 (line 5): the energies are not"},
      {"Water.mix", mix_text("1.0", "3", too_low), "no row has an energy above 150 keV"},
      {"Water.mix", mix_text("1.0", "2", kThreeRows), "no row has an energy above 150 keV"},
      {"Water.mix", mix_text("1.0", "3", zero_coef), "row 2 (line 5): coefficient 3"},
      {"Water.mix", mix_text("1.0", "3", negative_coef), "row 1 (line 4): coefficient 2"},
      {"Water.mix", mix_text("0", "3", kThreeRows), "the density 0 is not a positive"},
      // Photons that could scatter in place for ever: coherent scattering
      // extrapolated to overflow below 1 MeV, or absorption without a share.
      {"Water.mix",
       mix_text("1.0", "2", {{1000, 62.37, 1.3676, 0.006}, {2000, 9e-6, 2.37, 1.3676e6}}),
       "at 2 keV the coefficients (total inf cm^2/g"},
      {"Water.mix", mix_text("1.0", "2", {{1, 1e30, 0.01, 1e-20}, {200, 1e30, 0.01, 1e-20}}),
       "photoelectric share 0) could keep a photon scattering for ever"},
  };
  for (const BadFile& c : cases) expect_refused(dir, c);
}

// Water.xfs text from x(i), F(i) and S(i).
template <typename X, typename F, typename S>
std::string xfs_text(X x, F form, S incoh) {
  std::string text;
  for (int i = 1; i <= 45; ++i) {
    char line[40];
    std::snprintf(line, sizeof line, "%10.3E%12.5E%12.5E\r\n", x(i), form(i), incoh(i));
    text += line;
  }
  return text;
}

TEST(InputErrors, ScatteringTableTheSamplersCannotUse) {
  const auto dir = fresh_dir();
  auto one = [](int) { return 1.0; };
  // x = 0, 0.2, 0.45, ...: at 2 keV the coherent sampler never finds sin(theta/2) <= 1.
  auto coarse = [](int i) { return i == 1 ? 0.0 : 0.2 + 0.25 * (i - 2); };
  // x(2) = 0.1 would do, but the interval up to it carries no weight (F(3) = 0),
  // so the smallest x drawn is x(3) = 0.35.
  auto gap = [](int i) { return i == 1 ? 0.0 : i == 2 ? 0.1 : 0.25 * (i - 2) + 0.1; };
  const BadFile cases[] = {
      {"Water.xfs", xfs_with_line(10, " 5.000E-02 7.00000E+00 1.00000E-01"),
       "line 10: x is not strictly ascending"},
      {"Water.xfs", xfs_text(coarse, one, one),
       "the smallest sampled x 0.2 is too large for coherent scattering at 2 keV"},
      {"Water.xfs",
       xfs_text(
           gap, [](int i) { return i == 3 ? 0.0 : 1.0; }, one),
       "the smallest sampled x 0.35 is too large"},
      {"Water.xfs", xfs_with_line(45, " 9.000E+00 8.08544E-06 9.50000E+00"),
       "the last x 9 lies below the last S value 9.5"},
      {"Water.xfs", xfs_text([](int i) { return 0.25 * i; }, [](int) { return 0.0; }, one),
       "the form-factor weights sum to 0"},
      {"Water.xfs", xfs_with_line(1, "-1.000E-02 1.00000E+01 0.00000E+00"),
       "line 1: x is negative"},
  };
  for (const BadFile& c : cases) expect_refused(dir, c);
}

TEST(InputErrors, SpectrumAndHistoriesThatCannotRun) {
  const auto dir = fresh_dir();
  const BadFile cases[] = {
      {"P_Spectrum.dat", test::spectrum_text({}), "the values sum to 0"},
      {"P_Spectrum.dat", test::spectrum_text({{40, "  1.000E+00"}, {41, " -1.000E-03"}}),
       "line 41: the value -0.001 is negative"},
      {"P_Spectrum.dat", test::spectrum_text({{40, "  1.000E+39"}}), "line 40: the value inf"},
      {"history.dat", "1.0E+39\r\n", "the number of histories inf is not a finite"},
      {"history.dat", "1.00E+19\r\n", "is not a finite number below 2^63"},
  };
  for (const BadFile& c : cases) expect_refused(dir, c);
}

}  // namespace
}  // namespace lumora
