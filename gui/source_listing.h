#pragma once

#include <QString>
#include <QStringList>

namespace lumora {

// One entry of the listing: the 1-based line number with at least four digits,
// zero-padded ("0001", ..., "9999", "10000"), then "|", then the line as read.
QString ListingEntry(int lineNumber, const QString& line);

// Reads a text file in cp932 (Shift-JIS) as numbered entries, one per line,
// without line ends (CR LF, or LF alone); a last line without a line end is
// listed, an empty file gives no entries. Bytes that are not cp932 show as
// the replacement character. Returns an empty string on success, otherwise a
// message naming the file, and `entries` is left as it was.
QString ReadSourceListing(const QString& file, QStringList& entries);

}  // namespace lumora
