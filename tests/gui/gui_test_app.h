#pragma once

#include <QApplication>
#include <cstdlib>

// The application object of a GUI test, on the offscreen platform so that the
// tests need no display; created once, on first use.
inline QApplication& GuiTestApp() {
  static int argc = 1;
  static char name[] = "gui_test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}
