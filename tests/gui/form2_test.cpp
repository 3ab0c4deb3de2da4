#include "form2.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include "gui_test_app.h"

namespace {

class Form2Test : public ::testing::Test {
 protected:
  void SetUp() override { GuiTestApp(); }

  QString WriteListing(const QByteArray& bytes) {
    const QString file = dir_.filePath("Lumicore-1.cpp");
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return file;
  }

  static QStringList Entries(const Form2& form) {
    QStringList entries;
    const auto* list = form.findChild<QListWidget*>("List1");
    for (int row = 0; row < list->count(); ++row) entries << list->item(row)->text();
    return entries;
  }

  QTemporaryDir dir_;
};

TEST_F(Form2Test, ControlsCarryTheirNamesAndTexts) {
  Form2 form;
  EXPECT_EQ(form.objectName(), "Form2");
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("\u3000プログラムソースコード"));
  const struct {
    const char* name;
    const char* text;
  } labels[] = {
      {"Label1", "本ソフトで使っているモンテカルロシミュレーションのソースコード"},
      {"Label2", "（テキストエディタでも直接読むことができます）"},
      {"Label3", "Lumora-core.cpp"},
  };
  for (const auto& l : labels) {
    const auto* label = form.findChild<QLabel*>(l.name);
    ASSERT_NE(label, nullptr) << l.name;
    EXPECT_EQ(label->text(), QString::fromUtf8(l.text)) << l.name;
  }
  ASSERT_NE(form.findChild<QPushButton*>("Command1"), nullptr);
  EXPECT_EQ(form.findChild<QPushButton*>("Command1")->text(), QString::fromUtf8("閉じる"));
  EXPECT_EQ(form.findChild<QPushButton*>("Command1")->palette().color(QPalette::Button),
            QColor(255, 255, 192));
  const auto* list = form.findChild<QListWidget*>("List1");
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(list->isSortingEnabled());
  const QFontMetrics metrics(list->font());  // source columns line up
  EXPECT_EQ(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("WWWW"));
  ASSERT_NE(form.findChild<QWidget*>("Picture2"), nullptr);
  EXPECT_EQ(form.findChild<QWidget*>("Picture2")->size(), QSize(32, 32));
}

TEST_F(Form2Test, EachFillRebuildsTheListFromLineOne) {
  Form2 form;
  const QString file = WriteListing("int main()\r\n{\r\n\r\n}");
  const QStringList expected{"0001|int main()", "0002|{", "0003|", "0004|}"};
  ASSERT_EQ(form.FillListing(file), QString());
  ASSERT_EQ(form.FillListing(file), QString());
  EXPECT_EQ(Entries(form), expected);

  WriteListing("x\r\n");
  ASSERT_EQ(form.FillListing(file), QString());
  EXPECT_EQ(Entries(form), QStringList{"0001|x"});
}

TEST_F(Form2Test, MissingFileLeavesNoStaleEntries) {
  Form2 form;
  const QString file = WriteListing("old\r\n");
  ASSERT_EQ(form.FillListing(file), QString());
  QFile::remove(file);
  const QString message = form.FillListing(file);
  EXPECT_TRUE(message.contains(file)) << message.toStdString();
  EXPECT_TRUE(Entries(form).isEmpty());
}

TEST_F(Form2Test, CloseButtonHidesTheWindowAndKeepsTheList) {
  Form2 form;
  ASSERT_EQ(form.FillListing(WriteListing("a\r\nb\r\n")), QString());
  form.show();
  ASSERT_TRUE(form.isVisible());
  form.findChild<QPushButton*>("Command1")->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(Entries(form), (QStringList{"0001|a", "0002|b"}));
}

}  // namespace
