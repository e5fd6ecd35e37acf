#include "PictureSniffer.h"

#include <QtEndian>

namespace vorlaken {

namespace {

bool startsWith(QByteArrayView bytes, QByteArrayView prefix, qsizetype at = 0) {
    return bytes.size() >= at + prefix.size() && bytes.sliced(at, prefix.size()) == prefix;
}

bool isBmp(QByteArrayView b) {
    // "BM" alone starts too much text; the size of the info header that follows is one of a few.
    if (!startsWith(b, "BM") || b.size() < 18) {
        return false;
    }
    const quint32 infoSize = qFromLittleEndian<quint32>(b.data() + 14);
    return infoSize == 12 || infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 ||
           infoSize == 108 || infoSize == 124;
}

bool isIcon(QByteArrayView b) {
    return b.size() >= 6 && startsWith(b, QByteArrayView("\0\0\1\0", 4)) &&
           qFromLittleEndian<quint16>(b.data() + 4) > 0;
}

bool isAvif(QByteArrayView b) {
    // An ISO media file whose "ftyp" box names an AVIF brand, major or compatible.
    if (b.size() < 16 || !startsWith(b, "ftyp", 4)) {
        return false;
    }
    const qsizetype boxSize = qMin<qsizetype>(qFromBigEndian<quint32>(b.data()), b.size());
    for (qsizetype at = 8; at + 4 <= boxSize; at += 4) {
        if (at == 12) {
            continue;  // the minor version
        }
        if (startsWith(b, "avif", at) || startsWith(b, "avis", at)) {
            return true;
        }
    }
    return false;
}

bool isSvg(QByteArrayView b) {
    // Markup whose first element is <svg>, after an optional BOM, XML declaration, comments and
    // doctype.
    qsizetype at = startsWith(b, "\xEF\xBB\xBF") ? 3 : 0;
    while (at < b.size()) {
        const char c = b.at(at);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++at;
            continue;
        }
        if (c != '<') {
            return false;
        }
        if (startsWith(b, "<svg", at)) {
            return b.size() > at + 4 && QByteArrayView(" \t\r\n>/").contains(b.at(at + 4));
        }
        QByteArrayView close;
        if (startsWith(b, "<?", at)) {
            close = "?>";
        } else if (startsWith(b, "<!--", at)) {
            close = "-->";
        } else if (startsWith(b, "<!", at)) {
            close = ">";
        } else {
            return false;
        }
        const qsizetype end = b.indexOf(close, at + 2);
        if (end < 0) {
            return false;
        }
        at = end + close.size();
    }
    return false;
}

}  // namespace

QString PictureSniffer::typeOf(QByteArrayView firstBytes) {
    const QByteArrayView b = firstBytes.first(qMin(firstBytes.size(), kSniffLength));
    if (startsWith(b, "\x89PNG\r\n\x1a\n")) {
        return QStringLiteral("image/png");
    }
    if (startsWith(b, "\xFF\xD8\xFF")) {
        return QStringLiteral("image/jpeg");
    }
    if (startsWith(b, "GIF87a") || startsWith(b, "GIF89a")) {
        return QStringLiteral("image/gif");
    }
    if (startsWith(b, "RIFF") && startsWith(b, "WEBPVP", 8)) {
        return QStringLiteral("image/webp");
    }
    if (isAvif(b)) {
        return QStringLiteral("image/avif");
    }
    if (isBmp(b)) {
        return QStringLiteral("image/bmp");
    }
    if (isIcon(b)) {
        return QStringLiteral("image/x-icon");
    }
    if (isSvg(b)) {
        return QStringLiteral("image/svg+xml");
    }
    return {};
}

bool PictureSniffer::isGenericType(const QString& contentType) {
    return contentType.isEmpty() || contentType == QLatin1String("application/octet-stream") ||
           contentType == QLatin1String("binary/octet-stream") ||
           contentType == QLatin1String("application/unknown") ||
           contentType == QLatin1String("unknown/unknown") || contentType == QLatin1String("*/*") ||
           contentType == QLatin1String("application/x-unknown-content-type") ||
           contentType == QLatin1String("text/plain");
}

QString PictureSniffer::effectiveType(const QString& storedType, const QString& sniffedType) {
    if (sniffedType.isEmpty()) {
        return storedType;
    }
    if (sniffedType != QLatin1String("image/svg+xml")) {
        return sniffedType;
    }
    return isGenericType(storedType) ? sniffedType : storedType;
}

}  // namespace vorlaken
