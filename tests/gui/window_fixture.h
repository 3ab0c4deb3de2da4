#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "form1.h"
#include "form5.h"
#include "gui_test_app.h"
#include "module1.h"
#include "warnings.h"

// Records the warnings instead of showing a modal box, so no test blocks.
class RecordingWarner : public Warner {
 public:
  void warn(QWidget*, const QString& text) override { texts << text; }
  QStringList texts;
};

// A small attenuation table shaped like the shipped one: 300 records of seven
// comma-separated numbers, coefficients falling steeply with energy.
inline std::string AttenuationFixture(int records = 300) {
  std::ostringstream out;
  for (int m = 1; m <= records; ++m) {
    const double e = 0.5 * m;
    out << e << ',' << 19.3 * (0.2 + 4000 / std::pow(e, 2.7)) << ','
        << 2.7 * (0.15 + 400 / std::pow(e, 3)) << ',' << 8.96 * (0.15 + 3000 / std::pow(e, 2.9))
        << ",0,0,0\r\n";
  }
  return out.str();
}

inline void WriteFile(const char* name, const std::string& text) {
  std::ofstream(name, std::ios::binary) << text;
}

inline std::string ReadFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline bool Exists(const char* name) {
  return std::filesystem::exists(name);
}

inline int CountColour(const QImage& image, QColor colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
  return count;
}

// Each test runs in a fresh temporary working directory holding the
// attenuation table, with the main window created as at program start.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GuiTestApp();
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    WriteFile("Mus2018.dat", AttenuationFixture());
    form1 = std::make_unique<Form1>(module, warner);
    form1->show();
  }

  void TearDown() override {
    form1.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(previous_);
  }

  template <typename T = QPushButton>
  T* on1(const char* name) {
    T* control = form1->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  template <typename T = QPushButton>
  T* on5(const char* name) {
    Form5* form5 = form1->spectrumWindow();
    EXPECT_NE(form5, nullptr);
    T* control = form5 ? form5->findChild<T*>(name) : nullptr;
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  // Step ①, then "スペクトル計算" with the texts as they are, then OK.
  void AcceptSpectrum() {
    on1("Command4")->click();
    ASSERT_NE(form1->spectrumWindow(), nullptr);
    on5("Command1")->click();
    ASSERT_TRUE(on5("Command4")->isEnabled()) << warner.texts.join('|').toStdString();
    on5("Command4")->click();
  }

  QString path(const char* name) const { return QDir(dir_.path()).filePath(name); }

  Module1 module;
  RecordingWarner warner;
  std::unique_ptr<Form1> form1;

 private:
  QTemporaryDir dir_;
  QString previous_;
};
