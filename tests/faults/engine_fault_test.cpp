// The engine cut short or refused: whatever happens, an earlier Result.dat is
// either replaced by a complete new file or left exactly as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

#include "child_process.h"
#include "driver.h"
#include "engine_test_files.h"
#include "kill_in_write.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::write_text;

const std::string kPrevious = "previous result\r\n";

// The file's text, shortened when long so that a failure message stays readable.
std::string text_of(const fs::path& file) {
  const std::string text = test::slurp(file);
  if (text.size() <= 200) return text;
  return text.substr(0, 100) + "... (" + std::to_string(text.size()) + " bytes)";
}

ClockTime noon() {
  return {12, 0, 0};
}

// The fixture tables, a two-bin spectrum, `histories` and an earlier Result.dat.
fs::path prepared_dir(const std::string& histories) {
  const fs::path dir = test::fresh_dir();
  test::copy_water_tables(dir);
  write_text(dir / "P_Spectrum.dat",
             test::spectrum_text({{40, "  1.000E+00"}, {120, "  5.000E-01"}}));
  write_text(dir / "history.dat", histories + "\r\n");
  write_text(dir / "Result.dat", kPrevious);
  return dir;
}

// One engine run in `dir`, in this process, with both Enter waits answered.
int run_engine_here(const fs::path& dir, std::ostream& out, std::ostream& err) {
  std::istringstream in("\n\n");
  return run_engine({in, out, err, ConsoleEncoding::Utf8, noon}, dir);
}

TEST(EngineFaults, KilledWhileWritingResultLeavesTheEarlierFile) {
  for (bool earlier_file : {true, false}) {
    const fs::path dir = prepared_dir("1.00E+02");
    if (!earlier_file) fs::remove(dir / "Result.dat");
    const test::ChildOutcome run = test::run_in_child([&](std::ostream& err) {
      test::kill_in_write_of("Result.dat");
      std::ostringstream out;
      return run_engine_here(dir, out, err);
    });
    ASSERT_EQ(run.signal, SIGKILL) << "the run was not killed while writing: " << run.err;
    if (earlier_file) {
      EXPECT_EQ(text_of(dir / "Result.dat"), kPrevious);
    } else {
      EXPECT_FALSE(fs::exists(dir / "Result.dat"));
    }
  }
}

// The real program, killed from outside as soon as it reports its first bin.
TEST(EngineFaults, KilledDuringTheSimulationLeavesTheEarlierFile) {
  const fs::path dir = prepared_dir("1.00E+08");
  int to_engine[2];
  int from_engine[2];
  ASSERT_EQ(::pipe(to_engine), 0);
  ASSERT_EQ(::pipe(from_engine), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::dup2(to_engine[0], 0);
    ::dup2(from_engine[1], 1);
    for (int fd : {to_engine[0], to_engine[1], from_engine[0], from_engine[1]}) ::close(fd);
    if (::chdir(dir.c_str()) != 0) ::_exit(125);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ::execl(LUMICORE_EXE, LUMICORE_EXE, static_cast<char*>(nullptr));
    ::_exit(126);
  }
  ::close(to_engine[0]);
  ::close(from_engine[1]);
  ASSERT_EQ(::write(to_engine[1], "\n", 1), 1);
  std::string out;
  char buffer[256];
  for (ssize_t n; out.find("を処理中") == std::string::npos &&
                  (n = ::read(from_engine[0], buffer, sizeof buffer)) > 0;) {
    out.append(buffer, n);
  }
  ::kill(pid, SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ::close(to_engine[1]);
  ::close(from_engine[0]);
  ASSERT_NE(out.find(" *  40 / 120  を処理中"), std::string::npos) << out;
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  EXPECT_EQ(text_of(dir / "Result.dat"), kPrevious);
}

// Root may write anywhere, so a child of root runs as an unprivileged user.
TEST(EngineFaults, UnwritableWorkingDirectoryIsReportedAndChangesNothing) {
  const fs::path dir = prepared_dir("1.00E+02");
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const test::ChildOutcome run = test::run_in_child(
      [&](std::ostream& err) {
        std::ostringstream out;
        return run_engine_here(dir, out, err);
      },
      true);
  fs::permissions(dir, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.err.rfind("run-time error writing " + (dir / "Result.dat").string() + ": ", 0), 0u)
      << run.err;
  EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
  EXPECT_EQ(text_of(dir / "Result.dat"), kPrevious);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 5);
}

