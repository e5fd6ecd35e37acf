#include "ResponseHead.h"

#include <QList>

namespace vorlaken {

ResponseHead ResponseHead::parse(const QByteArray& text) {
    ResponseHead head;
    QByteArray normalized = text;
    normalized.replace('\0', '\n').replace('\r', '\n');
    const QList<QByteArray> lines = normalized.split('\n');
    if (lines.isEmpty() || !lines.first().startsWith("HTTP/")) {
        return head;
    }
    const QList<QByteArray> statusParts = lines.first().simplified().split(' ');
    if (statusParts.size() >= 2) {
        bool ok = false;
        const int status = statusParts.at(1).toInt(&ok);
        head.status = ok ? status : 0;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || line.left(colon).trimmed().toLower() != "content-type") {
            continue;
        }
        QByteArray value = line.mid(colon + 1);
        const qsizetype semicolon = value.indexOf(';');
        if (semicolon >= 0) {
            value.truncate(semicolon);
        }
        head.contentType = QString::fromLatin1(value.trimmed().toLower());
    }
    return head;
}

}  // namespace vorlaken
