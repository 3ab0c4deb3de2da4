#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <vector>

#include "attenuation_table.h"
#include "fixture_table.h"
#include "spectrum_file.h"
#include "test_files.h"
#include "tucker_model.h"

namespace lumora {
namespace {

struct Outcome {
  int status;
  std::string out, err;
};

// Runs the built lumispec in `dir` with the given arguments.
Outcome Lumispec(const std::filesystem::path& dir, const std::vector<std::string>& args) {
  std::string command = "cd '" + dir.string() + "' && '" LUMISPEC_PATH "'";
  for (const std::string& a : args) command += " '" + a + "'";
  command += " >stdout.txt 2>stderr.txt";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::ReadText(dir / "stdout.txt"),
          test::ReadText(dir / "stderr.txt")};
}

std::filesystem::path DirectoryWithTable() {
  const auto dir = test::ScratchDirectory();
  test::WriteText(dir / "Mus2018.dat", test::FixtureFileText());
  return dir;
}

std::string Expected(const TubeSettings& settings) {
  SpectrumTables tables;
  EXPECT_EQ(ComputeTuckerSpectrum(settings, test::FixtureTable(), tables), SpectrumRefusal::None);
  return FormatSpectrumFile(tables.Spectrum);
}

TEST(Lumispec, WritesTheSpectrumFileOfTheWriter) {
  const auto dir = DirectoryWithTable();
  const Outcome to_stdout = Lumispec(dir, {"--kv", "100", "--angle", "12", "--inherent", "2.5"});
  EXPECT_EQ(to_stdout.status, 0) << to_stdout.err;
  EXPECT_EQ(to_stdout.err, "");
  EXPECT_EQ(to_stdout.out, Expected({100, 12, 2.5, 0, 0}));

  std::filesystem::rename(dir / "Mus2018.dat", dir / "table.txt");
  const Outcome to_file =
      Lumispec(dir, {"-o", "P_Spectrum.dat", "--cu", "0.1", "--al", "1", "--kv", "80.5",
                     "--inherent", "+1", "--angle", "1.6e1", "--table", "table.txt"});
  EXPECT_EQ(to_file.status, 0) << to_file.err;
  EXPECT_EQ(to_file.out, "");
  EXPECT_EQ(test::ReadText(dir / "P_Spectrum.dat"), Expected({80.5, 16, 1, 1, 0.1}));
}

TEST(Lumispec, BadInputExitsWithTwoAndWritesNothing) {
  const auto dir = DirectoryWithTable();
  const std::vector<std::string> good = {"--kv", "100", "--angle", "12", "--inherent", "2.5"};
  auto with = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = good;
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  };
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {with({"--kv", "29.9"}), "tube voltage"},
      {with({"--kv", "150.1"}), "tube voltage"},
      {with({"--kv", "abc"}), "'abc' of --kv is not a number"},
      {with({"--kv", "100kV"}), "not a number"},
      {with({"--kv", ""}), "not a number"},
      {with({"--angle", "0.5"}), "target angle"},
      {with({"--angle", "90"}), "below 90 degrees"},
      {with({"--inherent", "0.5"}), "inherent filtration"},
      {with({"--inherent", "-1"}), "inherent filtration"},
      {with({"--al", "-1"}), "negative"},
      {with({"--cu", "1e5"}), "No photons"},
      {with({"--frobnicate", "1"}), "unknown option '--frobnicate'"},
      {with({"--cu"}), "--cu needs a value"},
      {{"--kv", "100", "--inherent", "2.5"}, "--angle is required"},
      {{}, "--kv is required"},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    std::vector<std::string> args = {"-o", "out.dat"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome run = Lumispec(dir, args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.dat"));
  }
}

TEST(Lumispec, UnreadableTableExitsWithOne) {
  const auto dir = test::ScratchDirectory();
  const Outcome missing = Lumispec(dir, {"--kv", "100", "--angle", "12", "--inherent", "2.5"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("Mus2018.dat"), std::string::npos) << missing.err;
  EXPECT_EQ(missing.out, "");

  test::WriteText(dir / "Mus2018.dat", "0.5,1,2,oops\r\n");
  const Outcome broken = Lumispec(dir, {"--kv", "100", "--angle", "12", "--inherent", "2.5"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("record 1, field 4: 'oops' is not a number"), std::string::npos)
      << broken.err;
}

TEST(Lumispec, HelpExplainsEveryOption) {
  const Outcome help = Lumispec(test::ScratchDirectory(), {"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option :
       {"--kv", "--angle", "--inherent", "--al", "--cu", "--table", "-o", "Exit status"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace lumora
