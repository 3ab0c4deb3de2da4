#include "spectrum_file.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace lumora {
namespace {

std::string Line(const std::string& text, int bin) {
  std::size_t start = 0;
  for (int i = 1; i < bin; ++i) start = text.find("\r\n", start) + 2;
  return text.substr(start, text.find("\r\n", start) + 2 - start);
}

TEST(SpectrumFile, LinesFollowTheFixedLayout) {
  BinTable spectrum{};
  spectrum[2] = 5.0E-100;  // three-digit exponent: the field grows by one character
  spectrum[3] = 1.2345678e-3;
  spectrum[4] = 0.99996;  // rounding carries into the exponent
  spectrum[5] = 0.53125;  // exactly halfway: rounds away from zero
  spectrum[6] = 0.53135;  // just below halfway in binary
  spectrum[150] = 1.0;
  spectrum[299] = 2.5e-7;

  const std::string text = FormatSpectrumFile(spectrum);
  const std::pair<int, const char*> lines[] = {
      {1, "000.5  0.000E+00\r\n"},   {2, "001.0  5.000E-100\r\n"},  {3, "001.5  1.235E-03\r\n"},
      {4, "002.0  1.000E+00\r\n"},   {5, "002.5  5.313E-01\r\n"},   {6, "003.0  5.313E-01\r\n"},
      {20, "010.0  0.000E+00\r\n"},  {150, "075.0  1.000E+00\r\n"}, {299, "149.5  2.500E-07\r\n"},
      {300, "150.0  0.000E+00\r\n"},
  };
  for (auto [bin, expected] : lines) EXPECT_EQ(Line(text, bin), expected) << "bin " << bin;

  // 300 lines of 16 characters plus CR LF, one of them a character longer.
  EXPECT_EQ(text.size(), 300u * 18 + 1);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(SpectrumFile, WriterReplacesTheFileWhole) {
  const auto dir = test::ScratchDirectory();
  const auto file = dir / "P_Spectrum.dat";
  test::WriteText(file, std::string(20000, 'x'));  // an earlier, longer file
  BinTable spectrum{};
  spectrum[100] = 1.0;

  EXPECT_EQ(WriteSpectrumFile(file, spectrum), "");
  EXPECT_EQ(test::ReadText(file), FormatSpectrumFile(spectrum));

  const std::string error = WriteSpectrumFile(dir / "missing" / "P_Spectrum.dat", spectrum);
  EXPECT_NE(error.find("P_Spectrum.dat"), std::string::npos) << error;
}

}  // namespace
}  // namespace lumora
