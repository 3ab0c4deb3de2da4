#include "module1.h"

#include <QColor>
#include <QLineEdit>

#include "exchange_files.h"
#include "fonts.h"
#include "form5.h"
#include "picture_box.h"
#include "read_leading_number.h"
#include "spectrum/attenuation_table.h"
#include "warnings.h"

namespace {

// The chart maps a photon energy E (keV) to x = 1000 + 30 E and a relative
// fluence phi to y = 2100 - 2000 phi; the frame spans 0..150 keV and 0..1.
constexpr double FRAME_LEFT = 1000, FRAME_RIGHT = 5500;
constexpr double FRAME_TOP = 100, FRAME_BOTTOM = 2100;
constexpr double UNITS_PER_BIN = 15;  // 0.5 keV
constexpr double UNITS_PER_FLUENCE = 2000;

const QColor GRID_GREY(128, 128, 128);
const QColor CURVE_RED(255, 0, 0);

double Number(const QLineEdit* field) {
  return lumora::ReadLeadingNumber(field->text().toStdString());
}

void DrawFrame(PictureBox& picture3) {
  picture3.setDrawWidth(2);
  picture3.rectangle({FRAME_LEFT, FRAME_TOP}, {FRAME_RIGHT, FRAME_BOTTOM}, Qt::black);
}

}  // namespace

QString LoadAttenuationTable(Module1& module) {
  const std::string error = lumora::LoadAttenuationTable(ATTENUATION_FILE, module.Mu);
  if (error.empty()) return {};
  return QString("減弱係数ファイル %1 を読み込めません\n%2")
      .arg(ATTENUATION_FILE, QString::fromStdString(error));
}

void DrawSpectrumAxes(PictureBox& picture3) {
  picture3.setDrawWidth(1);
  for (double x = 1300; x <= 5200; x += 300)
    picture3.line({x, FRAME_TOP}, {x, FRAME_BOTTOM}, GRID_GREY);
  for (double y = 300; y <= 1900; y += 200)
    picture3.line({FRAME_LEFT, y}, {FRAME_RIGHT, y}, GRID_GREY);

  const QFont font = PGothicFont(15.75, true);
  const struct {
    const char* text;
    double x, y;
  } labels[] = {{"0", 1000, 2120},
                {"50", 2450, 2120},
                {"100", 3900, 2120},
                {"150", 5400, 2120},
                {"Photon energy (E) in keV", 3000, 2250},
                {"Relative", 200, 300},
                {"Photon", 230, 500},
                {"Fluence", 230, 700},
                {"φ(E)", 250, 900}};
  for (const auto& label : labels)
    picture3.print({label.x, label.y}, QString::fromUtf8(label.text), font, Qt::black);

  DrawFrame(picture3);
}

void PlotSpectrum(PictureBox& picture3, const lumora::BinTable& spectrum) {
  picture3.setDrawWidth(2);
  picture3.pset({FRAME_LEFT, FRAME_BOTTOM}, Qt::black);
  for (int i = 2; i <= lumora::SPECTRUM_BINS; ++i) {
    // Drawing coordinates are single precision, as the chart's own.
    const float y = static_cast<float>(FRAME_BOTTOM - UNITS_PER_FLUENCE * spectrum[i]);
    picture3.lineTo({992.5f + UNITS_PER_BIN * i, y}, CURVE_RED);
    picture3.lineTo({1007.5f + UNITS_PER_BIN * i, y}, CURVE_RED);
  }
  DrawFrame(picture3);
}

QString RefusalWarning(lumora::SpectrumRefusal refusal) {
  switch (refusal) {
    case lumora::SpectrumRefusal::NegativeFilter:
      return "付加フィルタの厚さは 0 mm 以上にして下さい";
    case lumora::SpectrumRefusal::TargetAngleTooLarge:
      return "ターゲット角度は 90 度未満にして下さい";
    case lumora::SpectrumRefusal::NothingTransmitted:
      return "フィルタが厚すぎてＸ線が透過しません";
    case lumora::SpectrumRefusal::InputOutOfRange:
      return "照射条件が計算できる範囲を外れています";
    case lumora::SpectrumRefusal::NotFinite:
      return "この照射条件ではスペクトルを計算できません";
    case lumora::SpectrumRefusal::None:
      break;
  }
  return {};
}

bool ComputeSpectrum(Module1& module, Form5& form5, Warner& warner) {
  lumora::TubeSettings settings;
  settings.tube_voltage_kv = Number(form5.Text1);
  settings.target_angle_deg = Number(form5.Text5);
  settings.inherent_filter_mm = Number(form5.Text2);
  if (settings.inherent_filter_mm * 0.1 < 0.1) {
    warner.warn(&form5, "最小固有濾過は Al 1.0 mm です");
    form5.Text2->setText("1");
    return false;
  }
  settings.added_aluminium_mm = Number(form5.Text3);
  settings.added_copper_mm = Number(form5.Text4);

  const lumora::SpectrumRefusal refusal =
      lumora::ComputeTuckerSpectrum(settings, module.Mu, module.Tables);
  if (refusal != lumora::SpectrumRefusal::None) {
    warner.warn(&form5, RefusalWarning(refusal));
    return false;
  }
  PlotSpectrum(*form5.Picture3, module.Tables.Spectrum);
  return true;
}
