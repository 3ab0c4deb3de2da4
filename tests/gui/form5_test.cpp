#include <QLabel>
#include <QLineEdit>

#include "spectrum/spectrum_file.h"
#include "window_fixture.h"

namespace {

const QColor RED(255, 0, 0);

class Form5Test : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    on1("Command4")->click();
    form5 = form1->spectrumWindow();
    ASSERT_NE(form5, nullptr);
  }

  QLineEdit* text(const char* name) { return on5<QLineEdit>(name); }
  void compute() { on5("Command1")->click(); }
  void enterDefaults() {
    for (auto [name, value] : {std::pair{"Text1", "100"},
                               {"Text5", "12"},
                               {"Text2", "2.5"},
                               {"Text3", "0"},
                               {"Text4", "0"}})
      text(name)->setText(value);
  }
  QImage chart() { return form5->Picture3->image(); }

  // The chart as a fresh window draws it: white, then the axes.
  QImage axesOnly() {
    PictureBox picture(form5->Picture3->image().size());
    picture.setScale(0, 0, CHART_WIDTH, CHART_HEIGHT);
    DrawSpectrumAxes(picture);
    return picture.image();
  }

  Form5* form5 = nullptr;
};

// Pixel position of the top-left corner of a control, in the window.
QRect InWindow(QWidget* control, QWidget* window) {
  return {control->mapTo(window, QPoint(0, 0)), control->size()};
}

TEST_F(Form5Test, OpensWithItsControlsAtTheirPlacesAndTheEmptyChart) {
  EXPECT_EQ(form5->windowTitle(), "X-ray spectrum by Tucker's formula");
  EXPECT_EQ(form5->size(), QSize(991, 489));  // 14865 x 7335 twips
  EXPECT_TRUE(form5->isVisible());
  EXPECT_FALSE(form1->isVisible());

  const struct {
    const char* name;
    const char* text;
    QPoint at;
  } fields[] = {{"Text1", "100", {816, 112}},
                {"Text5", "12", {816, 192}},
                {"Text2", "2.5", {816, 232}},
                {"Text3", "0", {816, 288}},
                {"Text4", "0", {816, 328}}};
  for (const auto& f : fields) {
    EXPECT_EQ(text(f.name)->text(), f.text) << f.name;
    EXPECT_EQ(InWindow(text(f.name), form5).topLeft(), f.at) << f.name;
  }
  const struct {
    const char* name;
    const char* text;
    QRect rect;
    bool enabled;
  } buttons[] = {{"Command1", "スペクトル計算", {672, 376, 145, 41}, true},
                 {"Command3", "やり直し", {840, 376, 105, 41}, true},
                 {"Command4", "OK", {672, 440, 145, 41}, false},
                 {"Command2", "キャンセル", {840, 448, 105, 33}, true}};
  for (const auto& b : buttons) {
    EXPECT_EQ(on5(b.name)->text(), b.text) << b.name;
    EXPECT_EQ(InWindow(on5(b.name), form5), b.rect) << b.name;
    EXPECT_EQ(on5(b.name)->isEnabled(), b.enabled) << b.name;
    EXPECT_EQ(on5(b.name)->palette().color(QPalette::Button), QColor(255, 255, 192)) << b.name;
  }

  QStringList labels;
  for (QLabel* label : form5->findChildren<QLabel*>()) labels << label->text();
  for (const char* caption :
       {"Ｘ線スペクトルを近似計算する", "照射条件を設定して下さい", "Ｘ線管電圧", "kV", "(30～150)",
        "高電圧整流方式：定電圧", "ターゲット角度", "degree", "固有ろ過（Al当量）", "mmAl eq.",
        "(最小1mm)", "アルミ付加フィルタ", "mm", "銅付加フィルタ"})
    EXPECT_TRUE(labels.contains(caption)) << caption;

  // The chart inside its sunken border at 240, 360 twips, 9135 x 6615 twips outside.
  const QRect outer = InWindow(form5->Picture3->parentWidget(), form5);
  EXPECT_EQ(outer, QRect(16, 24, 609, 441));
  EXPECT_EQ(chart(), axesOnly());
  EXPECT_EQ(CountColour(chart(), RED), 0);
}

TEST_F(Form5Test, AxesHaveTheGreyGridAndTheBlackFrameAtChartCoordinates) {
  const QImage image = chart();
  auto pixel = [&](double x, double y) {
    return image.pixelColor(int(x * image.width() / CHART_WIDTH),
                            int(y * image.height() / CHART_HEIGHT));
  };
  EXPECT_EQ(pixel(1300, 1000), QColor(128, 128, 128));  // 10 keV grid line
  EXPECT_EQ(pixel(3100, 1100), QColor(128, 128, 128));  // 0.5 fluence grid line
  EXPECT_EQ(pixel(1000, 1000), QColor(Qt::black));      // frame, left edge
  EXPECT_EQ(pixel(3000, 2100), QColor(Qt::black));      // frame, bottom edge
  EXPECT_EQ(pixel(700, 1600), QColor(Qt::white));       // outside the frame
}

