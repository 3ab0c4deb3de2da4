#include "arguments.h"

#include <algorithm>
#include <charconv>

namespace lumora {

namespace {

// A whole decimal number from 1 to MAX_THREADS, or "auto"; 0 when invalid.
int thread_count(std::string_view text, unsigned hardware_threads) {
  if (text == "auto") {
    if (hardware_threads == 0) return 1;
    return static_cast<int>(std::min<unsigned>(hardware_threads, MAX_THREADS));
  }
  int n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > MAX_THREADS) return 0;
  return n;
}

}  // namespace

ParsedArguments parse_engine_arguments(const std::vector<std::string_view>& args,
                                       unsigned hardware_threads) {
  ParsedArguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--batch") {
      parsed.options.batch = true;
    } else if (arg == "--help") {
      parsed.help = true;
    } else if (arg == "--threads" || arg.starts_with("--threads=")) {
      std::string_view value;
      if (arg != "--threads") {
        value = arg.substr(arg.find('=') + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        parsed.error = "--threads needs a value: a number of workers or auto";
        return parsed;
      }
      parsed.options.threads = thread_count(value, hardware_threads);
      if (parsed.options.threads == 0) {
        parsed.error = "--threads takes a whole number from 1 to " + std::to_string(MAX_THREADS) +
                       " or auto, not '" + std::string(value) + "'";
        return parsed;
      }
    } else {
      parsed.error = "unknown argument '" + std::string(arg) + "'";
      return parsed;
    }
  }
  return parsed;
}

}  // namespace lumora
