#include "arguments.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(Arguments, ValidCommandLines) {
  struct Case {
    std::vector<std::string_view> args;
    bool batch;
    int threads;
    bool help;
  };
  const Case cases[] = {
      {{}, false, 1, false},
      {{"--batch"}, true, 1, false},
      {{"--threads", "2"}, false, 2, false},
      {{"--threads=3", "--batch"}, true, 3, false},
      {{"--threads", "auto"}, false, 8, false},
      {{"--threads", "256"}, false, 256, false},
      {{"--threads", "4", "--threads", "1"}, false, 1, false},
      {{"--help"}, false, 1, true},
  };
  for (const Case& c : cases) {
    const ParsedArguments p = parse_engine_arguments(c.args, 8);
    const std::string line = c.args.empty() ? "(none)" : std::string(c.args[0]);
    EXPECT_EQ(p.error, "") << line;
    EXPECT_EQ(p.options.batch, c.batch) << line;
    EXPECT_EQ(p.options.threads, c.threads) << line;
    EXPECT_EQ(p.help, c.help) << line;
  }
}

TEST(Arguments, AutoFollowsTheHardwareWithinBounds) {
  EXPECT_EQ(parse_engine_arguments({"--threads", "auto"}, 0).options.threads, 1);
  EXPECT_EQ(parse_engine_arguments({"--threads", "auto"}, 1).options.threads, 1);
  EXPECT_EQ(parse_engine_arguments({"--threads", "auto"}, 1000).options.threads, MAX_THREADS);
}

TEST(Arguments, BadCommandLinesNameTheProblem) {
  struct Case {
    std::vector<std::string_view> args;
    const char* error;
  };
  const Case cases[] = {
      {{"--fast"}, "unknown argument '--fast'"},
      {{"batch"}, "unknown argument 'batch'"},
      {{"--batch", ""}, "unknown argument ''"},
      {{"--threads"}, "--threads needs a value: a number of workers or auto"},
      {{"--threads", "0"}, "--threads takes a whole number from 1 to 256 or auto, not '0'"},
      {{"--threads", "257"}, "--threads takes a whole number from 1 to 256 or auto, not '257'"},
      {{"--threads", "-2"}, "--threads takes a whole number from 1 to 256 or auto, not '-2'"},
      {{"--threads", "2x"}, "--threads takes a whole number from 1 to 256 or auto, not '2x'"},
      {{"--threads="}, "--threads takes a whole number from 1 to 256 or auto, not ''"},
      {{"--threads", "AUTO"}, "--threads takes a whole number from 1 to 256 or auto, not 'AUTO'"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parse_engine_arguments(c.args, 8).error, c.error) << c.args[0];
  }
}

}  // namespace
}  // namespace lumora
