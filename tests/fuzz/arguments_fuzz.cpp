// The engine's command-line reader: any arguments (the input split at NUL
// bytes) are either refused with a message or give a batch flag and a worker
// count from 1 to MAX_THREADS.
#include <algorithm>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "fuzz_support.h"

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> args;
  for (std::size_t begin = 0; begin <= text.size();) {
    const std::size_t end = std::min(text.find('\0', begin), text.size());
    args.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  for (unsigned hardware_threads : {0u, 2u, 1000u}) {
    const ParsedArguments parsed = parse_engine_arguments(args, hardware_threads);
    if (!parsed.error.empty()) continue;
    fuzz::check(parsed.options.threads >= 1 && parsed.options.threads <= MAX_THREADS,
                "worker count outside 1 to MAX_THREADS");
  }
  return 0;
}
