#pragma once

// Files and generator states shared by the engine tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "rng.h"
#include "tally.h"
#include "transport.h"

namespace lumora::test {

namespace fs = std::filesystem;

// An empty directory of its own for the running test.
inline fs::path fresh_dir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("lumora_engine_") + info->test_suite_name() + "_" + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const fs::path dir = fs::temp_directory_path() / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

inline std::string slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void write_text(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

inline fs::path fixture(const std::string& name) {
  return fs::path(LUMORA_ENGINE_FIXTURES) / name;
}

// Water.mix and Water.xfs of the fixtures, copied into `dir`.
inline void copy_water_tables(const fs::path& dir) {
  fs::copy_file(fixture("Water.mix"), dir / "Water.mix");
  fs::copy_file(fixture("Water.xfs"), dir / "Water.xfs");
}

// The fixture tables and the fixed geometry, as a run uses them.
inline PhysicsTables fixture_tables() {
  PhysicsTables t;
  t.material = load_material_table(fixture("Water.mix"));
  t.scattering = load_scattering_table(fixture("Water.xfs"));
  t.geometry = make_geometry();
  t.entries = make_entry_tables(t.geometry);
  return t;
}

// The sum of one image over all pixels, in double.
inline double image_total(const ImageTally& t, int kind) {
  double sum = 0;
  for (int iy = 1; iy <= IMAGE_SIZE; ++iy) {
    for (int ix = 1; ix <= IMAGE_SIZE; ++ix) sum += t.at(kind, ix, iy);
  }
  return sum;
}

// P_Spectrum.dat text as the spectrum window writes it: every bin 0 except
// the given ones, whose 11-character value fields are given as text.
inline std::string spectrum_text(const std::map<int, std::string>& fields) {
  std::string text;
  for (int i = 1; i <= 300; ++i) {
    char energy[8];
    std::snprintf(energy, sizeof energy, "%05.1f", i * 0.5);
    const auto it = fields.find(i);
    text += energy + (it == fields.end() ? std::string("  0.000E+00") : it->second) + "\r\n";
  }
  return text;
}

// A generator whose next draws store exactly `entries` (at most 24 of them),
// each returning entry / 16384.1.
inline Generator scripted_generator(const std::vector<int>& entries) {
  Generator g;
  g.rng_table.fill(0);
  g.rng_j = 24;
  g.rng_k = 55;
  for (std::size_t i = 0; i < entries.size(); ++i) g.rng_table[55 - i] = entries[i];
  return g;
}

// Draws the generator has taken since it was `start` (both on the same sequence).
inline int draws_between(const Generator& start, const Generator& now) {
  return (start.rng_k - now.rng_k + 55) % 55;
}

}  // namespace lumora::test
