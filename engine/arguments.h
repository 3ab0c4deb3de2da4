#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// Settings of one engine run taken from the command line. Without arguments
// the engine runs as it always has: both waits for Enter, one random stream.
struct EngineOptions {
  bool batch = false;  // skip the two waits for Enter; the console text is unchanged
  int threads = 1;     // workers per energy bin; 1 is the single-stream engine
};

constexpr int MAX_THREADS = 256;

// Outcome of reading the arguments: `error` is empty when they were valid;
// `help` asks for the usage text only.
struct ParsedArguments {
  EngineOptions options;
  bool help = false;
  std::string error;
};

// Reads the arguments after the program name. `hardware_threads` is what
// `--threads auto` stands for (0, an unknown count, gives 1).
ParsedArguments parse_engine_arguments(const std::vector<std::string_view>& args,
                                       unsigned hardware_threads);

// Shown on standard output for --help, and on standard error after a bad argument.
constexpr std::string_view ENGINE_USAGE =
    "Usage: Lumicore-1 [--batch] [--threads N|auto]\n"
    "\n"
    "Simulates the exit-plane images of the water phantom from Water.mix, Water.xfs,\n"
    "P_Spectrum.dat and history.dat in the working directory and writes Result.dat.\n"
    "Without options it waits for Enter before and after the simulation and draws\n"
    "every photon from its single fixed random stream.\n"
    "\n"
    "Options:\n"
    "  --batch         do not wait for Enter (the console text is otherwise the same)\n"
    "  --threads N     split each energy bin's photons across N workers (1 to 256),\n"
    "                  each with its own fixed random stream; the same inputs and N\n"
    "                  always give the same Result.dat. N = 1 is the single-stream run.\n"
    "  --threads auto  one worker per hardware thread of this machine\n"
    "  --help          show this text and exit\n"
    "\n"
    "Exit status: 0 after a complete run, 1 after a run-time error (an input file that\n"
    "cannot be read, a Result.dat that cannot be written), 2 for an unknown option or a\n"
    "bad value (this text is then shown on standard error).\n";

}  // namespace lumora
