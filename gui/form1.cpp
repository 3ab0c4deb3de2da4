#include "form1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <fstream>

#include "engine_launch.h"
#include "exchange_files.h"
#include "fonts.h"
#include "history_file.h"
#include "module1.h"
#include "read_leading_number.h"
#include "result_file.h"
#include "warnings.h"

namespace {

const char DEFAULT_HISTORIES[] = "10000000";
const char* const HISTORY_CHOICES[] = {"10000",   "50000",    "100000",   "500000",    "1000000",
                                       "5000000", "10000000", "50000000", "100000000", "500000000"};

const char NUMBER_WARNING[] = " 入射光子数を選択もしくは直接入力して下さい ";
const char SPECTRUM_WARNING[] = " X線スペクトルが計算されていません ";

const QColor TITLE_BLUE(0, 0, 255);
const QColor LIGHT_CYAN(192, 255, 255);
const QColor CROSSHAIR_RED(255, 0, 0);

constexpr int IMAGE_PIXELS = 600;

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QRect rect,
                 const QFont& font, const QColor& colour = Qt::black) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(font);
  SetTextColour(label, colour);
  label->setGeometry(rect);
  return label;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, QRect rect) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setFont(MeiryoFont(14.25));
  SetButtonFace(button);
  button->setGeometry(rect);
  return button;
}

QFrame* AddCrosshairLine(PictureBox* picture, const char* name, QRect rect) {
  auto* line = new QFrame(picture);
  line->setObjectName(name);
  SetBackground(line, CROSSHAIR_RED);
  line->setGeometry(rect);
  return line;
}

// A small emblem: the focus, the diverging beam and the water block.
void DrawEmblem(PictureBox& picture) {
  picture.fill({20, 5}, {29, 26}, QColor(160, 200, 255));
  picture.line({3, 16}, {20, 7}, CROSSHAIR_RED);
  picture.line({3, 16}, {20, 25}, CROSSHAIR_RED);
  picture.setDrawWidth(3);
  picture.pset({3, 16}, Qt::black);
}

}  // namespace

Form1::Form1(Module1& module, Warner& warner) : module_(module), warner_(warner) {
  setObjectName("Form1");
  setWindowTitle("Lumora Monte Carlo Simulation");
  setFont(MeiryoFont(12));
  setFixedSize(1172, 622);
  createControls();
  connectControls();
  startUp();
}

Form1::~Form1() {
  delete form5_;
  delete form2_;
}

