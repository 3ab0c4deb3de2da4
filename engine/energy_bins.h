#pragma once

namespace lumora {

// Energy bins shared by both programs and the spectrum file between them:
// bin i (1..300) stands for the photon energy i x 0.5 keV.
inline constexpr int SPECTRUM_BINS = 300;

}  // namespace lumora
