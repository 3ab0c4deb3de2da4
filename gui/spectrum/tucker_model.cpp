#include "tucker_model.h"

#include <cmath>

namespace lumora {

namespace {

constexpr double PI_FIVE_DECIMALS = 3.14159;  // the model's degree-to-radian factor
constexpr double TUNGSTEN_DENSITY = 19.3;     // g/cm^3
constexpr double ELECTRON_REST_ENERGY = 511;  // m0 c^2, keV
constexpr double MM_TO_CM = 0.1;
constexpr double ZERO_FLOOR = 1e-100;  // normalised values at or below it become 0

// Thomson-Whiddington constant C(T0) = c0 + c1 T0 + ... + c4 T0^4 (keV^2 cm^2/g).
constexpr double TW_C0 = 141766, TW_C1 = 12157, TW_C2 = -111.046, TW_C3 = 0.552536,
                 TW_C4 = -0.000970158;
// Bremsstrahlung shape factor (a0 + a1 T0) P(x), P(x) = 1 + b1 x + b2 x^2 + b3 x^3 + b4 x^4.
constexpr double SHAPE_A0 = 0.03658, SHAPE_A1 = 2.9e-05;
constexpr double SHAPE_B1 = -5.049, SHAPE_B2 = 10.847, SHAPE_B3 = -10.516, SHAPE_B4 = 3.842;
// Stopping-power fit S(T) = s0 exp(-s1 T) + s2.
constexpr double STOPPING_S0 = 1036.1, STOPPING_S1 = 0.04695, STOPPING_S2 = 202.41;

// Tungsten K lines: present only above 70 kV, as R percent of the bremsstrahlung sum,
// R = (sqrt(k1 T0 - k2) - k3) / k4, shared among the four lines by fixed weights.
constexpr double K_THRESHOLD_KV = 70;
constexpr double K_K1 = 8.79856, K_K2 = 595.149, K_K3 = 4.55528, K_K4 = 4.39928;
constexpr double K_PERCENT = 0.01;
struct KLine {
  int bin;
  double weight;
};
constexpr KLine K_LINES[] = {
    {119, 0.5048},  // K-alpha1, 59.5 keV
    {116, 0.2908},  // K-alpha2, 58.0 keV
    {134, 0.162},   // K-beta1, 67.0 keV
    {138, 0.0424},  // K-beta2, 69.0 keV
};

double ThomsonWhiddington(double t0) {
  return TW_C0 + TW_C1 * t0 + TW_C2 * std::pow(t0, 2) + TW_C3 * std::pow(t0, 3) +
         TW_C4 * std::pow(t0, 4);
}

double ShapePolynomial(double x) {
  return 1 + SHAPE_B1 * x + SHAPE_B2 * std::pow(x, 2) + SHAPE_B3 * std::pow(x, 3) +
         SHAPE_B4 * std::pow(x, 4);
}

double StoppingPower(double t) {
  return STOPPING_S0 * std::exp(-STOPPING_S1 * t) + STOPPING_S2;
}

double KLinePercentage(double t0) {
  return (std::sqrt(K_K1 * t0 - K_K2) - K_K3) / K_K4;
}

// Bremsstrahlung leaving the target in bin i: the electron slows from T0 in 0.5 keV steps,
// each step adding the emission at photon energy E, attenuated on the way out of the target
// from the Thomson-Whiddington depth at which the electron energy has fallen to T.
double BremsstrahlungIntegral(int i, double t0, double c, double a, double cot, double mu_w) {
  const double e = BIN_WIDTH_KEV * i;
  double n = 0;
  for (double t = e; t <= t0; t += BIN_WIDTH_KEV) {
    const double x = e / t;
    const double b = a * ShapePolynomial(x);
    const double d = (std::pow(t0, 2) - std::pow(t, 2)) / (TUNGSTEN_DENSITY * c) * cot;
    n = n + (1 + ELECTRON_REST_ENERGY / t) * b / StoppingPower(t) * std::exp(-mu_w * d);
  }
  return n;
}

}  // namespace

SpectrumRefusal CheckTubeSettings(const TubeSettings& s) {
  for (double v : {s.tube_voltage_kv, s.target_angle_deg, s.inherent_filter_mm,
                   s.added_aluminium_mm, s.added_copper_mm}) {
    if (!std::isfinite(v)) return SpectrumRefusal::NotFinite;
  }
  if (s.tube_voltage_kv < MIN_TUBE_VOLTAGE_KV || s.tube_voltage_kv > MAX_TUBE_VOLTAGE_KV ||
      s.target_angle_deg < MIN_TARGET_ANGLE_DEG || s.inherent_filter_mm < MIN_INHERENT_FILTER_MM) {
    return SpectrumRefusal::InputOutOfRange;
  }
  if (s.added_aluminium_mm < 0 || s.added_copper_mm < 0) return SpectrumRefusal::NegativeFilter;
  if (s.target_angle_deg >= 90) return SpectrumRefusal::TargetAngleTooLarge;
  return SpectrumRefusal::None;
}

double TargetCotangent(double target_angle_deg) {
  return 1 / std::tan(target_angle_deg * PI_FIVE_DECIMALS / 180);
}

SpectrumRefusal ComputeTuckerSpectrum(const TubeSettings& settings, const AttenuationTable& mu,
                                      SpectrumTables& tables) {
  if (SpectrumRefusal r = CheckTubeSettings(settings); r != SpectrumRefusal::None) return r;

  // Work on a copy so that a refused computation leaves the caller's tables as they were;
  // bins of UnfilteredSpectrum above n keep their older values.
  SpectrumTables out = tables;
  out.Spectrum.fill(0);

  const double t0 = settings.tube_voltage_kv;
  const double d_inh = settings.inherent_filter_mm * MM_TO_CM;
  const double d_al = settings.added_aluminium_mm * MM_TO_CM;
  const double d_cu = settings.added_copper_mm * MM_TO_CM;
  const double cot = TargetCotangent(settings.target_angle_deg);
  const int n = static_cast<int>(std::floor(2 * t0));

  const double c = ThomsonWhiddington(t0);
  const double a = SHAPE_A0 + SHAPE_A1 * t0;

  for (int i = 2; i <= n; ++i) {
    out.UnfilteredSpectrum[i] = BremsstrahlungIntegral(i, t0, c, a, cot, mu.MuTungsten[i]);
  }

  if (t0 > K_THRESHOLD_KV) {
    double sum = 0;
    for (int i = 2; i <= n; ++i) sum = sum + out.UnfilteredSpectrum[i];
    const double k = K_PERCENT * KLinePercentage(t0) * sum;
    for (const KLine& line : K_LINES) out.UnfilteredSpectrum[line.bin] += line.weight * k;
  }

  // Inherent and added aluminium act as one layer; dividing by the photon energy turns the
  // energy spectrum into the photon fluence.
  for (int i = 2; i <= n; ++i) {
    out.Spectrum[i] = out.UnfilteredSpectrum[i] * std::exp(-mu.MuAluminium[i] * (d_inh + d_al)) *
                      std::exp(-mu.MuCopper[i] * d_cu) / (BIN_WIDTH_KEV * i);
    if (!std::isfinite(out.UnfilteredSpectrum[i]) || !std::isfinite(out.Spectrum[i])) {
      return SpectrumRefusal::NotFinite;
    }
  }

  double m = 0;
  for (int i = 2; i <= n; ++i) {
    if (out.Spectrum[i] > m) m = out.Spectrum[i];
  }
  if (m == 0) return SpectrumRefusal::NothingTransmitted;

  for (int i = 2; i <= n; ++i) {
    out.Spectrum[i] = out.Spectrum[i] / m;
    if (out.Spectrum[i] <= ZERO_FLOOR) out.Spectrum[i] = 0;
  }

  tables = out;
  return SpectrumRefusal::None;
}

std::string DescribeRefusal(SpectrumRefusal refusal) {
  switch (refusal) {
    case SpectrumRefusal::None:
      return {};
    case SpectrumRefusal::NegativeFilter:
      return "An added filter cannot be thinner than 0 mm: a negative thickness would amplify "
             "the beam instead of attenuating it.";
    case SpectrumRefusal::TargetAngleTooLarge:
      return "The target angle must be below 90 degrees: at 90 degrees or more the "
             "self-absorption in the target would turn into a gain.";
    case SpectrumRefusal::NothingTransmitted:
      return "No photons pass the filters at any energy, so there is no spectrum to normalise; "
             "use thinner filters.";
    case SpectrumRefusal::NotFinite:
      return "A value of the computation is not a finite number (an overflow, or an input or "
             "attenuation coefficient that is not a number), so no spectrum was computed.";
    case SpectrumRefusal::InputOutOfRange:
      return "The tube voltage must lie between 30 and 150 kV, the target angle must be at "
             "least 1 degree and the inherent filtration at least 1 mm Al.";
  }
  return {};
}

}  // namespace lumora
