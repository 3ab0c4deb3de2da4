#include "tables.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "constants.h"
#include "fields.h"
#include "interactions.h"

namespace lumora {

namespace {

// One input file read line by line; later lines than those asked for are never read.
struct TextFile {
  std::ifstream in;
  std::string name;
  int line_number = 0;
};

[[noreturn]] void fail(const TextFile& f, const std::string& what) {
  throw RunTimeError("reading " + f.name + ": " + what);
}

[[noreturn]] void fail_at_line(const TextFile& f, const std::string& what) {
  fail(f, "line " + std::to_string(f.line_number) + ": " + what);
}

void open_text(TextFile& f, const std::filesystem::path& path) {
  f.name = path.string();
  f.in.open(path, std::ios::binary);
  if (!f.in) throw RunTimeError("opening " + f.name + ": " + std::strerror(errno));
}

// The next line without its line end (LF, or CR LF).
std::string next_line(TextFile& f) {
  std::string line;
  ++f.line_number;
  if (!std::getline(f.in, line)) {
    if (f.in.bad()) fail(f, std::strerror(errno));
    fail(f, "the file ends before line " + std::to_string(f.line_number));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// The fixed-width field at 1-based positions first .. first + width - 1; a
// line that ends inside the field is read as if padded with blanks.
float read_field(const TextFile& f, const std::string& line, int first, int width, int decimals) {
  const std::size_t begin = static_cast<std::size_t>(first - 1);
  const std::string_view text =
      begin < line.size() ? std::string_view(line).substr(begin, width) : std::string_view();
  const std::optional<float> value = parse_fixed_field(text, decimals);
  if (!value) {
    fail_at_line(f, "positions " + std::to_string(first) + "-" + std::to_string(first + width - 1) +
                        " \"" + std::string(text) + "\" is not a number");
  }
  return *value;
}

float read_free_real(TextFile& f) {
  const std::string line = next_line(f);
  const std::optional<float> value = parse_free_real(line);
  if (!value) fail_at_line(f, "\"" + line + "\" does not begin with a number");
  return *value;
}

int read_free_int(TextFile& f) {
  const std::string line = next_line(f);
  const std::optional<int> value = parse_free_int(line);
  if (!value) fail_at_line(f, "\"" + line + "\" does not begin with an integer");
  return *value;
}

std::string text_of(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// A photon is followed until it is absorbed, falls below the cut-off or
// leaves the phantom. Where the looked-up coefficients overflow, or leave
// photoelectric absorption no share, a photon can scatter in place for ever
// (a free path too short to move it, and no energy lost in coherent
// scattering). Between two rows every coefficient follows a power law, so the
// ratios of two coefficients are monotone there: the shares checked at the
// cut-off, at the top of the spectrum and at the rows between hold at every
// energy a photon can have. Any share above 0 ends a photon within a few
// thousand interactions on average, since the generator returns 0 once in 16384 draws.
constexpr float MIN_PHOTO_SHARE = 1e-30f;

void check_absorption(const TextFile& f, const MaterialTable& m) {
  std::vector<float> energies = {ENERGY_CUTOFF, MAX_PHOTON_ENERGY};
  for (int i = 1; i <= m.mix_count; ++i) {
    if (m.mix_energy[i] > ENERGY_CUTOFF && m.mix_energy[i] < MAX_PHOTON_ENERGY) {
      energies.push_back(m.mix_energy[i]);
    }
  }
  for (float energy : energies) {
    const Coefficients c = lookup_coefficients(m, energy);
    if (!std::isfinite(c.mu_total) || !(c.p_photo >= MIN_PHOTO_SHARE)) {
      fail(f, "at " + text_of(energy) + " keV the coefficients (total " + text_of(c.mu_total) +
                  " cm^2/g, photoelectric share " + text_of(c.p_photo) +
                  ") could keep a photon scattering for ever");
    }
  }
}

// The conditions the coefficient lookup and the free path rely on: the row
// search ends within the table for every photon energy, and every logarithm
// and the attenuation are taken of positive values.
void check_material_table(const TextFile& f, const MaterialTable& m) {
  if (!std::isfinite(m.mix_density) || !(m.mix_density > 0)) {
    fail(f, "the density " + text_of(m.mix_density) + " is not a positive number");
  }
  for (int i = 1; i <= m.mix_count; ++i) {
    const std::string row = "row " + std::to_string(i) + " (line " + std::to_string(i + 3) + ")";
    if (!std::isfinite(m.mix_energy[i]) || !(m.mix_energy[i] > 0)) {
      fail(f, row + ": the energy is not a positive number");
    }
    if (i > 1 && !(m.mix_energy[i] > m.mix_energy[i - 1])) {
      fail(f, row + ": the energies are not in ascending order");
    }
    for (int j = 1; j <= 3; ++j) {
      if (!std::isfinite(m.mix_coef[j][i]) || !(m.mix_coef[j][i] > 0)) {
        fail(f, row + ": coefficient " + std::to_string(j) + " is not a positive number");
      }
    }
  }
  if (!(m.mix_energy[m.mix_count] > MAX_PHOTON_ENERGY)) {
    fail(f, "no row has an energy above " + text_of(MAX_PHOTON_ENERGY) +
                " keV, so the coefficient lookup cannot cover the spectrum");
  }
}

// The conditions the two scattering samplers rely on: an ascending grid from
// x >= 0 (non-negative weights), weights that can be normalised, an S search
// that stays within the table, and a coherent sampler that can end at the
// lowest photon energy.
void check_scattering_table(const TextFile& f, const ScatteringTable& t, float top) {
  for (int i = 1; i <= XFS_ROWS; ++i) {
    if (!std::isfinite(t.xfs_x[i]) || !std::isfinite(t.xfs_form[i]) ||
        !std::isfinite(t.xfs_incoh[i])) {
      fail(f, "line " + std::to_string(i) + ": a value is not finite");
    }
  }
  if (t.xfs_x[1] < 0) fail(f, "line 1: x is negative");
  for (int i = 2; i <= XFS_ROWS; ++i) {
    if (!(t.xfs_x[i] > t.xfs_x[i - 1])) {
      fail(f, "line " + std::to_string(i) + ": x is not strictly ascending");
    }
  }
  if (!std::isfinite(top) || !(top > 0)) {
    fail(f, "the form-factor weights sum to " + text_of(top) + " and cannot be normalised");
  }
  if (t.xfs_x[XFS_ROWS] < t.xfs_incoh_max) {
    fail(f, "the last x " + text_of(t.xfs_x[XFS_ROWS]) + " lies below the last S value " +
                text_of(t.xfs_incoh_max) + ", so the S search would run off the table");
  }
  // The smallest x the coherent sampler draws is the lower end of the first
  // weighted interval; at the cut-off energy it must give sin(theta/2) <= 1.
  int k = 2;
  while (!(t.xfs_cum[k] > 0)) ++k;
  const float s =
      static_cast<float>(static_cast<double>(t.xfs_x[k - 1]) * HC_KEV_ANGSTROM / ENERGY_CUTOFF);
  if (s > 1) {
    fail(f, "the smallest sampled x " + text_of(t.xfs_x[k - 1]) +
                " is too large for coherent scattering at " + text_of(ENERGY_CUTOFF) + " keV");
  }
}

}  // namespace

MaterialTable load_material_table(const std::filesystem::path& file) {
  TextFile f;
  open_text(f, file);
  MaterialTable m;
  next_line(f);  // title
  m.mix_density = read_free_real(f);
  m.mix_count = read_free_int(f);
  if (m.mix_count < 2 || m.mix_count > MIX_CAPACITY) {
    fail_at_line(f, "the row count " + std::to_string(m.mix_count) + " is outside 2 to " +
                        std::to_string(MIX_CAPACITY));
  }
  for (int i = 1; i <= m.mix_count; ++i) {
    const std::string line = next_line(f);
    const float energy_mev = read_field(f, line, 1, 9, 3);
    m.mix_energy[i] = static_cast<float>(static_cast<double>(energy_mev) * 1000.0);
    for (int j = 1; j <= 3; ++j) m.mix_coef[j][i] = read_field(f, line, 10 * j, 10, 3);
    read_field(f, line, 40, 10, 3);
    read_field(f, line, 50, 10, 3);
  }
  check_material_table(f, m);
  for (int i = 1; i <= m.mix_count; ++i) {
    m.ln_energy[i] = static_cast<float>(std::log(static_cast<double>(m.mix_energy[i])));
    for (int j = 1; j <= 3; ++j) {
      m.ln_coef[j][i] = static_cast<float>(std::log(static_cast<double>(m.mix_coef[j][i])));
    }
  }
  check_absorption(f, m);  // with the lookup the run uses, logarithms included
  return m;
}

ScatteringTable load_scattering_table(const std::filesystem::path& file) {
  TextFile f;
  open_text(f, file);
  ScatteringTable t;
  for (int i = 1; i <= XFS_ROWS; ++i) {
    const std::string line = next_line(f);
    t.xfs_x[i] = read_field(f, line, 1, 10, 3);
    t.xfs_form[i] = read_field(f, line, 11, 12, 5);
    t.xfs_incoh[i] = read_field(f, line, 23, 12, 5);
  }
  t.xfs_incoh_max = t.xfs_incoh[XFS_ROWS];

  // Cumulative weights (dx * F^2 * x at the upper end of each interval); the
  // first interval carries none and the starting value cancels out.
  float s = t.xfs_form[1];
  for (int i = 2; i <= XFS_ROWS; ++i) {
    s = static_cast<float>((static_cast<double>(t.xfs_x[i]) - t.xfs_x[i - 1]) * t.xfs_form[i] *
                               t.xfs_form[i] * t.xfs_x[i] +
                           s);
    t.xfs_cum[i] = s;
  }
  t.xfs_cum[1] = t.xfs_cum[2];
  const float offset = t.xfs_cum[1];
  float top = 0;
  for (int i = 1; i <= XFS_ROWS; ++i) {
    t.xfs_cum[i] = static_cast<float>(static_cast<double>(t.xfs_cum[i]) - offset);
    if (t.xfs_cum[i] > top) top = t.xfs_cum[i];
  }
  for (int i = 1; i <= XFS_ROWS; ++i) {
    t.xfs_cum[i] = static_cast<float>(static_cast<double>(t.xfs_cum[i]) / top);
  }
  t.xfs_cum_last = t.xfs_cum[XFS_ROWS];
  check_scattering_table(f, t, top);
  return t;
}

SpectrumInput load_spectrum(const std::filesystem::path& file) {
  TextFile f;
  open_text(f, file);
  SpectrumInput in;
  for (int i = 1; i <= SPECTRUM_BINS; ++i) {
    const std::string line = next_line(f);
    read_field(f, line, 1, 5, 1);  // the bin energy; the line number gives it
    const float value = read_field(f, line, 6, 11, 3);
    if (!std::isfinite(value) || value < 0) {
      fail_at_line(f, "the value " + text_of(value) + " is negative or not finite");
    }
    in.spectrum[i] = value;
  }
  float sum = 0;
  for (int i = 1; i <= SPECTRUM_BINS; ++i) {
    sum = static_cast<float>(static_cast<double>(sum) + in.spectrum[i]);
  }
  if (!std::isfinite(sum) || !(sum > 0)) {
    fail(f, "the values sum to " + text_of(sum) + ", so the spectrum cannot be normalised");
  }
  for (int i = 1; i <= SPECTRUM_BINS; ++i) {
    in.spectrum[i] = static_cast<float>(static_cast<double>(in.spectrum[i]) / sum);
  }
  in.last_bin = SPECTRUM_BINS;
  while (in.last_bin >= 1 && in.spectrum[in.last_bin] == 0) --in.last_bin;
  return in;
}

float load_histories(const std::filesystem::path& file) {
  TextFile f;
  open_text(f, file);
  const float histories = read_free_real(f);
  // Photon counts per bin are at most `histories` and are held in 64 bits.
  if (!std::isfinite(histories) || !(std::fabs(histories) < 0x1p63)) {
    fail_at_line(
        f, "the number of histories " + text_of(histories) + " is not a finite number below 2^63");
  }
  return histories;
}

}  // namespace lumora
