// The control program's writers cut short: an earlier file is either replaced
// by a complete new one or left exactly as it was.
#include <gtest/gtest.h>
#include <signal.h>

#include "child_process.h"
#include "history_file.h"
#include "kill_in_write.h"
#include "spectrum_file.h"
#include "test_files.h"

namespace lumora {
namespace {

TEST(WriterFaults, KilledWhileWritingTheSpectrumLeavesTheEarlierFile) {
  const auto dir = test::ScratchDirectory();
  const auto file = dir / "P_Spectrum.dat";
  BinTable spectrum{};
  spectrum[150] = 1;
  const std::string earlier = FormatSpectrumFile(BinTable{});
  test::WriteText(file, earlier);

  const test::ChildOutcome run = test::run_in_child([&](std::ostream& err) {
    test::kill_in_write_of("P_Spectrum.dat");
    err << WriteSpectrumFile(file, spectrum);
    return 0;
  });
  ASSERT_EQ(run.signal, SIGKILL) << "the writer was not killed while writing: " << run.err;
  EXPECT_TRUE(test::ReadText(file) == earlier);

  // Unarmed, the same writer replaces the file whole.
  EXPECT_EQ(WriteSpectrumFile(file, spectrum), "");
  EXPECT_TRUE(test::ReadText(file) == FormatSpectrumFile(spectrum));
}

TEST(WriterFaults, KilledWhileWritingTheHistoriesLeavesTheEarlierFile) {
  const auto file = test::ScratchDirectory() / "history.dat";
  test::WriteText(file, "1.00E+07\r\n");

  const test::ChildOutcome run = test::run_in_child([&](std::ostream& err) {
    test::kill_in_write_of("history.dat");
    err << WriteHistoryFile(file, 123456);
    return 0;
  });
  ASSERT_EQ(run.signal, SIGKILL) << "the writer was not killed while writing: " << run.err;
  EXPECT_EQ(test::ReadText(file), "1.00E+07\r\n");

  EXPECT_EQ(WriteHistoryFile(file, 123456), "");
  EXPECT_EQ(test::ReadText(file), "1.23E+05\r\n");
}

}  // namespace
}  // namespace lumora
