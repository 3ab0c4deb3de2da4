#include "source_listing.h"

#include <QFile>
#include <QStringDecoder>

namespace lumora {

QString ListingEntry(int lineNumber, const QString& line) {
  return QStringLiteral("%1|").arg(lineNumber, 4, 10, QLatin1Char('0')) + line;
}

QString ReadSourceListing(const QString& file, QStringList& entries) {
  QFile in(file);
  if (!in.exists()) return file + QStringLiteral(" が見つかりません。");
  if (!in.open(QIODevice::ReadOnly)) return file + QStringLiteral(" を開けません。");
  const QByteArray bytes = in.readAll();
  if (in.error() != QFileDevice::NoError) return file + QStringLiteral(" を読めません。");

  // "windows-31j" is cp932 with its vendor extensions (circled digits, NEC
  // and IBM rows); the decoder comes from ICU. Neither CR nor LF occurs inside
  // a cp932 double-byte character, so splitting the decoded text is safe.
  QStringDecoder decode("windows-31j");
  if (!decode.isValid())
    return file + QStringLiteral(" を読めません（cp932 の文字コード変換がありません）。");
  QString text = decode(bytes);
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);

  QStringList fresh;
  if (!bytes.isEmpty()) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    fresh.reserve(lines.size());
    for (QString line : lines) {
      if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
      fresh.append(ListingEntry(static_cast<int>(fresh.size()) + 1, line));
    }
  }
  entries = std::move(fresh);
  return {};
}

}  // namespace lumora
