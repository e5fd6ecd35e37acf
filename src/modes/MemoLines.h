#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// The text of a multi-line box seen as its lines: a line ends at CR, LF or CR LF, and a line break at
// the very end opens no new line (an empty box has no line, a lone line break one empty line).
class MemoLines {
  public:
    static QStringList split(const QString& text);
    static int count(const QString& text);
    // Line index as it stands in text; empty beyond the end.
    static QString at(const QString& text, int index);
    // text with each of lines added as a new line at the end.
    static QString append(const QString& text, const QStringList& lines);
    // Whether text has a line equal to value without regard to case.
    static bool contains(const QString& text, const QString& value);
};

}  // namespace vorlaken
