#pragma once

namespace lumora {

// Physical and run constants of the engine, as floats like every engine quantity.
constexpr float ENERGY_CUTOFF = 2.0f;           // keV; photons below it are no longer followed
constexpr float MAX_PHOTON_ENERGY = 150.0f;     // keV; top of the incident spectrum (bin 300)
constexpr float ELECTRON_REST_ENERGY = 511.0f;  // keV, m_e c^2 as the engine rounds it
constexpr float HC_KEV_ANGSTROM = 12.4f;        // keV * Angstrom; lambda = 12.4 / E

}  // namespace lumora
