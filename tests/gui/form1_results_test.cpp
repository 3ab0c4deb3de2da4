#include <QListWidget>
#include <QRadioButton>
#include <algorithm>
#include <optional>
#include <vector>

#include "form2.h"
#include "grey_level.h"
#include "result_fixture.h"
#include "window_fixture.h"

namespace {

// Step ④ and ⑤ of the main window and its source listing button, each test in
// a fresh working directory with the main window as after step ③ (engine started).
class ResultsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    on1("Command7")->setEnabled(true);
  }

  void Load(const std::string& text) {
    fixture::WriteFile("Result.dat", text);
    on1("Command7")->click();
  }

  void Show(const char* option) {
    on1<QRadioButton>(option)->click();
    on1("Command3")->click();
  }

  const QImage& Picture() { return on1<PictureBox>("Picture1")->image(); }

  // The grey of cell (i, j) when every pixel of its 4 x 4 block has it, else -1;
  // the pixels under the crosshair (x or y = 300) are left out.
  int CellGrey(int i, int j) {
    const QImage& image = Picture();
    const QColor first = image.pixelColor(4 * i - 3, 4 * j - 3);
    for (int y = 4 * j - 3; y <= 4 * j && y < image.height(); ++y)
      for (int x = 4 * i - 3; x <= 4 * i && x < image.width(); ++x)
        if (x != 300 && y != 300 &&
            (image.pixelColor(x, y) != first || first.red() != first.green() ||
             first.green() != first.blue()))
          return -1;
    return first.red();
  }
};

TEST_F(ResultsTest, LayoutsOfTheSameItemsLoadIdenticalImages) {
  Load(fixture::EngineLayout(fixture::Varied));
  ASSERT_TRUE(warner.texts.isEmpty()) << warner.texts.join('|').toStdString();
  const lumora::ImageTable engineLayout = module.ImageData;
  EXPECT_EQ(module.ImageData(2, 150, 1), fixture::Varied(2, 150, 1));
  EXPECT_EQ(module.ImageMax, 1480);

  const std::vector<std::string> items = fixture::ResultItems(fixture::Varied);
  const struct {
    const char* name;
    std::string text;
  } layouts[] = {
      {"all on one line", fixture::Join(items, " ")},
      {"one per line", fixture::Join(items, "\r\n")},
      {"image numbers 0 0 0",
       fixture::Join(fixture::ResultItems(fixture::Varied, {"0", "0", "0"}), "\r\n")},
  };
  for (const auto& layout : layouts) {
    module.ImageData = lumora::ImageTable();
    module.ImageMax = 0;
    Load(layout.text);
    EXPECT_TRUE(module.ImageData == engineLayout) << layout.name;
    EXPECT_EQ(module.ImageMax, 1480) << layout.name;
  }
  EXPECT_TRUE(warner.texts.isEmpty());
  EXPECT_TRUE(on1("Command3")->isEnabled());
  EXPECT_EQ(form1->focusWidget(), on1("Command3"));
}

TEST_F(ResultsTest, GreyLevelsReadBackFromThePicture) {
  // Cells (1..4, 1) of the all-photon image: 100, 200, 0, 50 of the maximum 200.
  Load(fixture::EngineLayout([](int kind, int i, int j) {
    if (kind != 3 || j != 1) return 0.0;
    return i == 1 ? 100.0 : i == 2 ? 200.0 : i == 4 ? 50.0 : 0.0;
  }));
  ASSERT_EQ(module.ImageMax, 200);
  Show("Option3");
  EXPECT_EQ(CellGrey(1, 1), 128);  // 127.5, half to even
  EXPECT_EQ(CellGrey(2, 1), 0);
  EXPECT_EQ(CellGrey(3, 1), 255);
  EXPECT_EQ(CellGrey(4, 1), 191);  // 191.25
  EXPECT_EQ(CellGrey(150, 150), 255);

  const QImage& image = Picture();
  for (int n = 0; n < 600; ++n) {
    if (n == 300) continue;                                     // where the crosshair starts
    EXPECT_EQ(image.pixelColor(n, 0), QColor(Qt::white)) << n;  // no cell covers row 0
    EXPECT_EQ(image.pixelColor(0, n), QColor(Qt::white)) << n;  // nor column 0
  }
  // The crosshair is drawn over the cells, across the whole picture.
  for (int n = 1; n < 600; ++n) {
    EXPECT_EQ(image.pixelColor(n, 300), QColor(255, 0, 0)) << n;
    EXPECT_EQ(image.pixelColor(300, n), QColor(255, 0, 0)) << n;
  }
}

