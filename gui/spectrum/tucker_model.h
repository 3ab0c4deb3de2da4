#pragma once

#include <string>

#include "spectrum_tables.h"

namespace lumora {

// Input ranges accepted by the spectrum window and the console tool.
inline constexpr double MIN_TUBE_VOLTAGE_KV = 30.0;
inline constexpr double MAX_TUBE_VOLTAGE_KV = 150.0;
inline constexpr double MIN_TARGET_ANGLE_DEG = 1.0;
inline constexpr double MIN_INHERENT_FILTER_MM = 1.0;

struct TubeSettings {
  double tube_voltage_kv = 100.0;    // T0, also the electrons' initial energy in keV
  double target_angle_deg = 12.0;    // theta
  double inherent_filter_mm = 2.5;   // aluminium equivalent
  double added_aluminium_mm = 0.0;
  double added_copper_mm = 0.0;
};

// Why the model refused to compute; the tables are then left unchanged.
enum class SpectrumRefusal {
  None,
  NegativeFilter,       // an added filter of negative thickness would amplify
  TargetAngleTooLarge,  // at 90 degrees or more self-absorption turns into a gain
  NothingTransmitted,   // every filtered bin is 0: nothing to normalise by
  NotFinite,            // an intermediate value overflowed or is not a number
  InputOutOfRange,      // voltage, target angle or inherent filtration outside the ranges above
};

// The refusal that the settings alone cause (None when they are fit for the
// model); ComputeTuckerSpectrum checks this first.
SpectrumRefusal CheckTubeSettings(const TubeSettings& settings);

// cot of the target angle, with the degree conversion by the five-decimal pi 3.14159.
double TargetCotangent(double target_angle_deg);

// Tucker's semi-empirical spectrum of a tungsten target behind aluminium and
// copper filters, normalised to a maximum of 1. Fills both tables on success.
SpectrumRefusal ComputeTuckerSpectrum(const TubeSettings& settings,
                                      const AttenuationTable& mu, SpectrumTables& tables);

// A one-sentence English explanation of a refusal, for console users.
std::string DescribeRefusal(SpectrumRefusal refusal);

}  // namespace lumora
