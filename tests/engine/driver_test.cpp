// End-to-end runs of the built Lumicore-1 in a directory of fixture files,
// with standard input fed from a file and the clock fields masked.
#include "driver.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <sstream>

#include "engine_test_files.h"
#include "tally.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::fresh_dir;
using test::slurp;
using test::write_text;

TEST(BinPhotons, TruncatedProductInSixtyFourBits) {
  EXPECT_EQ(bin_photon_count(0.0123f, 1.0e7f), 122999);  // 0.0122999996... * 1e7
  EXPECT_EQ(bin_photon_count(1.0f, 3.0e9f), 3000000000LL);
  EXPECT_EQ(bin_photon_count(0.5f, 1.0e10f), 5000000000LL);
  EXPECT_EQ(bin_photon_count(1.0e-4f, 1000.0f), 0);
  EXPECT_EQ(bin_photon_count(0.5f, -1000.0f), -500);
}

struct EngineRun {
  int status;
  std::string out;
  std::string err;
};

EngineRun run_engine_in(const fs::path& dir, const std::string& input,
                        const std::string& args = "") {
  write_text(dir / "stdin.txt", input);
  const std::string command = "cd '" + dir.string() + "' && LC_ALL=C.UTF-8 '" LUMICORE_EXE "' " +
                              args + " < stdin.txt > stdout.txt 2> stderr.txt";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "stdout.txt"),
          slurp(dir / "stderr.txt")};
}

std::string mask_clock(const std::string& out) {
  static const std::regex clock("=( \\d|1\\d|2[0-3]):( \\d|[1-5]\\d):( \\d|[1-5]\\d)\n");
  return std::regex_replace(out, clock, "=hh:mm:ss\n");
}

const std::string kBanner =
    " \n"
    "      ******    モンテカルロシミュレーション    ******\n"
    " \n"
    "      30×30×20 cm の直方体水ファントムの中央に\n"
    "      FSD = 80 cm, 照射野 20×20 cm でＸ線束が入射した時\n"
    "      ファントムの反対側に射出する一次線光子および\n"
    "      散乱線光子の強度（光子数×光子エネルギー）の\n"
    "      ２次元分布（被写体コントラスト）を求める\n"
    " \n"
    "            シミュレーションが終了するまで\n"
    "      このウィンドウ上での操作は行なわないで下さい\n"
    " \n"
    "        ---  Enter キーを押すとスタートします ---\n";
const std::string kStart =
    " \n"
    " <<< Monte Carlo Simulation >>>\n"
    " 開始時刻 =hh:mm:ss\n";
const std::string kReport =
    " \n"
    " 開始時刻 =hh:mm:ss\n"
    " 終了時間 =hh:mm:ss\n"
    " \n";
const std::string kClosing =
    " \n"
    "  ---   シミュレーションが終了しました  ---\n"
    "  ---      Enter キーを押して下さい     ---\n"
    "Stop - Program terminated.\n";

// Fixture tables, a spectrum and a number of histories in a fresh directory.
fs::path prepared_dir(const std::map<int, std::string>& spectrum, const std::string& histories) {
  const fs::path dir = fresh_dir();
  test::copy_water_tables(dir);
  write_text(dir / "P_Spectrum.dat", test::spectrum_text(spectrum));
  write_text(dir / "history.dat", histories + "\r\n");
  return dir;
}

// Bin 1 is never simulated, bin 5 is empty and bin 6's count is below 1:
// progress lines for bins 4 and 120 only.
const std::map<int, std::string> kSkippingSpectrum = {
    {1, "  5.000E-01"}, {4, "  1.000E+00"}, {6, "  1.000E-04"}, {120, "  5.000E-01"}};

TEST(Dialogue, RunWithSkippedBins) {
  const fs::path dir = prepared_dir(kSkippingSpectrum, "1.00E+03");
  const EngineRun run = run_engine_in(dir, "typed text\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(mask_clock(run.out), kBanner + kStart +
                                     " *   4 / 120  を処理中\n"
                                     " * 120 / 120  を処理中\n" +
                                     kReport + kClosing);
  const std::string result = slurp(dir / "Result.dat");
  EXPECT_EQ(result.size(), 675912u);
  EXPECT_NE(result.find("  .600E+02"), std::string::npos) << "60 keV primaries were scored";
}