TEST_F(ResultsTest, ScatteredImageUsesTheAllPhotonScale) {
  Load(fixture::EngineLayout(fixture::Varied));
  Show("Option2");
  int lightest = 255, darkest = 255;
  std::vector<int> scattered;
  for (int j = 1; j <= 150; ++j)
    for (int i = 1; i <= 150; ++i) {
      scattered.push_back(CellGrey(i, j));
      darkest = std::min(darkest, scattered.back());
    }
  // The largest scattered value, 490, is drawn on the scale of 1480, not as black.
  EXPECT_EQ(darkest, lumora::GreyLevel(490, 1480));
  EXPECT_EQ(darkest, 171);

  Show("Option3");
  int k = 0;
  for (int j = 1; j <= 150; ++j)
    for (int i = 1; i <= 150; ++i, ++k) {
      const int all = CellGrey(i, j);
      ASSERT_GE(scattered[k], all) << i << " " << j;  // never darker than all photons
      lightest = std::min(lightest, all);
    }
  EXPECT_EQ(lightest, 0);  // the largest value of all is black
}

TEST_F(ResultsTest, ChoosingAnOptionAloneChangesNothingOnScreen) {
  Load(fixture::EngineLayout(fixture::Varied));
  Show("Option3");
  const QImage allPhotons = Picture().copy();

  on1<QRadioButton>("Option1")->click();
  EXPECT_EQ(module.ImageKind, 1);
  EXPECT_TRUE(Picture() == allPhotons);

  on1("Command3")->click();
  EXPECT_FALSE(Picture() == allPhotons);
  EXPECT_EQ(CellGrey(7, 9), lumora::GreyLevel(fixture::Varied(1, 7, 9), 1480));
  const QImage primary = Picture().copy();
  on1("Command3")->click();
  EXPECT_TRUE(Picture() == primary);  // pressed again: the same picture

  on1<QRadioButton>("Option2")->click();
  EXPECT_EQ(module.ImageKind, 2);
  on1<QRadioButton>("Option3")->click();
  EXPECT_EQ(module.ImageKind, 3);
  EXPECT_TRUE(Picture() == primary);
}

TEST_F(ResultsTest, ResetClearsTheImageAndKeepsTheCrosshair) {
  Load(fixture::EngineLayout(fixture::Varied));
  Show("Option3");
  on1("Command5")->click();
  EXPECT_EQ(CountColour(Picture(), Qt::white), 600 * 600);
  EXPECT_TRUE(on1<QFrame>("Line1")->isVisibleTo(form1.get()));
  EXPECT_TRUE(on1<QFrame>("Line2")->isVisibleTo(form1.get()));
  EXPECT_FALSE(on1("Command3")->isEnabled());
  EXPECT_EQ(module.ImageMax, 1480);  // the loaded images stay in memory
}

TEST_F(ResultsTest, AllZeroResultIsDrawnWhite) {
  Load(fixture::EngineLayout([](int, int, int) { return 0.0; }));
  ASSERT_TRUE(warner.texts.isEmpty()) << warner.texts.join('|').toStdString();
  EXPECT_EQ(module.ImageMax, 0);
  Show("Option3");
  EXPECT_EQ(CountColour(Picture(), Qt::white), 600 * 600 - 600 - 599);  // all but the crosshair
  EXPECT_EQ(CountColour(Picture(), QColor(255, 0, 0)), 600 + 599);
}

