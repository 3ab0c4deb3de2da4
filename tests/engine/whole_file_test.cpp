#include "whole_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

fs::path fresh_dir(const char* name) {
  fs::path dir = fs::temp_directory_path() / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TEST(WholeFile, ReplacesContentAndLeavesNoTemporaryFile) {
  fs::path dir = fresh_dir("lumora_whole_file_replace");
  fs::path target = dir / "Result.dat";
  std::ofstream(target) << "old text that is longer than the new one";

  EXPECT_EQ(lumora::replace_file_whole(target, "new\r\n"), "");
  EXPECT_EQ(slurp(target), "new\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(WholeFile, FailedRenameNamesTheFileAndLeavesNoTemporaryFile) {
  // A directory in the target's place cannot be replaced by a file, even by root.
  fs::path dir = fresh_dir("lumora_whole_file_blocked");
  fs::path target = dir / "history.dat";
  fs::create_directories(target / "inside");

  std::string error = lumora::replace_file_whole(target, "2.00E+07\r\n");
  EXPECT_NE(error.find("history.dat"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_directory(target / "inside"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(WholeFile, MissingDirectoryIsReported) {
  fs::path target = fs::temp_directory_path() / "lumora_no_such_dir" / "P_Spectrum.dat";
  fs::remove_all(target.parent_path());
  std::string error = lumora::replace_file_whole(target, "x");
  EXPECT_NE(error.find("P_Spectrum.dat"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(target));
}

}  // namespace
