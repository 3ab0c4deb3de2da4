#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>

// A picture surface with a persistent off-screen image and its own user
// coordinate system. Drawing goes into the image at once and survives hiding,
// showing and repainting; only cls() erases it.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  // `pixels` is the drawing surface size; the default scale maps user
  // coordinates 1:1 to pixels with the origin at the top-left corner.
  explicit PictureBox(QSize pixels, QWidget* parent = nullptr);

  // User coordinates: (left, top) is the top-left corner, and the surface is
  // `width` x `height` user units wide and high.
  void setScale(double left, double top, double width, double height);

  void cls();                      // clear to the background colour (white)
  void setDrawWidth(int pixels);   // line width of the following drawing
  void line(QPointF from, QPointF to, const QColor& colour);  // pen rests at `to`
  void lineTo(QPointF to, const QColor& colour);             // from the pen position
  void rectangle(QPointF corner1, QPointF corner2, const QColor& colour);  // outline
  void fill(QPointF corner1, QPointF corner2, const QColor& colour);       // filled box
  void pset(QPointF point, const QColor& colour);            // one point; moves the pen
  void print(QPointF topLeft, const QString& text, const QFont& font, const QColor& colour);

  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPointF toPixels(QPointF user) const;

  QImage image_;
  double left_ = 0, top_ = 0, scaleX_ = 1, scaleY_ = 1;
  int drawWidth_ = 1;
  QPointF pen_;
};
