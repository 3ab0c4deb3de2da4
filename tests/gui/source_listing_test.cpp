#include "source_listing.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using lumora::ReadSourceListing;

namespace {

QString Write(const QTemporaryDir& dir, const QByteArray& bytes) {
  const QString file = dir.filePath("Lumicore-1.cpp");
  QFile out(file);
  EXPECT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(bytes);
  return file;
}

TEST(SourceListingTest, NumbersEveryLineAsRead) {
  const struct {
    const char* name;
    QByteArray bytes;
    QStringList entries;
  } cases[] = {
      {"empty file", "", {}},
      {"single letter", "x\r\n", {"0001|x"}},
      {"last line without a line end", "a\r\nb", {"0001|a", "0002|b"}},
      {"empty lines", "a\r\n\r\n\r\nb\r\n", {"0001|a", "0002|", "0003|", "0004|b"}},
      {"only a line end", "\r\n", {"0001|"}},
      {"LF line ends", "a\nb\n", {"0001|a", "0002|b"}},
      {"blanks and tabs kept", "\tint x;  \r\n", {"0001|\tint x;  "}},
      // cp932: hiragana, a full-width tilde, a circled digit and the yen-less backslash.
      {"cp932 text",
       "// \x82\xa0\x81\x60\x87\x40 \\n\r\n",
       {QString::fromUtf8("0001|// あ～① \\n")}},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    QStringList entries{"stale"};
    EXPECT_EQ(ReadSourceListing(Write(dir, c.bytes), entries), QString()) << c.name;
    EXPECT_EQ(entries, c.entries) << c.name;
  }
}

TEST(SourceListingTest, FiveDigitsFromLineTenThousandOn) {
  QByteArray bytes;
  for (int n = 1; n <= 10001; ++n) bytes += "line " + QByteArray::number(n) + "\r\n";
  QTemporaryDir dir;
  QStringList entries;
  ASSERT_EQ(ReadSourceListing(Write(dir, bytes), entries), QString());
  ASSERT_EQ(entries.size(), 10001);
  EXPECT_EQ(entries[0], "0001|line 1");
  EXPECT_EQ(entries[9998], "9999|line 9999");
  EXPECT_EQ(entries[9999], "10000|line 10000");
  EXPECT_EQ(entries[10000], "10001|line 10001");
}

TEST(SourceListingTest, MissingOrUnreadableFileIsNamedAndNothingChanges) {
  QTemporaryDir dir;
  const QString missing = dir.filePath("Lumicore-1.cpp");
  const QString directory = dir.filePath("folder.cpp");
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.cpp"));
  for (const QString& file : {missing, directory}) {
    QStringList entries{"0001|old"};
    const QString message = ReadSourceListing(file, entries);
    EXPECT_TRUE(message.contains(file)) << message.toStdString();
    EXPECT_EQ(entries, QStringList{"0001|old"});
  }
}

}  // namespace
