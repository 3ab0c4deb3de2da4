#pragma once

#include <stdexcept>

namespace lumora {

// A failed file operation or unusable input. The message names the operation
// and the file; the driver reports it as "run-time error <message>" and ends
// the run with exit status 1.
struct RunTimeError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace lumora
