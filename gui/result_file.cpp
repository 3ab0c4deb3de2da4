#include "result_file.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <system_error>

namespace lumora {

namespace {

bool IsSeparator(int c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
}

// Reads the next item of the stream; an empty result means the end was reached.
// Only the first MAX_KEPT characters of an overlong item are kept: no number
// needs more, and the message only quotes the start.
std::string NextItem(std::streambuf& in) {
  constexpr std::size_t MAX_KEPT = 40;
  using Traits = std::streambuf::traits_type;
  int c = in.sgetc();
  while (c != Traits::eof() && IsSeparator(c)) c = in.snextc();
  std::string item;
  while (c != Traits::eof() && !IsSeparator(c)) {
    if (item.size() < MAX_KEPT) item.push_back(static_cast<char>(c));
    c = in.snextc();
  }
  return item;
}

// A plain or scientific number, the whole item, finite; the digit before the
// decimal point may be missing (.123E+02). Independent of the C locale.
std::optional<double> ParseNumber(const std::string& item) {
  const char* first = item.data();
  const char* last = first + item.size();
  if (first != last && *first == '+') ++first;
  double value = 0;
  auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::string LoadResultFile(const std::filesystem::path& file, ImageTable& images,
                           double& imageMax) {
  const std::string name = file.string();
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
      return name + " が見つかりません。シミュレーションが終わってから読み込んで下さい。";
    return name + " を開けません。";
  }

  ImageTable fresh;
  double freshMax = 0;
  std::streambuf& buffer = *in.rdbuf();
  int itemNumber = 0;
  std::string failure;
  // Reads the next item as a number; on failure sets `failure` and gives nothing.
  auto nextNumber = [&]() -> std::optional<double> {
    std::string item = NextItem(buffer);
    if (item.empty()) {
      failure = name + " のデータが足りません（" + std::to_string(RESULT_ITEMS) +
                " 個必要なところ " + std::to_string(itemNumber) + " 個しかありません）。";
      return std::nullopt;
    }
    ++itemNumber;
    std::optional<double> value = ParseNumber(item);
    if (!value)
      failure = name + " の " + std::to_string(itemNumber) + " 番目の項目「" + item +
                "」は数値として読めません。";
    return value;
  };

  for (int kind = 1; kind <= IMAGE_KINDS; ++kind) {
    if (!nextNumber()) return failure;  // the image number, not examined
    for (int j = 1; j <= IMAGE_SIZE; ++j) {
      for (int i = 1; i <= IMAGE_SIZE; ++i) {
        std::optional<double> value = nextNumber();
        if (!value) return failure;
        fresh(kind, i, j) = *value;
        if (*value > freshMax) freshMax = *value;
      }
    }
  }
  images = std::move(fresh);
  imageMax = freshMax;
  return {};
}

}  // namespace lumora
