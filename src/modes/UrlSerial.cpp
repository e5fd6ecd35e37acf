#include "modes/UrlSerial.h"

#include <algorithm>
#include <cstdlib>

namespace vorlaken {

const QString UrlSerial::kTooManyMessage =
    QStringLiteral("At most 100000 numbers are made at a time. Please choose nearer bounds.");

QStringList UrlSerial::characters(char first, char last) {
    QStringList lines;
    for (char c = first; c <= last; ++c)
        lines << QString(QLatin1Char(c));
    return lines;
}

QStringList UrlSerial::numbers(int from, int to, bool leadingZero) {
    const qint64 low = from;
    const qint64 high = to;
    const qint64 count = std::abs(high - low) + 1;
    if (count > kMaxNumbers)
        return {};
    const qint64 widest = std::max(std::abs(low), std::abs(high));
    const int width = leadingZero ? int(QString::number(widest).size()) : 0;
    const qint64 step = high >= low ? 1 : -1;
    QStringList lines;
    lines.reserve(count);
    for (qint64 n = low;; n += step) {
        lines << QString::number(n).rightJustified(width, u'0');
        if (n == high)
            break;
    }
    return lines;
}

QStringList UrlSerial::build(const QStringList& lines, const QString& prefix, const QString& postfix) {
    QStringList urls;
    urls.reserve(lines.size());
    for (const QString& line : lines)
        urls << prefix + line + postfix;
    return urls;
}

}  // namespace vorlaken
