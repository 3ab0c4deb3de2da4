#pragma once

#include <QString>

#include "spectrum/spectrum_tables.h"
#include "spectrum/tucker_model.h"

class Form5;
class PictureBox;
class Warner;

// The control program's module-level data, alive as long as the program.
struct Module1 {
  lumora::AttenuationTable Mu;    // MuTungsten, MuAluminium, MuCopper (1/cm)
  lumora::SpectrumTables Tables;  // UnfilteredSpectrum and the accepted-to-be Spectrum
  int ImageKind = 3;              // image to draw: 1 primary, 2 scattered, 3 all photons
};

// Reads Mus2018.dat of the working directory into the attenuation tables.
// Returns an empty text on success; otherwise the warning to show, naming the
// file and the problem, and the tables are as they were.
QString LoadAttenuationTable(Module1& module);

// The empty spectrum chart drawn over whatever Picture3 shows: grey grid every
// 10 keV and every 0.1 of relative fluence, the labels and the black frame.
void DrawSpectrumAxes(PictureBox& picture3);

// A spectrum as a red step curve, one 0.5 keV step per bin, then the frame
// again over it.
void PlotSpectrum(PictureBox& picture3, const lumora::BinTable& spectrum);

// The computation behind "スペクトル計算" of Form5 once its input
// checks have passed: refuses an inherent filtration below 1 mm (and sets
// Text2 to "1") and the settings the model cannot handle, each with a warning
// and with Spectrum and the chart unchanged; otherwise fills the tables and
// plots the curve. Returns whether it computed.
bool ComputeSpectrum(Module1& module, Form5& form5, Warner& warner);

// The warning for a refusal of Tucker's model.
QString RefusalWarning(lumora::SpectrumRefusal refusal);

// Picture3's coordinate system: 6000 units across, 2500 down.
inline constexpr double CHART_WIDTH = 6000;
inline constexpr double CHART_HEIGHT = 2500;
