#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>

namespace lumora {

// The engine's console dialogue. Texts are held in UTF-8 and shown in the
// console's encoding: UTF-8, or cp932 on a Shift-JIS locale.

struct ClockTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

enum class ConsoleEncoding { Utf8, Cp932 };

// A blank line holds one blank character.
constexpr std::string_view BLANK_LINE = " ";

constexpr std::array<std::string_view, 13> BANNER_LINES = {
    BLANK_LINE,
    "      ******    モンテカルロシミュレーション    ******",
    BLANK_LINE,
    "      30×30×20 cm の直方体水ファントムの中央に",
    "      FSD = 80 cm, 照射野 20×20 cm でＸ線束が入射した時",
    "      ファントムの反対側に射出する一次線光子および",
    "      散乱線光子の強度（光子数×光子エネルギー）の",
    "      ２次元分布（被写体コントラスト）を求める",
    BLANK_LINE,
    "            シミュレーションが終了するまで",
    "      このウィンドウ上での操作は行なわないで下さい",
    BLANK_LINE,
    "        ---  Enter キーを押すとスタートします ---",
};

constexpr std::string_view TITLE_LINE = " <<< Monte Carlo Simulation >>>";

constexpr std::array<std::string_view, 2> CLOSING_LINES = {
    "  ---   シミュレーションが終了しました  ---",
    "  ---      Enter キーを押して下さい     ---",
};

constexpr std::string_view STOP_LINE = "Stop - Program terminated.";

// " 開始時刻 =" and " 終了時間 =" followed by hour, minute and second, each
// right-aligned in two places: " 開始時刻 = 9: 5:30".
std::string start_line(ClockTime start);
std::string end_line(ClockTime end);

// " * " bin (3) " / " last_bin (3) "  を処理中".
std::string progress_line(int bin, int last_bin);

// Hour, minute and second of the local wall clock.
ClockTime read_local_clock();

// Cp932 for a Shift-JIS code set name (as nl_langinfo(CODESET) gives it), else UTF-8.
ConsoleEncoding console_encoding_for(std::string_view codeset);

// Takes the character type of the user's locale and returns its console encoding.
ConsoleEncoding console_encoding_from_locale();

// The UTF-8 text converted for the console; throws RunTimeError if it cannot be.
std::string encode_console_text(std::string_view utf8, ConsoleEncoding encoding);

// Writes one line of the dialogue.
void show_line(std::ostream& out, ConsoleEncoding encoding, std::string_view utf8);

// Waits for Enter: reads one line and discards it. End of input counts as Enter.
void wait_for_enter(std::istream& in);

}  // namespace lumora
