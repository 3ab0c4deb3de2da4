#include "picture_box.h"

#include <gtest/gtest.h>

#include "gui_test_app.h"

namespace {

class PictureBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { GuiTestApp(); }
};

int CountNonWhite(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) != Qt::white;
  return count;
}

TEST_F(PictureBoxTest, FillCoversBothCornersInPixelCoordinates) {
  PictureBox box({600, 600});
  box.fill({1, 1}, {4, 4}, QColor(10, 20, 30));
  EXPECT_EQ(CountNonWhite(box.image()), 16);
  EXPECT_EQ(box.image().pixelColor(1, 1), QColor(10, 20, 30));
  EXPECT_EQ(box.image().pixelColor(4, 4), QColor(10, 20, 30));
  EXPECT_EQ(box.image().pixelColor(0, 0), QColor(Qt::white));
  EXPECT_EQ(box.image().pixelColor(5, 5), QColor(Qt::white));
}

TEST_F(PictureBoxTest, UserCoordinatesScaleToTheSurface) {
  PictureBox box({600, 250});
  box.setScale(0, 0, 6000, 2500);
  box.setDrawWidth(1);
  box.line({1000, 0}, {1000, 2500}, Qt::red);
  EXPECT_EQ(box.image().pixelColor(100, 125), QColor(Qt::red));
  EXPECT_EQ(box.image().pixelColor(99, 125), QColor(Qt::white));
  EXPECT_EQ(box.image().pixelColor(101, 125), QColor(Qt::white));
}

TEST_F(PictureBoxTest, LineToStartsAtThePenLeftByTheLastDrawing) {
  PictureBox box({100, 100});
  box.pset({10, 50}, Qt::black);
  box.lineTo({90, 50}, Qt::red);  // from the point just set
  box.lineTo({90, 10}, Qt::red);  // from the end of the previous line
  EXPECT_EQ(box.image().pixelColor(50, 50), QColor(Qt::red));
  EXPECT_EQ(box.image().pixelColor(90, 30), QColor(Qt::red));
  EXPECT_EQ(box.image().pixelColor(50, 30), QColor(Qt::white));
}

TEST_F(PictureBoxTest, DrawingPersistsThroughHidingUntilCleared) {
  PictureBox box({50, 50});
  box.show();
  box.rectangle({10, 10}, {40, 40}, Qt::black);
  box.hide();
  box.show();
  const int drawn = CountNonWhite(box.image());
  EXPECT_GT(drawn, 100);
  box.print({5, 5}, "Ab", QFont(), Qt::black);
  EXPECT_GT(CountNonWhite(box.image()), drawn);
  box.cls();
  EXPECT_EQ(CountNonWhite(box.image()), 0);
}

}  // namespace