TEST_F(Form5Test, ComputingEnablesOkAndDrawsTheRedCurve) {
  compute();
  EXPECT_TRUE(warner.texts.isEmpty()) << warner.texts.join('|').toStdString();
  EXPECT_TRUE(on5("Command4")->isEnabled());
  EXPECT_GT(CountColour(chart(), RED), 300);
  const auto& spectrum = module.Tables.Spectrum;
  EXPECT_EQ(*std::max_element(spectrum.begin() + 1, spectrum.end()), 1.0);
  EXPECT_EQ(spectrum[1], 0.0);
}

// Each check of "スペクトル計算" in turn: the field, the text entered, the
// warning (empty: accepted) and the text the field shows afterwards.
TEST_F(Form5Test, InputChecksWarnAndResetTheirFieldInOrder) {
  const struct {
    const char* field;
    const char* entered;
    const char* warning;
    const char* after;
  } cases[] = {
      {"Text1", "29.9", "　管電圧を再入力　", "100"},
      {"Text1", "150.1", "　管電圧を再入力　", "100"},
      {"Text1", "abc", "　管電圧を再入力　", "100"},
      {"Text1", "", "　管電圧を再入力　", "100"},
      {"Text1", "30", "", "30"},
      {"Text1", "150", "", "150"},
      {"Text5", "0.5", "　ターゲット角度を再入力　", "12"},
      {"Text5", "", "　ターゲット角度を再入力　", "12"},
      {"Text5", "1", "", "1"},
      {"Text2", "0", "　固有ろ過を再入力　", "2.5"},
      {"Text2", "-1", "　固有ろ過を再入力　", "2.5"},
      {"Text2", "", "　固有ろ過を再入力　", "2.5"},
      {"Text2", "0.5", "最小固有濾過は Al 1.0 mm です", "1"},
      {"Text2", "1", "", "1"},
  };
  for (const auto& c : cases) {
    enterDefaults();
    text(c.field)->setText(c.entered);
    on5("Command3")->click();  // only the axes, so that a refused press shows no curve
    on5("Command4")->setEnabled(false);
    const lumora::BinTable before = module.Tables.Spectrum;
    warner.texts.clear();

    compute();
    const std::string what = std::string(c.field) + " = \"" + c.entered + '"';
    EXPECT_EQ(text(c.field)->text(), c.after) << what;
    if (*c.warning) {
      EXPECT_EQ(warner.texts, QStringList{c.warning}) << what;
      EXPECT_FALSE(on5("Command4")->isEnabled()) << what;
      EXPECT_EQ(module.Tables.Spectrum, before) << what;
      EXPECT_EQ(chart(), axesOnly()) << what;
    } else {
      EXPECT_TRUE(warner.texts.isEmpty()) << what << warner.texts.join('|').toStdString();
      EXPECT_TRUE(on5("Command4")->isEnabled()) << what;
      EXPECT_GT(CountColour(chart(), RED), 0) << what;
    }
  }
}

TEST_F(Form5Test, OnlyTheFirstFailingCheckWarns) {
  text("Text1")->setText("10");
  text("Text5")->setText("0");
  compute();
  EXPECT_EQ(warner.texts, QStringList{"　管電圧を再入力　"});
  EXPECT_EQ(text("Text1")->text(), "100");
  EXPECT_EQ(text("Text5")->text(), "0");
}

TEST_F(Form5Test, ARefusalKeepsTheEarlierCurveTableAndOkState) {
  compute();
  const QImage withCurve = chart();
  const lumora::BinTable accepted = module.Tables.Spectrum;
  const struct {
    const char* field;
    const char* entered;
    const char* warning;
  } cases[] = {
      {"Text2", "0.5", "最小固有濾過は Al 1.0 mm です"},
      {"Text3", "-1", "付加フィルタの厚さは 0 mm 以上にして下さい"},
      {"Text4", "-0.5", "付加フィルタの厚さは 0 mm 以上にして下さい"},
      {"Text5", "90", "ターゲット角度は 90 度未満にして下さい"},
      {"Text4", "100000", "フィルタが厚すぎてＸ線が透過しません"},
      {"Text5", "1e999", "この照射条件ではスペクトルを計算できません"},
  };
  for (const auto& c : cases) {
    enterDefaults();
    text(c.field)->setText(c.entered);
    for (bool okBefore : {true, false}) {
      on5("Command4")->setEnabled(okBefore);
      warner.texts.clear();
      compute();
      EXPECT_EQ(warner.texts, QStringList{c.warning}) << c.field << '=' << c.entered;
      EXPECT_EQ(on5("Command4")->isEnabled(), okBefore) << c.entered;
      EXPECT_EQ(module.Tables.Spectrum, accepted) << c.entered;
      EXPECT_EQ(chart(), withCurve) << c.entered;
      if (std::string(c.field) == "Text2") text("Text2")->setText(c.entered);
    }
  }
}

