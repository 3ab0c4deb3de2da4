#include "fonts.h"

#include <QPushButton>

namespace {

QFont Font(const QStringList& families, double points, bool bold = false) {
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

QFont MeiryoFont(double points) {
  return Font({"Meiryo", "メイリオ", "Noto Sans CJK JP"}, points);
}

QFont RoundGothicFont(double points) {
  return Font({"HGMaruGothicMPRO", "HG丸ｺﾞｼｯｸM-PRO", "Noto Sans CJK JP"}, points);
}

QFont PGothicFont(double points, bool bold) {
  return Font({"MS PGothic", "ＭＳ Ｐゴシック", "Noto Sans CJK JP"}, points, bold);
}

QFont TimesFont(double points) {
  QFont font = Font({"Times New Roman", "Liberation Serif", "Noto Serif CJK JP"}, points);
  font.setStyleHint(QFont::Serif);
  return font;
}

void SetButtonFace(QPushButton* button) {
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, QColor(255, 255, 192));
  button->setPalette(palette);
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}
