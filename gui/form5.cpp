#include "form5.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "exchange_files.h"
#include "fonts.h"
#include "module1.h"
#include "read_leading_number.h"
#include "spectrum/spectrum_file.h"
#include "warnings.h"

namespace {

// The window was laid out in twips; at 96 dots per inch a pixel is 15 twips.
constexpr int TWIPS_PER_PIXEL = 15;

int Pixels(int twips) {
  return (twips + TWIPS_PER_PIXEL / 2) / TWIPS_PER_PIXEL;
}

QRect TwipRect(int left, int top, int width, int height) {
  return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

const QColor DARK_BLUE(0, 0, 128);
const QColor LIGHT_CYAN(192, 255, 255);

// A label at its twip position, grown where the stand-in font needs more room
// than the original so that no text is cut; the text hangs from the top.
QLabel* AddLabel(QWidget* parent, const QString& text, QRect twips, const QFont& font,
                 const QColor& colour = Qt::black) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetTextColour(label, colour);
  const QRect rect = TwipRect(twips.x(), twips.y(), twips.width(), twips.height());
  const QSize need = label->sizeHint();
  label->setGeometry(rect.x(), rect.y(), std::max(rect.width(), need.width()),
                     std::max(rect.height(), need.height()));
  return label;
}

QLineEdit* AddTextBox(QWidget* parent, const char* name, QRect twips) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setFont(TimesFont(12));
  const QRect rect = TwipRect(twips.x(), twips.y(), twips.width(), twips.height());
  box->setGeometry(rect.x(), rect.y(), rect.width(),
                   std::max(rect.height(), box->sizeHint().height()));
  return box;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, QRect twips,
                       double points) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setFont(MeiryoFont(points));
  SetButtonFace(button);
  button->setGeometry(TwipRect(twips.x(), twips.y(), twips.width(), twips.height()));
  return button;
}

// Field checks of "スペクトル計算", in the order they run: the first that
// fails shows its warning and puts its default back into the field.
struct InputCheck {
  QLineEdit* field;
  bool (*fails)(const QString& text, double value);
  const char* warning;
  const char* reset;
};

}  // namespace

Form5::Form5(Module1& module, Warner& warner) : module_(module), warner_(warner) {
  setObjectName("Form5");
  setWindowTitle("X-ray spectrum by Tucker's formula");
  setFont(MeiryoFont(12));
  setFixedSize(Pixels(14865), Pixels(7335));
  setAttribute(Qt::WA_DeleteOnClose);  // closing through the frame unloads the window
  createControls();

  Text1->setText("100");
  Text5->setText("12");
  Text2->setText("2.5");
  Text3->setText("0");
  Text4->setText("0");

  connect(Command1, &QPushButton::clicked, this, &Form5::computeAndPlot);
  connect(Command3, &QPushButton::clicked, this, &Form5::clearChart);
  connect(Command4, &QPushButton::clicked, this, &Form5::acceptSpectrum);
  connect(Command2, &QPushButton::clicked, this, &Form5::cancel);
}