void Form1::createControls() {
  Label9 = AddLabel(this, "Label9", "モンテカルロシミュレーション", {20, 10, 470, 40},
                    MeiryoFont(18), TITLE_BLUE);
  Label1 = AddLabel(this, "Label1",
                    "30cm × 30cm × 20cm の水ファントムにFSD=80cm, 照射野 20cm ×20cm で"
                    "Ｘ線束が入射した時、反対側に射出する一次線・散乱線（光子数×光子ネルギー）の"
                    "２次元分布 （被写体コントラスト）を計算し、画像表示します。",
                    {20, 56, 520, 108}, font(), TITLE_BLUE);
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  const QFont mark = MeiryoFont(18);
  Label2 = AddLabel(this, "Label2", "①", {20, 176, 36, 44}, mark);
  Command4 = AddButton(this, "Command4", "入射Ｘ線スペクトルの計算", {60, 176, 280, 44});

  Label5 = AddLabel(this, "Label5", "入射光子数（ヒストリ）＝", {20, 236, 190, 32}, font());
  SetBackground(Label5, LIGHT_CYAN);
  Combo1 = new QComboBox(this);
  Combo1->setObjectName("Combo1");
  Combo1->setEditable(true);
  Combo1->setInsertPolicy(QComboBox::NoInsert);  // the list only offers values
  for (const char* choice : HISTORY_CHOICES) Combo1->addItem(choice);
  Combo1->setGeometry(216, 236, 150, 32);

  Label3 = AddLabel(this, "Label3", "②", {20, 292, 36, 44}, mark);
  Command1 = AddButton(this, "Command1", "上記条件で OK", {60, 292, 270, 44});
  Label4 = AddLabel(this, "Label4", "③", {20, 352, 36, 44}, mark);
  Command2 = AddButton(this, "Command2", "シミュレーションスタート", {60, 352, 270, 44});
  Label7 = AddLabel(this, "Label7", "④", {20, 412, 36, 44}, mark);
  Command7 = AddButton(this, "Command7", "計算結果読み込み", {60, 412, 270, 44});

  Label8 = AddLabel(this, "Label8", "⑤", {344, 292, 30, 44}, mark);
  Frame1 = new QFrame(this);
  Frame1->setObjectName("Frame1");
  Frame1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Frame1->setGeometry(374, 292, 170, 164);
  Option1 = new QRadioButton("一次線のみ", Frame1);
  Option2 = new QRadioButton("散乱線のみ", Frame1);
  Option3 = new QRadioButton("全光子線", Frame1);
  int y = 8;
  for (auto [option, name] :
       {std::pair{Option1, "Option1"}, {Option2, "Option2"}, {Option3, "Option3"}}) {
    option->setObjectName(name);
    option->setGeometry(14, y, 150, 28);
    y += 30;
  }
  Command3 = AddButton(Frame1, "Command3", "画像表示", {10, 108, 150, 44});

  Command6 = AddButton(this, "Command6", "終 了", {20, 560, 120, 44});
  Command5 = AddButton(this, "Command5", "リセット", {150, 560, 130, 44});
  Command8 = AddButton(this, "Command8", "モンテカルロソースコード", {290, 560, 254, 44});

  Picture2 = new PictureBox({32, 32}, this);
  Picture2->setObjectName("Picture2");
  Picture2->move(506, 14);
  DrawEmblem(*Picture2);

  // The image surface: a thin border around 600 x 600 white pixels, with the
  // fixed red crosshair through the centre lying above whatever is drawn.
  auto* border = new QFrame(this);
  border->setFrameStyle(QFrame::Box | QFrame::Plain);
  border->setGeometry(560, 10, IMAGE_PIXELS + 2, IMAGE_PIXELS + 2);
  Picture1 = new PictureBox({IMAGE_PIXELS, IMAGE_PIXELS}, border);
  Picture1->setObjectName("Picture1");
  Picture1->move(1, 1);
  Line1 = AddCrosshairLine(Picture1, "Line1", {0, IMAGE_PIXELS / 2, IMAGE_PIXELS, 1});
  Line2 = AddCrosshairLine(Picture1, "Line2", {IMAGE_PIXELS / 2, 0, 1, IMAGE_PIXELS});
}

// The actions of this window: run control, loading and drawing the result,
// and the source listing. An option only chooses the image kind; the picture
// changes when Command3 is pressed.
void Form1::connectControls() {
  connect(Command4, &QPushButton::clicked, this, &Form1::openSpectrumWindow);
  connect(Command1, &QPushButton::clicked, this, &Form1::confirmHistories);
  connect(Command2, &QPushButton::clicked, this, &Form1::startSimulation);
  connect(Command5, &QPushButton::clicked, this, &Form1::reset);
  connect(Command6, &QPushButton::clicked, this, &Form1::exitProgram);
  connect(Command7, &QPushButton::clicked, this, &Form1::loadResult);
  connect(Command3, &QPushButton::clicked, this, &Form1::showImage);
  connect(Command8, &QPushButton::clicked, this, &Form1::showSourceListing);
  for (auto [option, kind] : {std::pair{Option1, 1}, {Option2, 2}, {Option3, 3}}) {
    connect(option, &QRadioButton::toggled, this, [this, kind = kind](bool checked) {
      if (checked) module_.ImageKind = kind;
    });
  }
}

void Form1::disableSteps() {
  Command1->setEnabled(false);
  Command2->setEnabled(false);
  Command3->setEnabled(false);
  Command7->setEnabled(false);
}

void Form1::startUp() {
  Combo1->setEditText(DEFAULT_HISTORIES);
  disableSteps();
  Option3->setChecked(true);
  module_.ImageKind = 3;
  Picture1->cls();
}