TEST(Dialogue, LastBinOneSimulatesNothingAndEndOfInputCountsAsEnter) {
  const fs::path dir = prepared_dir({{1, "  1.000E+00"}}, "1.00E+07");
  const EngineRun run = run_engine_in(dir, "");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(mask_clock(run.out), kBanner + kStart + kReport + kClosing);
  ImageTally empty;
  EXPECT_EQ(slurp(dir / "Result.dat"), format_result_file(empty));
}

TEST(Dialogue, TwoRunsWriteIdenticalResults) {
  const std::map<int, std::string> spectrum = {
      {60, "  4.000E-01"}, {120, "  1.000E+00"}, {200, "  2.500E-01"}};
  const fs::path dir = prepared_dir(spectrum, "4.00E+03");
  ASSERT_EQ(run_engine_in(dir, "\n\n").status, 0);
  const std::string first = slurp(dir / "Result.dat");
  ASSERT_EQ(run_engine_in(dir, "\n\n").status, 0);
  EXPECT_EQ(slurp(dir / "Result.dat"), first);
  EXPECT_EQ(first.size(), 675912u);
}

ClockTime fixed_clock() {
  return {9, 5, 3};
}

// In-process runs, so that what is left of standard input can be seen:
// --batch reads none of it and shows exactly the same text.
TEST(Dialogue, BatchSkipsBothWaitsAndChangesNothingElse) {
  const fs::path dir = prepared_dir(kSkippingSpectrum, "1.00E+03");
  std::string results[2];
  std::string outputs[2];
  for (const bool batch : {false, true}) {
    std::istringstream in("first\nsecond\nleft over\n");
    std::ostringstream out;
    std::ostringstream err;
    const EngineConsole console{in, out, err, ConsoleEncoding::Utf8, fixed_clock};
    EngineOptions options;
    options.batch = batch;
    ASSERT_EQ(run_engine(console, dir, options), 0);
    EXPECT_EQ(err.str(), "");
    std::string rest;
    std::getline(in, rest, '\0');
    EXPECT_EQ(rest, batch ? "first\nsecond\nleft over\n" : "left over\n");
    outputs[batch] = out.str();
    results[batch] = slurp(dir / "Result.dat");
  }
  EXPECT_EQ(mask_clock(outputs[0]), kBanner + kStart +
                                        " *   4 / 120  を処理中\n"
                                        " * 120 / 120  を処理中\n" +
                                        kReport + kClosing);
  EXPECT_EQ(outputs[1], outputs[0]);
  EXPECT_EQ(results[1], results[0]);
}

