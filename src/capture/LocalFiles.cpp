#include "capture/LocalFiles.h"

#include <QRegularExpression>
#include <QStringView>

namespace vorlaken {
namespace {

// The address as a URL parser sees it: no C0 controls or spaces at either end, no tab or line break.
QString parsed(const QString& url) {
    QString out;
    out.reserve(url.size());
    for (QChar c : url) {
        if (c != u'\t' && c != u'\n' && c != u'\r') {
            out.append(c);
        }
    }
    qsizetype first = 0;
    qsizetype last = out.size();
    while (first < last && out[first].unicode() <= 0x20) {
        ++first;
    }
    while (last > first && out[last - 1].unicode() <= 0x20) {
        --last;
    }
    return out.mid(first, last - first);
}

bool startsWithScheme(QStringView url, QLatin1StringView scheme) {
    return url.startsWith(scheme, Qt::CaseInsensitive);
}

}  // namespace

bool IsLocalAddress(const QString& url) {
    const QString address = parsed(url);
    QStringView rest(address);
    // blob:file:///... and filesystem:file:///... carry the origin they stand for inside.
    for (;;) {
        if (startsWithScheme(rest, QLatin1StringView("blob:"))) {
            rest = rest.mid(5);
        } else if (startsWithScheme(rest, QLatin1StringView("filesystem:"))) {
            rest = rest.mid(11);
        } else {
            break;
        }
    }
    return startsWithScheme(rest, QLatin1StringView("file:"));
}

bool ReachesLocalFiles(const QString& url) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]*:"));
    return IsLocalAddress(url) || !scheme.match(parsed(url)).hasMatch();
}

bool MayTakePicture(const QString& pictureUrl, const QString& documentUrl) {
    return !ReachesLocalFiles(pictureUrl) || IsLocalAddress(documentUrl);
}

}  // namespace vorlaken
