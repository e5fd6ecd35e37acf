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
            if (colon > 0 && line.first(colon).trimmed().compare("content-type", Qt::CaseInsensitive) == 0) {
                QByteArrayView value = line.sliced(colon + 1);
                const qsizetype semicolon = value.indexOf(';');
                if (semicolon >= 0) {
                    value = value.first(semicolon);
                }
                head.contentType = QString::fromLatin1(value.trimmed()).toLower();
            }
        }
        start = end + 1;
    }
    return head;
}

}  // namespace vorlaken