// A bad command line is refused before anything is read or written: the
// problem and the usage on standard error, exit status 2.
TEST(CommandLine, BadArgumentsShowTheUsageAndExitWithTwo) {
  for (const char* args : {"--fast", "--threads 0", "--threads", "--batch extra"}) {
    const fs::path dir = prepared_dir(kSkippingSpectrum, "1.00E+03");
    const EngineRun run = run_engine_in(dir, "\n\n", args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.out, "") << args;
    EXPECT_EQ(run.err.rfind("Lumicore-1: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(ENGINE_USAGE), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "Result.dat")) << args;
  }
  const EngineRun help = run_engine_in(fresh_dir(), "", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, ENGINE_USAGE);
}

// 64-bit FNV-1a hash of a text.
std::uint64_t fnv1a(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// Guards the exact sequence of draws and the floating-point policy: any change
// to either changes Result.dat. The gold hash was taken from this engine; if a
// change is meant to alter the results, the failure message prints the new hash.
TEST(Dialogue, ResultMatchesTheGoldRun) {
  const std::map<int, std::string> spectrum = {
      {20, "  3.000E-01"}, {60, "  4.000E-01"}, {120, "  1.000E+00"}, {200, "  2.500E-01"}};
  const fs::path dir = prepared_dir(spectrum, "5.00E+03");
  ASSERT_EQ(run_engine_in(dir, "\n\n").status, 0);
  const std::string result = slurp(dir / "Result.dat");
  EXPECT_EQ(fnv1a(result), 0x9abe41bee7123363ull) << std::hex << "0x" << fnv1a(result);
}

// The golden Result.dat of a 10^5-history run on the fixture tables and the
// 100 kV spectrum (tests/engine/gold; regenerate.sh there rewrites it from the
// built engine when a change is meant to alter the results). Every faster
// implementation must write the same bytes.
TEST(Dialogue, ResultMatchesTheGoldenFile) {
  const fs::path gold = LUMORA_ENGINE_GOLD;
  const std::string expected = slurp(gold / "Result.dat");
  ASSERT_EQ(expected.size(), 675912u);
  for (const char* args : {"--batch", "--batch --threads 1"}) {
    const fs::path dir = fresh_dir();
    test::copy_water_tables(dir);
    fs::copy_file(gold / "P_Spectrum.dat", dir / "P_Spectrum.dat");
    fs::copy_file(gold / "history.dat", dir / "history.dat");
    ASSERT_EQ(run_engine_in(dir, "", args).status, 0);
    const std::string result = slurp(dir / "Result.dat");
    const auto [differs, unused] =
        std::mismatch(expected.begin(), expected.end(), result.begin(), result.end());
    const auto line = std::count(expected.begin(), differs, '\n') + 1;
    EXPECT_TRUE(result == expected) << args << ": Result.dat differs from line " << line;
  }
}

// Several workers: the same dialogue, and the same Result.dat every time for
// the same number of workers (not the single stream's).
TEST(Dialogue, MultiCoreRunsRepeatExactly) {
  const fs::path dir = prepared_dir(kSkippingSpectrum, "2.00E+04");
  ASSERT_EQ(run_engine_in(dir, "\n\n").status, 0);
  const std::string single = slurp(dir / "Result.dat");
  const EngineRun first = run_engine_in(dir, "\n\n", "--threads 2");
  ASSERT_EQ(first.status, 0);
  EXPECT_EQ(mask_clock(first.out), kBanner + kStart +
                                       " *   4 / 120  を処理中\n"
                                       " * 120 / 120  を処理中\n" +
                                       kReport + kClosing);
  const std::string result = slurp(dir / "Result.dat");
  ASSERT_EQ(run_engine_in(dir, "", "--batch --threads 2").status, 0);
  EXPECT_EQ(slurp(dir / "Result.dat"), result);
  EXPECT_EQ(result.size(), 675912u);
  EXPECT_NE(result, single);
}

// Unusable input ends the run before the banner, names the file on standard
// error, exits with 1, and leaves an earlier Result.dat as it was.
TEST(Dialogue, InputErrorsEndTheRunBeforeTheBanner) {
  struct Case {
    const char* file;
    std::string text;  // empty: the file is removed
    const char* report;
  };
  const Case cases[] = {
      {"Water.mix", "", "run-time error opening Water.mix: "},
      {"Water.mix", "Water\r\n1.0\r\n81\r\n",
       "run-time error reading Water.mix: line 3: the row count 81"},
      {"Water.xfs", " 1.000E-01 1.00000E+01 0.00000E+00\r\n", "run-time error reading Water.xfs: "},
      {"P_Spectrum.dat", test::spectrum_text({}), "run-time error reading P_Spectrum.dat: "},
      {"history.dat", "1.0E+39\r\n", "run-time error reading history.dat: "},
  };
  for (const Case& c : cases) {
    const fs::path dir = prepared_dir(kSkippingSpectrum, "1.00E+03");
    write_text(dir / "Result.dat", "previous result");
    if (c.text.empty()) {
      fs::remove(dir / c.file);
    } else {
      write_text(dir / c.file, c.text);
    }
    const EngineRun run = run_engine_in(dir, "\n\n");
    EXPECT_EQ(run.status, 1) << c.file;
    EXPECT_EQ(run.out, "") << c.file;
    EXPECT_EQ(run.err.rfind(c.report, 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(slurp(dir / "Result.dat"), "previous result");
  }
}

TEST(Dialogue, FailedResultWriteEndsTheRunBeforeTheClosingLines) {
  const fs::path dir = prepared_dir(kSkippingSpectrum, "1.00E+02");
  fs::create_directories(dir / "Result.dat" / "inside");  // cannot be replaced by a file
  const EngineRun run = run_engine_in(dir, "\n\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("run-time error writing Result.dat: ", 0), 0u) << run.err;
  EXPECT_EQ(mask_clock(run.out), kBanner + kStart +
                                     " *   4 / 120  を処理中\n"
                                     " * 120 / 120  を処理中\n" +
                                     kReport);
  EXPECT_TRUE(fs::is_directory(dir / "Result.dat" / "inside"));
}

}  // namespace
}  // namespace lumora
