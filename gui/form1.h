#pragma once

#include <QPointer>
#include <QWidget>

#include "form5.h"
#include "picture_box.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
struct Module1;
class Warner;

// The main window: leads the user through one run in five numbered steps.
// Which step is reachable is kept only in the enabled flags of the step
// buttons Command1 (②), Command2 (③), Command7 (④) and Command3 (⑤).
class Form1 : public QWidget {
  Q_OBJECT

 public:
  // Creating the window runs its start-up (Load).
  Form1(Module1& module, Warner& warner);
  ~Form1() override;

  // Form5 while it exists (created by step ①, unloaded by its frame).
  Form5* spectrumWindow() const { return form5_; }

  QLabel* Label9;         // title
  QLabel* Label1;         // what the program computes
  QLabel* Label2;         // ①
  QLabel* Label3;         // ②
  QLabel* Label4;         // ③
  QLabel* Label5;         // caption of Combo1
  QLabel* Label7;         // ④
  QLabel* Label8;         // ⑤
  QPushButton* Command4;  // ① 入射Ｘ線スペクトルの計算
  QComboBox* Combo1;      // number of histories
  QPushButton* Command1;  // ② 上記条件で OK
  QPushButton* Command2;  // ③ シミュレーションスタート
  QPushButton* Command7;  // ④ 計算結果読み込み
  QFrame* Frame1;         // ⑤ image choice
  QRadioButton* Option1;  // primary photons only
  QRadioButton* Option2;  // scattered photons only
  QRadioButton* Option3;  // all photons
  QPushButton* Command3;  // ⑤ 画像表示
  PictureBox* Picture1;   // the image surface, 600 x 600 pixels
  QFrame* Line1;          // red crosshair, horizontal
  QFrame* Line2;          // red crosshair, vertical
  QPushButton* Command5;  // リセット
  QPushButton* Command6;  // 終 了
  QPushButton* Command8;  // engine source listing
  PictureBox* Picture2;   // decorative

 protected:
  // Closing through the frame ends the program like Exit's last step, but
  // leaves the exchange files in place.
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void openSpectrumWindow();  // Command4
  void confirmHistories();    // Command1
  void startSimulation();     // Command2
  void reset();               // Command5
  void exitProgram();         // Command6
  void spectrumAccepted();
  void spectrumCancelled();
  void spectrumWindowClosed();

 private:
  void createControls();
  void connectControls();
  void startUp();
  void disableSteps();

  Module1& module_;
  Warner& warner_;
  QPointer<Form5> form5_;
};
