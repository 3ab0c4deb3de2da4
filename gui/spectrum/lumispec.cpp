// lumispec: computes the X-ray spectrum of the spectrum window from the command line and
// writes it in the layout of P_Spectrum.dat, for teachers' scripts and for tests.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "attenuation_table.h"
#include "spectrum_file.h"
#include "tucker_model.h"

namespace {

constexpr int EXIT_OK = 0;
constexpr int EXIT_UNREADABLE = 1;  // the table cannot be read or the output cannot be written
constexpr int EXIT_BAD_INPUT = 2;

constexpr const char* USAGE =
    "Usage: lumispec --kv KV --angle DEG --inherent MM [--al MM] [--cu MM]\n"
    "                [--table FILE] [-o FILE]\n"
    "\n"
    "Computes the relative photon fluence of a tungsten-target X-ray tube with a\n"
    "constant-potential generator by Tucker's semi-empirical formula, in 300 bins of\n"
    "0.5 keV, and writes it in the layout of P_Spectrum.dat (300 lines, CR LF).\n"
    "\n"
    "Options:\n"
    "  --kv KV         tube voltage in kV, 30 to 150 (required)\n"
    "  --angle DEG     target angle in degrees, at least 1 and below 90 (required)\n"
    "  --inherent MM   inherent filtration in mm aluminium equivalent, at least 1 (required)\n"
    "  --al MM         added aluminium filter in mm, not negative (default 0)\n"
    "  --cu MM         added copper filter in mm, not negative (default 0)\n"
    "  --table FILE    attenuation table to read (default Mus2018.dat in the current directory)\n"
    "  -o FILE         write the spectrum to FILE, replacing it whole (default: standard output)\n"
    "  --help          show this text and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when the table cannot be read or the output cannot be\n"
    "written, 2 on bad input (unknown option, missing or non-numeric value, value out of range).\n";

int BadInput(const std::string& message) {
  std::cerr << "lumispec: " << message << "\nTry 'lumispec --help' for the options.\n";
  return EXIT_BAD_INPUT;
}

// The whole text must be one decimal number, such as 100, 2.5, -1 or 1e1.
std::optional<double> ParseNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  lumora::TubeSettings settings;
  std::map<std::string, double*> numeric = {{"--kv", &settings.tube_voltage_kv},
                                            {"--angle", &settings.target_angle_deg},
                                            {"--inherent", &settings.inherent_filter_mm},
                                            {"--al", &settings.added_aluminium_mm},
                                            {"--cu", &settings.added_copper_mm}};
  std::map<std::string, bool> given;
  std::string table_file = "Mus2018.dat";
  std::string output_file;

  for (int k = 1; k < argc; ++k) {
    const std::string option = argv[k];
    if (option == "--help") {
      std::cout << USAGE;
      return EXIT_OK;
    }
    const bool known = numeric.count(option) || option == "--table" || option == "-o";
    if (!known) return BadInput("unknown option '" + option + "'");
    if (k + 1 >= argc) return BadInput("option " + option + " needs a value");
    const std::string value = argv[++k];
    if (option == "--table") {
      table_file = value;
    } else if (option == "-o") {
      output_file = value;
    } else {
      std::optional<double> number = ParseNumber(value);
      if (!number) return BadInput("the value '" + value + "' of " + option + " is not a number");
      *numeric[option] = *number;
    }
    given[option] = true;
  }

  for (const char* required : {"--kv", "--angle", "--inherent"}) {
    if (!given[required]) return BadInput(std::string("option ") + required + " is required");
  }
  if (table_file.empty()) return BadInput("the value of --table is empty");
  if (given["-o"] && output_file.empty()) return BadInput("the value of -o is empty");

  // The checks of the spectrum window, in its order, then the model's own guards.
  if (settings.tube_voltage_kv < lumora::MIN_TUBE_VOLTAGE_KV ||
      settings.tube_voltage_kv > lumora::MAX_TUBE_VOLTAGE_KV) {
    return BadInput("the tube voltage (--kv) must lie between 30 and 150 kV");
  }
  if (settings.target_angle_deg < lumora::MIN_TARGET_ANGLE_DEG) {
    return BadInput("the target angle (--angle) must be at least 1 degree");
  }
  if (settings.inherent_filter_mm < lumora::MIN_INHERENT_FILTER_MM) {
    return BadInput("the inherent filtration (--inherent) must be at least 1 mm Al");
  }
  if (lumora::SpectrumRefusal r = lumora::CheckTubeSettings(settings);
      r != lumora::SpectrumRefusal::None) {
    return BadInput(lumora::DescribeRefusal(r));
  }

  lumora::AttenuationTable mu;
  if (std::string error = lumora::LoadAttenuationTable(table_file, mu); !error.empty()) {
    std::cerr << "lumispec: " << error << "\n";
    return EXIT_UNREADABLE;
  }

  lumora::SpectrumTables tables;
  if (lumora::SpectrumRefusal r = lumora::ComputeTuckerSpectrum(settings, mu, tables);
      r != lumora::SpectrumRefusal::None) {
    return BadInput(lumora::DescribeRefusal(r));
  }

  if (!output_file.empty()) {
    if (std::string error = lumora::WriteSpectrumFile(output_file, tables.Spectrum);
        !error.empty()) {
      std::cerr << "lumispec: " << error << "\n";
      return EXIT_UNREADABLE;
    }
    return EXIT_OK;
  }
  const std::string text = lumora::FormatSpectrumFile(tables.Spectrum);
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    std::cerr << "lumispec: cannot write the spectrum to standard output\n";
    return EXIT_UNREADABLE;
  }
  return EXIT_OK;
}
