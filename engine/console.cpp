#include "console.h"

#include <iconv.h>
#include <langinfo.h>

#include <cctype>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <istream>
#include <ostream>

#include "run_time_error.h"

namespace lumora {

namespace {

std::string clock_line(const char* label, ClockTime t) {
  char text[64];
  std::snprintf(text, sizeof text, "%s =%2d:%2d:%2d", label, t.hour, t.minute, t.second);
  return text;
}

}  // namespace

std::string start_line(ClockTime start) {
  return clock_line(" 開始時刻", start);
}

std::string end_line(ClockTime end) {
  return clock_line(" 終了時間", end);
}

std::string progress_line(int bin, int last_bin) {
  char text[64];
  std::snprintf(text, sizeof text, " * %3d / %3d  を処理中", bin, last_bin);
  return text;
}

ClockTime read_local_clock() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_hour, local.tm_min, local.tm_sec};
}

ConsoleEncoding console_encoding_for(std::string_view codeset) {
  std::string name;
  for (char c : codeset) {
    if (c != '-' && c != '_')
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  for (std::string_view sjis : {"SHIFTJIS", "SJIS", "CP932", "WINDOWS31J", "MSKANJI"}) {
    if (name == sjis) return ConsoleEncoding::Cp932;
  }
  return ConsoleEncoding::Utf8;
}

ConsoleEncoding console_encoding_from_locale() {
  std::setlocale(LC_CTYPE, "");
  return console_encoding_for(nl_langinfo(CODESET));
}

std::string encode_console_text(std::string_view utf8, ConsoleEncoding encoding) {
  if (encoding == ConsoleEncoding::Utf8) return std::string(utf8);
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw RunTimeError(std::string("converting console text to CP932: ") + std::strerror(errno));
  }
  std::string in(utf8);
  std::string out(in.size() * 2 + 4, '\0');
  char* src = in.data();
  std::size_t src_left = in.size();
  char* dst = out.data();
  std::size_t dst_left = out.size();
  const std::size_t done = iconv(cd, &src, &src_left, &dst, &dst_left);
  const int err = errno;
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) {
    throw RunTimeError(std::string("converting console text to CP932: ") + std::strerror(err));
  }
  out.resize(out.size() - dst_left);
  return out;
}

void show_line(std::ostream& out, ConsoleEncoding encoding, std::string_view utf8) {
  out << encode_console_text(utf8, encoding) << '\n';
}

void wait_for_enter(std::istream& in) {
  std::string discarded;
  std::getline(in, discarded);
}

}  // namespace lumora
