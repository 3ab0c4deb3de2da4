#include "picture_box.h"

#include <QPainter>
#include <QPen>

namespace {

// The off-screen image renders fonts at the screen's 96 dots per inch, so a
// point size prints the same size as in the window's own controls.
constexpr int DOTS_PER_METRE_96_DPI = 3780;

}  // namespace

PictureBox::PictureBox(QSize pixels, QWidget* parent)
    : QWidget(parent), image_(pixels, QImage::Format_RGB32) {
  image_.setDotsPerMeterX(DOTS_PER_METRE_96_DPI);
  image_.setDotsPerMeterY(DOTS_PER_METRE_96_DPI);
  image_.fill(Qt::white);
  setFixedSize(pixels);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setScale(double left, double top, double width, double height) {
  left_ = left;
  top_ = top;
  scaleX_ = image_.width() / width;
  scaleY_ = image_.height() / height;
}

QPointF PictureBox::toPixels(QPointF user) const {
  return {(user.x() - left_) * scaleX_, (user.y() - top_) * scaleY_};
}

void PictureBox::cls() {
  image_.fill(Qt::white);
  pen_ = QPointF(left_, top_);
  update();
}

void PictureBox::setDrawWidth(int pixels) {
  drawWidth_ = pixels;
}

void PictureBox::line(QPointF from, QPointF to, const QColor& colour) {
  QPainter painter(&image_);
  painter.setPen(QPen(colour, drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLine(toPixels(from), toPixels(to));
  pen_ = to;
  update();
}

void PictureBox::lineTo(QPointF to, const QColor& colour) {
  line(pen_, to, colour);
}

void PictureBox::rectangle(QPointF corner1, QPointF corner2, const QColor& colour) {
  QPainter painter(&image_);
  painter.setPen(QPen(colour, drawWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawRect(QRectF(toPixels(corner1), toPixels(corner2)).normalized());
  pen_ = corner2;
  update();
}

// Both corners belong to the filled box: corners (1, 1) and (4, 4) at the
// default scale cover the 4 x 4 pixels 1..4.
void PictureBox::fill(QPointF corner1, QPointF corner2, const QColor& colour) {
  const QPoint a = toPixels(corner1).toPoint();
  const QPoint b = toPixels(corner2).toPoint();
  QPainter painter(&image_);
  painter.fillRect(QRect(a, b).normalized(), colour);
  pen_ = corner2;
  update();
}

void PictureBox::pset(QPointF point, const QColor& colour) {
  QPainter painter(&image_);
  const QPointF centre = toPixels(point);
  if (drawWidth_ <= 1) {
    painter.setPen(colour);
    painter.drawPoint(centre);
  } else {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double r = drawWidth_ / 2.0;
    painter.drawEllipse(centre, r, r);
  }
  pen_ = point;
  update();
}

void PictureBox::print(QPointF topLeft, const QString& text, const QFont& font,
                       const QColor& colour) {
  QPainter painter(&image_);
  painter.setFont(font);
  painter.setPen(colour);
  const QPointF at = toPixels(topLeft);
  painter.drawText(QPointF(at.x(), at.y() + painter.fontMetrics().ascent()), text);
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}