void Form1::openSpectrumWindow() {
  const QString error = LoadAttenuationTable(module_);
  if (!error.isEmpty()) {
    warner_.warn(this, error);
    return;
  }
  if (!form5_) {
    form5_ = new Form5(module_, warner_);
    connect(form5_, &Form5::accepted, this, &Form1::spectrumAccepted);
    connect(form5_, &Form5::cancelled, this, &Form1::spectrumCancelled);
    connect(form5_, &Form5::closedThroughFrame, this, &Form1::spectrumWindowClosed);
  }
  DrawSpectrumAxes(*form5_->Picture3);
  form5_->Command4->setEnabled(false);
  form5_->show();
  hide();
}

void Form1::spectrumAccepted() {
  Command1->setEnabled(true);
  show();
  Command1->setFocus();
}

void Form1::spectrumCancelled() {
  Command1->setEnabled(false);
  show();
}

void Form1::spectrumWindowClosed() {
  form5_ = nullptr;  // the window unloads itself; the next opening creates it anew
  show();
}

// One catch-all: a missing P_Spectrum.dat (no accepted spectrum) or a history
// file that cannot be written shows the same fixed warning; only an unusable
// number has a warning of its own. A warning changes nothing.
void Form1::confirmHistories() {
  if (!std::ifstream(SPECTRUM_FILE)) {
    warner_.warn(this, SPECTRUM_WARNING);
    return;
  }
  const double histories = lumora::ReadLeadingNumber(Combo1->currentText().toStdString());
  // A number too large for the engine is as unusable as none at all.
  if (!lumora::IsRunnableHistories(histories)) {
    warner_.warn(this, NUMBER_WARNING);
    return;
  }
  if (!lumora::WriteHistoryFile(HISTORY_FILE, histories).empty()) {
    warner_.warn(this, SPECTRUM_WARNING);
    return;
  }
  Command2->setEnabled(true);
  Command2->setFocus();
}

void Form1::startSimulation() {
  const QString error =
      StartEngine(PlanEngineLaunch(QDir::currentPath(), QCoreApplication::applicationDirPath(),
                                   QProcessEnvironment::systemEnvironment()));
  if (!error.isEmpty()) {
    warner_.warn(this, error);
    return;
  }
  Command7->setEnabled(true);
  Command7->setFocus();
}

void Form1::reset() {
  DeleteIgnoringErrors(SPECTRUM_FILE);
  Combo1->setEditText(DEFAULT_HISTORIES);
  disableSteps();
  Picture1->cls();
}

void Form1::exitProgram() {
  DeleteIgnoringErrors(HISTORY_FILE);
  DeleteIgnoringErrors(RESULT_FILE);
  DeleteIgnoringErrors(SPECTRUM_FILE);
  QCoreApplication::exit(0);
}

// The three images are read into a fresh table that replaces ImageData and
// ImageMax only when all 67 503 items have been read, so a missing, short or
// damaged file leaves the last loaded images and the step state as they were.
void Form1::loadResult() {
  const std::string error =
      lumora::LoadResultFile(RESULT_FILE, module_.ImageData, module_.ImageMax);
  if (!error.empty()) {
    warner_.warn(this, QString::fromStdString(error));
    return;
  }
  QCoreApplication::processEvents();
  Command3->setEnabled(true);
  Command3->setFocus();
}

void Form1::showImage() {
  Picture1->cls();
  DrawImage(module_, *Picture1);
}

// Every press lists the file afresh from line 1. A file that cannot be read is
// reported and the window is hidden, so that no stale listing stays on view.
void Form1::showSourceListing() {
  const bool created = !form2_;
  if (created) form2_ = new Form2;
  const QString error = form2_->FillListing(SOURCE_LISTING_FILE);
  if (!error.isEmpty()) {
    form2_->hide();
    warner_.warn(this, error);
    return;
  }
  if (created) {  // beside the main window, as far as the screen allows
    const QRect area = screen()->availableGeometry();
    const QRect main = frameGeometry();
    form2_->move(std::max(area.left(), std::min(main.right() + 1, area.right() - form2_->width())),
                 std::max(area.top(), main.top()));
  }
  form2_->show();
  form2_->raise();
}

void Form1::closeEvent(QCloseEvent* event) {
  event->accept();
  QCoreApplication::exit(0);
}
