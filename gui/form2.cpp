#include "form2.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "fonts.h"
#include "picture_box.h"
#include "source_listing.h"

namespace {

// A small emblem: a page of source text.
void DrawPage(PictureBox& picture) {
  const QColor ink(0, 0, 128);
  picture.fill({6, 2}, {25, 29}, QColor(255, 255, 240));
  picture.rectangle({6, 2}, {25, 29}, ink);
  for (double y = 7; y <= 24; y += 4)
    picture.line({9, y}, {y == 11 || y == 19 ? 18.0 : 22.0, y}, ink);
}

}  // namespace

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form2");
  setWindowTitle(QStringLiteral("　プログラムソースコード"));
  setFont(MeiryoFont(14.25));
  resize(1000, 760);

  Label1 =
      new QLabel(QStringLiteral("本ソフトで使っているモンテカルロシミュレーションのソースコード"));
  Label1->setObjectName("Label1");
  Label3 = new QLabel(QStringLiteral("Lumora-core.cpp"));
  Label3->setObjectName("Label3");
  Label3->setFont(TimesFont(18));
  Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  List1 = new QListWidget;
  List1->setObjectName("List1");
  List1->setSortingEnabled(false);
  List1->setFont(GothicFont(14.25));
  List1->setUniformItemSizes(true);  // fast with tens of thousands of lines

  Label2 = new QLabel(QStringLiteral("（テキストエディタでも直接読むことができます）"));
  Label2->setObjectName("Label2");
  Command1 = new QPushButton(QStringLiteral("閉じる"));
  Command1->setObjectName("Command1");
  SetButtonFace(Command1);
  Command1->setMinimumSize(140, 44);
  Picture2 = new PictureBox({32, 32});
  Picture2->setObjectName("Picture2");
  DrawPage(*Picture2);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0, 1, 2);
  grid->addWidget(Label3, 0, 2, 1, 2);
  grid->addWidget(List1, 1, 0, 1, 4);
  grid->addWidget(Label2, 2, 0);
  grid->addWidget(Picture2, 2, 1, Qt::AlignCenter);
  grid->addWidget(Command1, 2, 3, Qt::AlignRight);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(1, 1);

  connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
}

QString Form2::FillListing(const QString& file) {
  List1->clear();
  QStringList entries;
  const QString failure = lumora::ReadSourceListing(file, entries);
  if (failure.isEmpty()) List1->addItems(entries);
  return failure;
}
