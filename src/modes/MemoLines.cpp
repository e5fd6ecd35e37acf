#include "modes/MemoLines.h"

#include <QRegularExpression>

namespace vorlaken {

QStringList MemoLines::split(const QString& text) {
    if (text.isEmpty())
        return {};
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(kBreak);
    // The break after the last line ends it; it does not open another.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int MemoLines::count(const QString& text) {
    return int(split(text).size());
}

QString MemoLines::at(const QString& text, int index) {
    return split(text).value(index);
}

QString MemoLines::append(const QString& text, const QStringList& lines) {
    if (lines.isEmpty())
        return text;
    QString out = text;
    if (!out.isEmpty() && !out.endsWith(u'\n') && !out.endsWith(u'\r'))
        out += u'\n';
    return out + lines.join(u'\n');
}

bool MemoLines::contains(const QString& text, const QString& value) {
    return split(text).contains(value, Qt::CaseInsensitive);
}

}  // namespace vorlaken