TEST_F(ResultsTest, FailedLoadWarnsAndKeepsTheImagesAndTheStepState) {
  const std::vector<std::string> items = fixture::ResultItems(fixture::Varied);
  std::vector<std::string> withText = items;
  withText[30000] = "abc";
  const struct {
    const char* name;
    std::optional<std::string> text;  // none: no file
    const char* problem;
  } cases[] = {
      {"missing", std::nullopt, "見つかりません"},
      {"short", fixture::Join(std::vector(items.begin(), items.begin() + 1000), " "),
       "1000 個しかありません"},
      {"not a number", fixture::Join(withText, " "), "30001 番目の項目「abc」"},
  };

  for (const auto& c : cases) {
    warner.texts.clear();
    std::filesystem::remove("Result.dat");
    if (c.text) fixture::WriteFile("Result.dat", *c.text);
    on1("Command7")->click();
    ASSERT_EQ(warner.texts.size(), 1) << c.name;
    EXPECT_TRUE(warner.texts[0].contains("Result.dat")) << warner.texts[0].toStdString();
    EXPECT_TRUE(warner.texts[0].contains(QString::fromUtf8(c.problem)))
        << warner.texts[0].toStdString();
    EXPECT_FALSE(on1("Command3")->isEnabled()) << c.name;
  }

  // After a good load, a failed one leaves the images, the scale and ⑤ as they were.
  Load(fixture::EngineLayout(fixture::Varied));
  const lumora::ImageTable loaded = module.ImageData;
  for (const auto& c : cases) {
    warner.texts.clear();
    std::filesystem::remove("Result.dat");
    if (c.text) fixture::WriteFile("Result.dat", *c.text);
    on1("Command7")->click();
    EXPECT_EQ(warner.texts.size(), 1) << c.name;
    EXPECT_TRUE(module.ImageData == loaded) << c.name;
    EXPECT_EQ(module.ImageMax, 1480) << c.name;
    EXPECT_TRUE(on1("Command3")->isEnabled()) << c.name;
  }
}

TEST_F(ResultsTest, SourceListingIsRebuiltOnEveryPress) {
  std::string text = "#include <cstdio>\r\n\r\n\t// \x82\xa0\r\n";
  for (int n = 4; n <= 10001; ++n) text += "line " + std::to_string(n) + "\r\n";
  text += "}";  // the last line has no line end
  WriteFile("Lumicore-1.cpp", text);

  on1("Command8")->click();
  on1("Command8")->click();
  ASSERT_TRUE(warner.texts.isEmpty()) << warner.texts.join('|').toStdString();
  Form2* form2 = form1->sourceWindow();
  ASSERT_NE(form2, nullptr);
  EXPECT_TRUE(form2->isVisible());
  EXPECT_TRUE(form1->isVisible());
  EXPECT_TRUE(on1("Command4")->isEnabled());  // the main window stays usable

  const auto* list = form2->findChild<QListWidget*>("List1");
  ASSERT_EQ(list->count(), 10002);  // once, not twice
  EXPECT_EQ(list->item(0)->text(), "0001|#include <cstdio>");
  EXPECT_EQ(list->item(1)->text(), "0002|");
  EXPECT_EQ(list->item(2)->text(), QString::fromUtf8("0003|\t// あ"));
  EXPECT_EQ(list->item(9998)->text(), "9999|line 9999");
  EXPECT_EQ(list->item(9999)->text(), "10000|line 10000");
  EXPECT_EQ(list->item(10001)->text(), "10002|}");

  form2->findChild<QPushButton*>("Command1")->click();
  EXPECT_FALSE(form2->isVisible());
  EXPECT_EQ(list->count(), 10002);  // hidden with its entries
  on1("Command8")->click();
  EXPECT_TRUE(form2->isVisible());
  EXPECT_EQ(list->count(), 10002);
}

TEST_F(ResultsTest, MissingSourceListingWarnsAndShowsNoStaleText) {
  on1("Command8")->click();
  ASSERT_EQ(warner.texts.size(), 1);
  EXPECT_TRUE(warner.texts[0].contains("Lumicore-1.cpp")) << warner.texts[0].toStdString();
  EXPECT_TRUE(form1->sourceWindow() == nullptr || !form1->sourceWindow()->isVisible());

  WriteFile("Lumicore-1.cpp", "old\r\n");
  on1("Command8")->click();
  ASSERT_TRUE(form1->sourceWindow()->isVisible());
  std::filesystem::remove("Lumicore-1.cpp");
  on1("Command8")->click();
  EXPECT_EQ(warner.texts.size(), 2);
  EXPECT_FALSE(form1->sourceWindow()->isVisible());
  EXPECT_EQ(form1->sourceWindow()->findChild<QListWidget*>("List1")->count(), 0);
}

}  // namespace
