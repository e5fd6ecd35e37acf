#include "save/UrlDecode.h"

#include <QByteArray>

namespace vorlaken {

namespace {

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

}  // namespace

QString UrlDecode(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype plainStart = 0;  // start of the run of characters copied as they are
    auto flushPlain = [&](qsizetype end) {
        if (end > plainStart)
            bytes.append(QStringView(text).mid(plainStart, end - plainStart).toUtf8());
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'%' && c != u'+')
            continue;
        flushPlain(i);
        if (c == u'+') {
            bytes.append(' ');
        } else {
            if (n - i - 1 < 2)
                throw UrlDecodeError();
            const int high = hexValue(text.at(i + 1));
            const int low = hexValue(text.at(i + 2));
            if (high < 0 || low < 0)
                throw UrlDecodeError();
            bytes.append(char(high * 16 + low));
            i += 2;
        }
        plainStart = i + 1;
    }
    flushPlain(n);
    return QString::fromUtf8(bytes);
}

}  // namespace vorlaken
