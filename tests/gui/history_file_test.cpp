#include "history_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

namespace {

TEST(FormatHistories, KeepsThreeSignificantDigitsWithASignedExponent) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {1e7, "1.00E+07"},       {10000000, "1.00E+07"}, {123456, "1.23E+05"},
      {500000000, "5.00E+08"}, {10000, "1.00E+04"},    {1, "1.00E+00"},
      {0.5, "5.00E-01"},       {9.999e7, "1.00E+08"},  // the carry moves the exponent
      {1225, "1.23E+03"},                              // a half rounds away from zero
      {1235, "1.24E+03"},      {1224.9, "1.22E+03"},   {1e100, "1.00E+100"},
  };
  for (const auto& c : cases) EXPECT_EQ(lumora::FormatHistories(c.value), c.text) << c.value;
}

TEST(WriteHistoryFile, ReplacesTheFileWithOneCrLfLine) {
  QTemporaryDir dir;
  const std::filesystem::path file = dir.filePath("history.dat").toStdString();
  std::ofstream(file) << "an older and much longer content\n";
  ASSERT_EQ(lumora::WriteHistoryFile(file, 123456), "");
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "1.23E+05\r\n");
}

TEST(WriteHistoryFile, ReportsAFileThatCannotBeWritten) {
  QTemporaryDir dir;
  const std::filesystem::path file = dir.filePath("missing/history.dat").toStdString();
  const std::string error = lumora::WriteHistoryFile(file, 1e7);
  EXPECT_NE(error.find("history.dat"), std::string::npos) << error;
}

}  // namespace
