#include <QApplication>
#include <QStyleFactory>

#include "form1.h"
#include "module1.h"
#include "warnings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Lumisim-1");
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  // The program ends only through Exit or by closing the main window, never
  // because its visible windows change hands.
  QApplication::setQuitOnLastWindowClosed(false);

  Module1 module;
  MessageBoxWarner warner;
  Form1 form1(module, warner);
  form1.show();
  return app.exec();
}
