#include "form2.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "source_listing.h"

namespace {

QFont Font(const QStringList& families, double points) {
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(points);
  return font;
}

// The Windows fonts of the original layout come first; on Linux the Noto CJK
// faces stand in for them.
QFont MeiryoFont() {
  return Font({"Meiryo", "メイリオ", "Noto Sans CJK JP"}, 14.25);
}
QFont GothicFont() {
  QFont font = Font({"MS Gothic", "ＭＳ ゴシック", "Noto Sans Mono CJK JP"}, 14.25);
  font.setStyleHint(QFont::Monospace);
  return font;
}
QFont SerifFont() {
  QFont font = Font({"Times New Roman", "Liberation Serif", "DejaVu Serif"}, 18);
  font.setStyleHint(QFont::Serif);
  return font;
}

// The small decorative picture: a page of source text.
QPixmap PagePixmap() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setPen(QColor(0, 0, 128));
  painter.drawRect(6, 2, 19, 27);
  for (int y = 7; y <= 24; y += 4) painter.drawLine(9, y, y % 8 == 3 ? 22 : 18, y);
  return pixmap;
}

}  // namespace

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form2");
  setWindowTitle(QStringLiteral("　プログラムソースコード"));
  setFont(MeiryoFont());
  resize(1000, 760);

  label1_ =
      new QLabel(QStringLiteral("本ソフトで使っているモンテカルロシミュレーションのソースコード"));
  label1_->setObjectName("Label1");
  label3_ = new QLabel(QStringLiteral("Lumora-core.cpp"));
  label3_->setObjectName("Label3");
  label3_->setFont(SerifFont());
  label3_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  list1_ = new QListWidget;
  list1_->setObjectName("List1");
  list1_->setSortingEnabled(false);
  list1_->setFont(GothicFont());
  list1_->setUniformItemSizes(true);
  list1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  label2_ = new QLabel(QStringLiteral("（テキストエディタでも直接読むことができます）"));
  label2_->setObjectName("Label2");
  command1_ = new QPushButton(QStringLiteral("閉じる"));
  command1_->setObjectName("Command1");
  command1_->setStyleSheet("QPushButton { background-color: rgb(255, 255, 192); }");
  command1_->setMinimumWidth(140);
  picture2_ = new QLabel;
  picture2_->setObjectName("Picture2");
  picture2_->setFixedSize(32, 32);
  picture2_->setPixmap(PagePixmap());

  auto* grid = new QGridLayout(this);
  grid->addWidget(label1_, 0, 0, 1, 2);
  grid->addWidget(label3_, 0, 2, 1, 2);
  grid->addWidget(list1_, 1, 0, 1, 4);
  grid->addWidget(label2_, 2, 0);
  grid->addWidget(picture2_, 2, 1, Qt::AlignCenter);
  grid->addWidget(command1_, 2, 3, Qt::AlignRight);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(1, 1);

  connect(command1_, &QPushButton::clicked, this, &QWidget::hide);
}

QString Form2::FillListing(const QString& file) {
  list1_->clear();
  QStringList entries;
  QString failure = lumora::ReadSourceListing(file, entries);
  if (failure.isEmpty()) list1_->addItems(entries);
  return failure;
}
