#include "ResponseHead.h"

#include <QByteArrayView>

namespace vorlaken {

namespace {

bool isLineEnd(char c) {
    return c == '\0' || c == '\r' || c == '\n';
}

}  // namespace

ResponseHead ResponseHead::parse(const QByteArray& text) {
    // Walks the lines in place: listing parses one head per cache entry.
    ResponseHead head;
    const QByteArrayView all(text);
    if (!all.startsWith("HTTP/")) {
        return head;
    }
    qsizetype start = 0;
    bool first = true;
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && !isLineEnd(all.at(end))) {
            ++end;
        }
        const QByteArrayView line = all.sliced(start, end - start);
        if (first) {
            first = false;
            const qsizetype space = line.indexOf(' ');
            if (space > 0) {
                QByteArrayView code = line.sliced(space + 1).trimmed();
                const qsizetype codeEnd = code.indexOf(' ');
                if (codeEnd >= 0) {
                    code = code.first(codeEnd);
                }
                bool ok = false;
                const int status = code.toInt(&ok);
                head.status = ok ? status : 0;
            }
        } else {
            const qsizetype colon = line.indexOf(':');
            const QByteArrayView name = colon > 0 ? line.first(colon).trimmed() : QByteArrayView();
            const QByteArrayView value = colon > 0 ? line.sliced(colon + 1).trimmed() : QByteArrayView();
            if (name.compare("content-type", Qt::CaseInsensitive) == 0) {
                const qsizetype semicolon = value.indexOf(';');
                head.contentType =
                    QString::fromLatin1(semicolon >= 0 ? value.first(semicolon).trimmed() : value).toLower();
            } else if (name.compare("content-encoding", Qt::CaseInsensitive) == 0 && !value.isEmpty()) {
                // Several lines are one list, applied in order.
                if (!head.contentEncoding.isEmpty()) {
                    head.contentEncoding += QLatin1String(", ");
                }
                head.contentEncoding += QString::fromLatin1(value).toLower();
            } else if (name.compare("content-length", Qt::CaseInsensitive) == 0) {
                bool ok = false;
                const qint64 length = value.toLongLong(&ok);
                // Two different lengths make neither believable.
                if (!ok || length < 0 || (head.contentLength >= 0 && head.contentLength != length)) {
                    head.contentLength = -2;
                } else if (head.contentLength != -2) {
                    head.contentLength = length;
                }
            }
        }
        start = end + 1;
    }
    if (head.contentLength < -1) {
        head.contentLength = -1;
    }
    return head;
}

}  // namespace vorlaken
