#pragma once

// Reference values straight from the xraylib C library, the source of the
// shipped tables; a failing call throws with xraylib's own message.

#include <xraylib.h>

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

namespace lumora::reference {

// Calls function(args..., &error).
template <typename Function, typename... Args>
double Call(Function function, Args... args) {
  xrl_error* error = nullptr;
  const double value = function(args..., &error);
  if (error != nullptr) {
    const std::string message = error->message;
    xrl_error_free(error);
    throw std::runtime_error("xraylib: " + message);
  }
  return value;
}

// Mass coefficients of water in cm2/g: coherent, incoherent, photoelectric.
inline std::array<double, 3> WaterCoefficients(double energy_kev) {
  return {Call(CS_Rayl_CP, "H2O", energy_kev), Call(CS_Compt_CP, "H2O", energy_kev),
          Call(CS_Photo_CP, "H2O", energy_kev)};
}

// Molecular coherent form factor of H2O, F = sqrt(2 F_H^2 + F_O^2).
inline double WaterFormFactor(double x) {
  const double h = Call(FF_Rayl, 1, x);
  const double o = Call(FF_Rayl, 8, x);
  return std::sqrt(2.0 * h * h + o * o);
}

// Incoherent scattering function of H2O, S = 2 S_H + S_O, with S(0) = 0.
inline double WaterIncoherentFunction(double x) {
  if (x == 0.0) return 0.0;
  return 2.0 * Call(SF_Compt, 1, x) + Call(SF_Compt, 8, x);
}

}  // namespace lumora::reference
