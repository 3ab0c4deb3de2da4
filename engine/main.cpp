// Lumicore-1: the console Monte Carlo engine. It reads Water.mix, Water.xfs,
// P_Spectrum.dat and history.dat from the working directory, simulates the
// exit-plane images of the water phantom and writes them to Result.dat.
#include <iostream>

#include "console.h"
#include "driver.h"

int main() {
  const lumora::ConsoleEncoding encoding = lumora::console_encoding_from_locale();
  const lumora::EngineConsole console{std::cin, std::cout, std::cerr, encoding,
                                      lumora::read_local_clock};
  return lumora::run_engine(console, {});
}
