#include "attenuation_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "fixture_table.h"
#include "test_files.h"

namespace lumora {
namespace {

using test::FixtureRecords;
using test::FixtureTable;
using test::JoinRecords;
using test::Record;

void ExpectSameTable(const AttenuationTable& actual, const AttenuationTable& expected) {
  EXPECT_EQ(actual.MuTungsten, expected.MuTungsten);
  EXPECT_EQ(actual.MuAluminium, expected.MuAluminium);
  EXPECT_EQ(actual.MuCopper, expected.MuCopper);
}

AttenuationTable Load(const std::string& text) {
  const auto file = test::ScratchDirectory() / "Mus2018.dat";
  test::WriteText(file, text);
  AttenuationTable table;
  EXPECT_EQ(LoadAttenuationTable(file, table), "");
  return table;
}

// The file is one stream of numbers: how it is split into lines does not matter.
TEST(AttenuationTable, LayoutsReadIdentically) {
  const auto records = FixtureRecords();
  const std::pair<const char*, std::string> layouts[] = {
      {"one record per line, commas, CR LF", JoinRecords(records, ",", "\r\n")},
      {"one number per line, LF", JoinRecords(records, "\n", "\n")},
      {"blanks, tabs, comma with blanks, trailing commas", JoinRecords(records, " ,\t ", ",\n")},
  };
  for (const auto& [name, text] : layouts) {
    SCOPED_TRACE(name);
    ExpectSameTable(Load(text), FixtureTable());
  }
  SCOPED_TRACE("no line end after the last number");
  std::string unterminated = JoinRecords(records, ",", "\r\n");
  unterminated.resize(unterminated.size() - 2);
  ExpectSameTable(Load(unterminated), FixtureTable());
}

// Only fields 2-4 of the first 300 records count; reading stops after the 2100th number, so
// whatever follows is never looked at.
TEST(AttenuationTable, IgnoresOtherFieldsAndLaterRecords) {
  auto records = FixtureRecords();
  for (Record& r : records) {
    r[0] = "-7";
    r[4] = "1e300";
    r[5] = "123.5";
    r[6] = "-0";
  }
  for (int extra = 0; extra < 5; ++extra) records.push_back({"1", "2", "3", "4", "5", "6", "7"});
  ExpectSameTable(Load(JoinRecords(records, ",", "\r\n") + "not a number, 1,,2\r\n"),
                  FixtureTable());
}

TEST(AttenuationTable, ErrorsNameFileRecordAndProblemAndKeepTheTable) {
  const auto records = FixtureRecords();
  auto with_field = [&](int record, int field, const std::string& text) {
    auto changed = records;
    changed[record - 1][field - 1] = text;
    return JoinRecords(changed, ",", "\r\n");
  };
  std::string short_text = JoinRecords(records, ",", "\r\n");
  short_text.resize(short_text.rfind(','));  // drop the 2100th number

  struct Case {
    const char* name;
    std::optional<std::string> text;  // no file at all when empty
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"missing file", std::nullopt, {"cannot open", "Mus2018.dat", "No such file"}},
      {"empty file", "", {"Mus2018.dat", "record 1, field 1", "ends after 0 numbers"}},
      {"2099 numbers", short_text, {"record 300, field 7", "ends after 2099 numbers"}},
      {"letters in a number", with_field(17, 3, "1.2x"), {"record 17, field 3", "'1.2x' is not"}},
      {"word in a discarded field", with_field(250, 6, "abc"), {"record 250, field 6", "'abc'"}},
      {"bare exponent", with_field(3, 2, "E+02"), {"record 3, field 2", "'E+02' is not"}},
      {"empty field", with_field(5, 4, ""), {"record 5, field 4", "empty"}},
      {"overflowing number", with_field(9, 2, "1E999"), {"record 9, field 2", "out of the range"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = test::ScratchDirectory() / "Mus2018.dat";
    if (c.text) test::WriteText(file, *c.text);
    AttenuationTable table = FixtureTable();
    table.MuCopper[42] = 99;  // a previous table, distinct from anything the file holds
    const AttenuationTable before = table;

    const std::string error = LoadAttenuationTable(file, table);
    for (const std::string& part : c.expected)
      EXPECT_NE(error.find(part), std::string::npos) << error;
    ExpectSameTable(table, before);
  }
}

}  // namespace
}  // namespace lumora