void Form5::createControls() {
  // The light cyan panel behind the inputs comes first so that it lies below them.
  auto* panel = new QLabel(this);
  SetBackground(panel, LIGHT_CYAN);
  panel->setGeometry(TwipRect(9600, 960, 4935, 5535));

  const QFont caption = RoundGothicFont(12);
  const QFont unit = TimesFont(12);
  const QFont small = MeiryoFont(11.25);
  AddLabel(this, "Ｘ線スペクトルを近似計算する", {9960, 360, 4410, 465}, MeiryoFont(15.75),
           DARK_BLUE);
  AddLabel(this, "照射条件を設定して下さい", {10320, 1200, 3420, 285}, MeiryoFont(14.25),
           DARK_BLUE);
  AddLabel(this, "Ｘ線管電圧", {10800, 1800, 1200, 240}, caption);
  Text1 = AddTextBox(this, "Text1", {12240, 1680, 975, 405});
  AddLabel(this, "kV", {13320, 1800, 315, 285}, unit);
  AddLabel(this, "(30～150)", {12120, 2040, 1110, 345}, small);
  AddLabel(this, "高電圧整流方式：定電圧", {10800, 2400, 2640, 360}, font());
  AddLabel(this, "ターゲット角度", {10320, 3000, 1680, 240}, caption);
  Text5 = AddTextBox(this, "Text5", {12240, 2880, 975, 420});
  AddLabel(this, "degree", {13320, 3000, 855, 375}, unit);
  AddLabel(this, "固有ろ過（Al当量）", {9960, 3600, 2205, 240}, caption);
  Text2 = AddTextBox(this, "Text2", {12240, 3480, 975, 390});
  AddLabel(this, "mmAl eq.", {13320, 3600, 885, 285}, unit);
  AddLabel(this, "(最小1mm)", {12120, 3840, 1215, 345}, small);
  AddLabel(this, "アルミ付加フィルタ", {9960, 4440, 2160, 240}, caption);
  Text3 = AddTextBox(this, "Text3", {12240, 4320, 975, 405});
  AddLabel(this, "mm", {13320, 4320, 345, 285}, unit);
  AddLabel(this, "銅付加フィルタ", {10440, 5040, 1680, 240}, caption);
  Text4 = AddTextBox(this, "Text4", {12240, 4920, 975, 405});
  AddLabel(this, "mm", {13320, 4920, 345, 285}, unit);

  Command1 = AddButton(this, "Command1", "スペクトル計算", {10080, 5640, 2175, 615}, 12);
  Command3 = AddButton(this, "Command3", "やり直し", {12600, 5640, 1575, 615}, 12);
  Command4 = AddButton(this, "Command4", "OK", {10080, 6600, 2175, 615}, 14.25);
  Command2 = AddButton(this, "Command2", "キャンセル", {12600, 6720, 1575, 495}, 11.25);

  // The chart: a sunken 3-D border around a white surface whose inside
  // carries the 6000 x 2500 coordinate system.
  auto* border = new QFrame(this);
  border->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  border->setLineWidth(2);
  const QRect outer = TwipRect(240, 360, 9135, 6615);
  border->setGeometry(outer);
  const int inset = border->frameWidth();
  Picture3 = new PictureBox(outer.size() - QSize(2 * inset, 2 * inset), border);
  Picture3->setObjectName("Picture3");
  Picture3->move(inset, inset);
  Picture3->setScale(0, 0, CHART_WIDTH, CHART_HEIGHT);
}

bool Form5::inputsPass() {
  const InputCheck checks[] = {
      {Text1, [](const QString& t, double v) { return v < 30 || t.isEmpty() || v > 150; },
       "　管電圧を再入力　", "100"},
      {Text5, [](const QString& t, double v) { return t.isEmpty() || v < 1; },
       "　ターゲット角度を再入力　", "12"},
      {Text2, [](const QString& t, double v) { return t.isEmpty() || v <= 0; },
       "　固有ろ過を再入力　", "2.5"},
  };
  for (const InputCheck& check : checks) {
    const QString text = check.field->text();
    if (check.fails(text, lumora::ReadLeadingNumber(text.toStdString()))) {
      warner_.warn(this, check.warning);
      check.field->setText(check.reset);
      return false;
    }
  }
  return true;
}

void Form5::computeAndPlot() {
  if (!inputsPass()) return;
  if (ComputeSpectrum(module_, *this, warner_)) Command4->setEnabled(true);
}

void Form5::clearChart() {
  Picture3->cls();
  DrawSpectrumAxes(*Picture3);
}

void Form5::acceptSpectrum() {
  const std::string error = lumora::WriteSpectrumFile(SPECTRUM_FILE, module_.Tables.Spectrum);
  if (!error.empty()) {
    warner_.warn(this, QString("スペクトルファイル %1 を書き込めません\n%2")
                           .arg(SPECTRUM_FILE, QString::fromStdString(error)));
    return;
  }
  QCoreApplication::processEvents();
  emit accepted();
  hide();
}

void Form5::cancel() {
  DeleteIgnoringErrors(SPECTRUM_FILE);
  emit cancelled();
  hide();
}

void Form5::closeEvent(QCloseEvent* event) {
  DeleteIgnoringErrors(SPECTRUM_FILE);
  emit closedThroughFrame();
  event->accept();
}