// The first `lines` lines of a text (each with its line end).
std::string first_lines(const std::string& text, int lines) {
  std::size_t end = 0;
  for (int i = 0; i < lines; ++i) end = text.find('\n', end) + 1;
  return text.substr(0, end);
}

// `text` with the characters at 1-based positions first..last of line `line` replaced by "x".
std::string with_garbage(const std::string& text, int line, int first, int last) {
  std::size_t begin = 0;
  for (int i = 1; i < line; ++i) begin = text.find('\n', begin) + 1;
  std::string out = text;
  out.replace(begin + first - 1, last - first + 1, std::string(last - first + 1, 'x'));
  return out;
}

// Every input file missing, cut after each of its lines, and with a garbage
// field: each run ends before the banner with one "run-time error " line that
// names the file, exit status 1, and the earlier Result.dat untouched.
TEST(EngineFaults, EveryBrokenInputNamesItsFileAndKeepsTheResult) {
  const fs::path dir = prepared_dir("1.00E+03");
  std::map<std::string, std::string> good;
  for (const char* name : {"Water.mix", "Water.xfs", "P_Spectrum.dat", "history.dat"}) {
    good[name] = test::slurp(dir / name);
  }
  struct Case {
    std::string file;
    std::string text;  // empty with `missing`
    bool missing = false;
  };
  std::vector<Case> cases;
  const std::map<std::string, int> needed_lines = {
      {"Water.mix", 18}, {"Water.xfs", 45}, {"P_Spectrum.dat", 300}, {"history.dat", 1}};
  for (const auto& [name, lines] : needed_lines) {
    cases.push_back({name, "", true});
    for (int k = 0; k < lines; ++k) cases.push_back({name, first_lines(good[name], k)});
  }
  // A field that is not a number in every column of each layout.
  for (auto [line, first, last] : {std::tuple{2, 1, 3},
                                   {3, 1, 2},
                                   {4, 1, 9},
                                   {5, 10, 19},
                                   {6, 20, 29},
                                   {7, 30, 39},
                                   {8, 40, 49},
                                   {18, 50, 59}}) {
    cases.push_back({"Water.mix", with_garbage(good["Water.mix"], line, first, last)});
  }
  for (auto [line, first, last] : {std::tuple{1, 1, 10}, {20, 11, 22}, {45, 23, 34}}) {
    cases.push_back({"Water.xfs", with_garbage(good["Water.xfs"], line, first, last)});
  }
  for (auto [line, first, last] : {std::tuple{1, 1, 5}, {150, 6, 16}, {300, 8, 8}}) {
    cases.push_back({"P_Spectrum.dat", with_garbage(good["P_Spectrum.dat"], line, first, last)});
  }
  cases.push_back({"history.dat", "x.00E+07\r\n"});

  for (const Case& c : cases) {
    for (const auto& [name, text] : good) write_text(dir / name, text);
    if (c.missing) {
      fs::remove(dir / c.file);
    } else {
      write_text(dir / c.file, c.text);
    }
    std::ostringstream out;
    std::ostringstream err;
    const std::string what = c.file + (c.missing ? " missing" : ":\n" + c.text.substr(0, 200));
    EXPECT_EQ(run_engine_here(dir, out, err), 1) << what;
    EXPECT_EQ(out.str(), "") << what;
    const std::string report = err.str();
    const std::string operation = c.missing ? "opening " : "reading ";
    EXPECT_EQ(report.rfind("run-time error " + operation + (dir / c.file).string() + ": ", 0), 0u)
        << what << "\n"
        << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
    EXPECT_EQ(text_of(dir / "Result.dat"), kPrevious) << what;
  }
}

}  // namespace
}  // namespace lumora
