#pragma once

#include <QWidget>

#include "picture_box.h"

class QLineEdit;
class QPushButton;
struct Module1;
class Warner;

// Form5: exposure conditions in, Tucker spectrum plotted in the
// chart Picture3, and the hand-back to the main window through OK (writes
// P_Spectrum.dat), Cancel or the window frame (both delete it).
class Form5 : public QWidget {
  Q_OBJECT

 public:
  // Creating the window is its Load: default texts and an empty white chart.
  Form5(Module1& module, Warner& warner);

  QLineEdit* Text1;       // tube voltage, kV
  QLineEdit* Text2;       // inherent filtration, mm Al equivalent
  QLineEdit* Text3;       // added aluminium, mm
  QLineEdit* Text4;       // added copper, mm
  QLineEdit* Text5;       // target angle, degree
  QPushButton* Command1;  // スペクトル計算
  QPushButton* Command2;  // キャンセル
  QPushButton* Command3;  // やり直し
  QPushButton* Command4;  // OK
  PictureBox* Picture3;   // spectrum chart

 signals:
  void accepted();            // OK wrote P_Spectrum.dat
  void cancelled();           // Cancel deleted it
  void closedThroughFrame();  // the frame closed the window and deleted it

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void computeAndPlot();  // Command1
  void clearChart();      // Command3
  void acceptSpectrum();  // Command4
  void cancel();          // Command2

 private:
  void createControls();
  bool inputsPass();

  Module1& module_;
  Warner& warner_;
};
