// Lumicore-1: the console Monte Carlo engine. It reads Water.mix, Water.xfs,
// P_Spectrum.dat and history.dat from the working directory, simulates the
// exit-plane images of the water phantom and writes them to Result.dat.
// Options (see ENGINE_USAGE): --batch, --threads N|auto, --help.
#include <iostream>
#include <thread>

#include "arguments.h"
#include "console.h"
#include "driver.h"

int main(int argc, char** argv) {
  const lumora::ParsedArguments parsed =
      lumora::parse_engine_arguments({argv + 1, argv + argc}, std::thread::hardware_concurrency());
  if (!parsed.error.empty()) {
    std::cerr << "Lumicore-1: " << parsed.error << "\n\n" << lumora::ENGINE_USAGE;
    return 2;
  }
  if (parsed.help) {
    std::cout << lumora::ENGINE_USAGE;
    return 0;
  }
  const lumora::ConsoleEncoding encoding = lumora::console_encoding_from_locale();
  const lumora::EngineConsole console{std::cin, std::cout, std::cerr, encoding,
                                      lumora::read_local_clock};
  return lumora::run_engine(console, {}, parsed.options);
}
