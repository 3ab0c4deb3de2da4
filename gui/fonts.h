#pragma once

#include <QFont>

class QPushButton;
class QWidget;

// The Windows fonts of the original windows where installed, otherwise their
// stand-ins from the Noto CJK family that renders Japanese on Linux: the
// proportional gothic faces (Meiryo, HG Maru Gothic, MS P Gothic) fall back to
// Noto Sans CJK JP, Times New Roman to a serif face, MS Gothic to Noto Sans
// Mono CJK JP.
QFont MeiryoFont(double points);
QFont RoundGothicFont(double points);
QFont PGothicFont(double points, bool bold);
QFont TimesFont(double points);

// The light yellow face of every command button, RGB 255, 255, 192.
void SetButtonFace(QPushButton* button);

// A solid background colour for a label or panel.
void SetBackground(QWidget* widget, const QColor& colour);

// The colour of a label's text.
void SetTextColour(QWidget* widget, const QColor& colour);
