#include "common/HtmlValues.h"

#include <QUrl>

#include "common/TextRoutines.h"

namespace vorlaken {

QString QuotedAttribute(const QString& value) {
    return QLatin1Char('"') + HtmlEscape(value) + QLatin1Char('"');
}

QString LocalFileAddress(const QString& path) {
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

QString FileNameReference(const QString& fileName) {
    // Only the unreserved characters stay: a ":" could otherwise make "javascript:x.png" a scheme.
    return QString::fromLatin1(QUrl::toPercentEncoding(fileName));
}

QString SerializedAttributeValue(const QString& value) {
    QString out = value;
    out.replace(u'&', QLatin1String("&amp;"));
    out.replace(u'"', QLatin1String("&quot;"));
    out.replace(QChar(0x00A0), QLatin1String("&nbsp;"));
    return out;
}

}  // namespace vorlaken
