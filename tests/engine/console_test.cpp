#include "console.h"

#include <gtest/gtest.h>

#include <sstream>

#include "run_time_error.h"

namespace lumora {
namespace {

TEST(ConsoleLines, ClockAndProgressFields) {
  EXPECT_EQ(start_line({9, 5, 3}), " 開始時刻 = 9: 5: 3");
  EXPECT_EQ(start_line({23, 59, 50}), " 開始時刻 =23:59:50");
  EXPECT_EQ(end_line({0, 0, 10}), " 終了時間 = 0: 0:10");
  EXPECT_EQ(end_line({10, 47, 2}), " 終了時間 =10:47: 2");
  EXPECT_EQ(progress_line(2, 240), " *   2 / 240  を処理中");
  EXPECT_EQ(progress_line(240, 240), " * 240 / 240  を処理中");
  EXPECT_EQ(progress_line(7, 40), " *   7 /  40  を処理中");
}

TEST(ConsoleEncoding, ShiftJisLocalesGetCp932) {
  for (const char* name : {"SHIFT_JIS", "Shift-JIS", "SJIS", "CP932", "WINDOWS-31J"}) {
    EXPECT_EQ(console_encoding_for(name), ConsoleEncoding::Cp932) << name;
  }
  for (const char* name : {"UTF-8", "utf8", "ANSI_X3.4-1968", "EUC-JP", ""}) {
    EXPECT_EQ(console_encoding_for(name), ConsoleEncoding::Utf8) << name;
  }
}

TEST(ConsoleEncoding, Cp932Bytes) {
  // Multiplication sign 81 7E, full-width X 82 77, full-width 2 82 51,
  // full-width parentheses 81 69 / 81 6A.
  EXPECT_EQ(encode_console_text("30×30", ConsoleEncoding::Cp932),
            "30\x81\x7E"
            "30");
  EXPECT_EQ(encode_console_text("Ｘ２（）", ConsoleEncoding::Cp932),
            "\x82\x77\x82\x51\x81\x69\x81\x6A");
  EXPECT_EQ(encode_console_text("30×30", ConsoleEncoding::Utf8), "30×30");
  for (std::string_view line : BANNER_LINES) {
    EXPECT_NO_THROW(encode_console_text(line, ConsoleEncoding::Cp932)) << line;
  }
  EXPECT_THROW(encode_console_text("θ ≥ ²", ConsoleEncoding::Cp932), RunTimeError);

  std::ostringstream out;
  show_line(out, ConsoleEncoding::Cp932, CLOSING_LINES[1]);
  EXPECT_EQ(out.str(),
            "  ---      Enter "
            "\x83\x4C\x81\x5B\x82\xF0\x89\x9F\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2     ---\n");
}

TEST(WaitForEnter, ReadsOneLineAndTreatsEndOfInputAsEnter) {
  std::istringstream in("typed text is ignored\n\nrest");
  wait_for_enter(in);
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ(rest, "");

  std::istringstream closed("");
  wait_for_enter(closed);
  wait_for_enter(closed);  // returns at once again
  EXPECT_TRUE(closed.eof());
}

}  // namespace
}  // namespace lumora
