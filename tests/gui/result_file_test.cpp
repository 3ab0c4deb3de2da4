#include "result_file.h"

#include <gtest/gtest.h>

#include <optional>

#include "result_fixture.h"

namespace fs = std::filesystem;
using lumora::ImageTable;
using lumora::LoadResultFile;

namespace {

class ResultFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One directory per test, so that tests run in parallel do not share a file.
    dir_ = fs::temp_directory_path() /
           (std::string("lumora_result_file_test_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& text) {
    fs::path file = dir_ / "Result.dat";
    fixture::WriteFile(file, text);
    return file;
  }

  fs::path dir_;
};

TEST_F(ResultFileTest, EngineLayoutFillsEveryCellInFileOrder) {
  ImageTable images;
  double imageMax = 0;
  ASSERT_EQ(LoadResultFile(Write(fixture::EngineLayout(fixture::Varied)), images, imageMax), "");
  for (int kind = 1; kind <= 3; ++kind)
    for (int j = 1; j <= 150; ++j)
      for (int i = 1; i <= 150; ++i)
        ASSERT_EQ(images(kind, i, j), fixture::Varied(kind, i, j)) << kind << " " << i << " " << j;
  EXPECT_EQ(imageMax, 1480);  // the all-photon image holds the largest sum
}

TEST_F(ResultFileTest, LayoutsWithTheSameItemsLoadAlike) {
  ImageTable expected;
  double expectedMax = 0;
  ASSERT_EQ(LoadResultFile(Write(fixture::EngineLayout(fixture::Varied)), expected, expectedMax),
            "");
  const std::vector<std::string> items = fixture::ResultItems(fixture::Varied);
  const std::vector<std::string> zeros = fixture::ResultItems(fixture::Varied, {"0", "0", "0"});
  std::string commas = fixture::Join(items, ",");
  commas.pop_back();
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"everything on one line", fixture::Join(items, " ")},
      {"one item per line, LF", fixture::Join(items, "\n")},
      {"commas, no final line end", commas},
      {"image numbers 0 0 0", fixture::Join(zeros, "\r\n")},
      {"items after the last are ignored", fixture::Join(items, " ") + "9.99E+09 junk ,,"},
      {"blanks and tabs around items", "  \t" + fixture::Join(items, " \t ,  ")},
  };
  for (const auto& c : cases) {
    ImageTable images;
    double imageMax = -1;
    ASSERT_EQ(LoadResultFile(Write(c.text), images, imageMax), "") << c.name;
    EXPECT_TRUE(images == expected) << c.name;
    EXPECT_EQ(imageMax, expectedMax) << c.name;
  }
}

TEST_F(ResultFileTest, NumberNotationsAndTheLargestValueOfAnyImage) {
  std::vector<std::string> items = fixture::ResultItems([](int, int, int) { return 0.0; });
  items[1] = ".123E+02";      // image 1, cell (1, 1)
  items[2] = "12.5";          // plain notation
  items[3] = "+4e1";          // explicit sign, lower-case exponent
  items[22502] = "-3";        // image 2, cell (1, 1); never written by the engine
  items[22505] = ".999E+06";  // image 2, cell (4, 1)
  items[22501 + 150] = "7";   // image 2, cell (150, 1): i runs fastest
  items[22501 + 151] = "8";   // image 2, cell (1, 2)
  ImageTable images;
  double imageMax = 0;
  ASSERT_EQ(LoadResultFile(Write(fixture::Join(items, " ")), images, imageMax), "");
  EXPECT_EQ(images(1, 1, 1), 12.3);
  EXPECT_EQ(images(1, 2, 1), 12.5);
  EXPECT_EQ(images(1, 3, 1), 40.0);
  EXPECT_EQ(images(2, 1, 1), -3.0);
  EXPECT_EQ(images(2, 4, 1), 999000.0);
  EXPECT_EQ(images(2, 150, 1), 7.0);
  EXPECT_EQ(images(2, 1, 2), 8.0);
  EXPECT_EQ(imageMax, 999000.0);  // found in the scattered image
}

TEST_F(ResultFileTest, FailuresNameTheFileAndKeepThePreviousImages) {
  const std::vector<std::string> items = fixture::ResultItems(fixture::Varied);
  const auto replaced = [&](std::size_t index, const std::string& item) {
    std::vector<std::string> copy = items;
    copy[index] = item;
    return fixture::Join(copy, " ");
  };
  const struct {
    const char* name;
    std::optional<std::string> text;  // no text: the file does not exist
    const char* problem;
  } cases[] = {
      {"missing file", std::nullopt, "が見つかりません"},
      {"empty file", std::string(), "0 個しかありません"},
      {"one item short", fixture::Join(std::vector(items.begin(), items.end() - 1), " "),
       "67502 個しかありません"},
      {"text instead of a value", replaced(4999, "abc"), "5000 番目の項目「abc」"},
      {"image number not a number", replaced(22501, "#2"), "22502 番目の項目「#2」"},
      {"two decimal points", replaced(10, "1.2.3"), "11 番目の項目「1.2.3」"},
      {"number with trailing text", replaced(10, "12kev"), "「12kev」"},
      {"not a finite number", replaced(10, "inf"), "「inf」"},
      {"too large for a double", replaced(10, "1E+999"), "「1E+999」"},
  };
  for (const auto& c : cases) {
    ImageTable images;
    images(3, 150, 150) = 42;
    double imageMax = 42;
    const ImageTable before = images;
    fs::path file = dir_ / "Result.dat";
    if (c.text)
      fixture::WriteFile(file, *c.text);
    else
      fs::remove(file);
    const std::string message = LoadResultFile(file, images, imageMax);
    EXPECT_NE(message.find(file.string()), std::string::npos) << c.name << ": " << message;
    EXPECT_NE(message.find(c.problem), std::string::npos) << c.name << ": " << message;
    EXPECT_TRUE(images == before) << c.name;
    EXPECT_EQ(imageMax, 42) << c.name;
  }
}

}  // namespace
