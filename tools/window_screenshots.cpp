// Screenshots of the two windows of Lumisim-1 as the X server shows them.
// Usage: window_screenshots <working directory with Mus2018.dat> <output directory>
// Run it under a virtual X display (tools/window_screenshots.sh does): it shows
// the main window, then opens Form5 and computes a spectrum from
// the default conditions, and grabs each window from the screen into
// form1.png and form5.png.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QThread>
#include <cstdio>

#include "form1.h"
#include "module1.h"
#include "warnings.h"

namespace {

// Lets the X server map and paint the windows.
void Settle() {
  QDeadlineTimer deadline(800);
  while (!deadline.hasExpired()) {
    QCoreApplication::processEvents();
    QThread::msleep(20);
  }
}

bool Grab(QWidget* window, const QString& file) {
  const QRect frame = window->frameGeometry();
  const QPixmap shot =
      window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  return shot.save(file);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <working directory> <output directory>\n", argv[0]);
    return 2;
  }
  QApplication::setApplicationName("Lumisim-1");
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  const QDir output(QDir(argv[2]).absolutePath());
  if (!QDir::setCurrent(argv[1])) {
    std::fprintf(stderr, "cannot enter %s\n", argv[1]);
    return 1;
  }

  Module1 module;
  MessageBoxWarner warner;
  Form1 form1(module, warner);
  form1.move(0, 0);
  form1.show();
  Settle();
  if (!Grab(&form1, output.filePath("form1.png"))) return 1;

  form1.findChild<QPushButton*>("Command4")->click();
  Form5* form5 = form1.spectrumWindow();
  if (!form5) return 1;
  form5->move(0, 0);
  form5->findChild<QPushButton*>("Command1")->click();
  Settle();
  if (!Grab(form5, output.filePath("form5.png"))) return 1;
  return 0;
}
