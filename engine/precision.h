#pragma once

namespace lumora {

// The engine's floating-point policy: every named quantity is a float; each
// right-hand side is evaluated in double from floats, in the written operand
// order, and rounded to float once, on assignment. Math functions are the
// double ones. This makes results independent of compiler and library float
// paths, so the same inputs always give the same Result.dat.
inline double wide(float value) {
  return value;
}
inline float to_float(double value) {
  return static_cast<float>(value);
}

}  // namespace lumora