TEST_F(Form5Test, CurvesAccumulateUntilStartOverClearsThem) {
  compute();
  const int oneCurve = CountColour(chart(), RED);
  text("Text1")->setText("60");
  compute();
  const QImage twoCurves = chart();
  EXPECT_GT(CountColour(twoCurves, RED), oneCurve + 100);
  // The 100 kV curve between 63 and 80 keV is still there.
  const QImage first = [&] {
    on5("Command3")->click();
    text("Text1")->setText("100");
    compute();
    return chart();
  }();
  int kept = 0, there = 0;
  for (int x = first.width() * 2900 / 6000; x < first.width() * 3400 / 6000; ++x)
    for (int y = 0; y < first.height() * 2000 / 2500; ++y)
      if (first.pixelColor(x, y) == RED) {
        ++there;
        kept += twoCurves.pixelColor(x, y) == RED;
      }
  EXPECT_GT(there, 10);
  EXPECT_EQ(kept, there);

  on5("Command3")->click();  // やり直し
  EXPECT_EQ(chart(), axesOnly());
  EXPECT_EQ(text("Text1")->text(), "100");
  EXPECT_TRUE(on5("Command4")->isEnabled());
}

TEST_F(Form5Test, OkWritesTheThreeHundredBinsAndHandsBackToTheMainWindow) {
  text("Text1")->setText("60");
  compute();
  on5("Command4")->click();
  const std::string written = ReadFile("P_Spectrum.dat");
  EXPECT_EQ(written, lumora::FormatSpectrumFile(module.Tables.Spectrum));
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 300);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\r'), 300);
  for (int i = 121; i <= 300; ++i) EXPECT_EQ(module.Tables.Spectrum[i], 0.0) << i;
  EXPECT_FALSE(form5->isVisible());
  EXPECT_TRUE(form1->isVisible());
  EXPECT_TRUE(on1("Command1")->isEnabled());
}

TEST_F(Form5Test, OkThatCannotWriteWarnsAndStays) {
  compute();
  std::filesystem::create_directory("P_Spectrum.dat");
  on5("Command4")->click();
  ASSERT_EQ(warner.texts.size(), 1);
  EXPECT_TRUE(warner.texts[0].contains("P_Spectrum.dat")) << warner.texts[0].toStdString();
  EXPECT_TRUE(form5->isVisible());
  EXPECT_FALSE(form1->isVisible());
  EXPECT_FALSE(on1("Command1")->isEnabled());
}

TEST_F(Form5Test, ReopeningKeepsTextsAndCurvesAndDisablesOk) {
  text("Text1")->setText("80");
  compute();
  const int red = CountColour(chart(), RED);
  on5("Command4")->click();
  on1("Command4")->click();
  ASSERT_EQ(form1->spectrumWindow(), form5);
  EXPECT_EQ(text("Text1")->text(), "80");
  EXPECT_GT(CountColour(chart(), RED), red * 9 / 10);  // the axes lie over the curve
  EXPECT_FALSE(on5("Command4")->isEnabled());

  on5("Command2")->click();  // Cancel: the accepted spectrum is gone
  EXPECT_FALSE(Exists("P_Spectrum.dat"));
}

TEST_F(Form5Test, EachOpeningReadsTheAttenuationFileAgain) {
  on5("Command2")->click();
  WriteFile("Mus2018.dat", "1,2,3\r\n");
  on1("Command4")->click();
  ASSERT_EQ(warner.texts.size(), 1);
  EXPECT_FALSE(form5->isVisible());
  EXPECT_TRUE(form1->isVisible());
}

TEST_F(Form5Test, ClosingThroughTheFrameUnloadsTheWindow) {
  text("Text1")->setText("80");
  compute();
  on5("Command4")->click();
  on1("Command4")->click();
  form5->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(Exists("P_Spectrum.dat"));
  EXPECT_TRUE(form1->isVisible());
  EXPECT_TRUE(on1("Command1")->isEnabled());

  on1("Command4")->click();  // created anew: default texts, empty chart
  form5 = form1->spectrumWindow();
  ASSERT_NE(form5, nullptr);
  EXPECT_EQ(text("Text1")->text(), "100");
  EXPECT_EQ(chart(), axesOnly());
}

}  // namespace
