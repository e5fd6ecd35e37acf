#include "LocalFileNamer.h"

#include <QHash>
#include <QMimeDatabase>

namespace vorlaken {

namespace {

QString lastSegment(const QString& url) {
    QString rest = url;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest.at(i) == QLatin1Char('?') || rest.at(i) == QLatin1Char('#')) {
            rest.truncate(i);
            break;
        }
    }
    const qsizetype scheme = rest.indexOf(QLatin1String("://"));
    if (scheme >= 0) {
        rest = rest.mid(scheme + 3);
        const qsizetype pathStart = rest.indexOf(QLatin1Char('/'));
        rest = pathStart < 0 ? QString() : rest.mid(pathStart);
    }
    return rest.mid(rest.lastIndexOf(QLatin1Char('/')) + 1);
}

QString cleaned(const QString& segment) {
    QString name;
    name.reserve(segment.size());
    for (const QChar c : segment) {
        const bool unsafe = c.unicode() < 0x20 || c == QLatin1Char('/') || c == QLatin1Char('\\') ||
                            c == QLatin1Char(':') || c.unicode() == 0x7f || c.isSurrogate();
        name.append(unsafe ? QLatin1Char('_') : c);
    }
    return name;
}

// A dot followed by one to eight letters or digits at the end.
bool hasExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || name.size() - dot - 1 < 1 || name.size() - dot - 1 > 8) {
        return false;
    }
    for (qsizetype i = dot + 1; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.unicode() > 127 || !c.isLetterOrNumber()) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString LocalFileNamer::extensionOfType(const QString& contentType) {
    static const QHash<QString, QString> known = {
        {QStringLiteral("image/jpeg"), QStringLiteral(".jpg")},
        {QStringLiteral("image/pjpeg"), QStringLiteral(".jpg")},
        {QStringLiteral("image/png"), QStringLiteral(".png")},
        {QStringLiteral("image/gif"), QStringLiteral(".gif")},
        {QStringLiteral("image/bmp"), QStringLiteral(".bmp")},
        {QStringLiteral("image/x-ms-bmp"), QStringLiteral(".bmp")},
        {QStringLiteral("image/webp"), QStringLiteral(".webp")},
        {QStringLiteral("image/svg+xml"), QStringLiteral(".svg")},
        {QStringLiteral("image/x-icon"), QStringLiteral(".ico")},
        {QStringLiteral("image/vnd.microsoft.icon"), QStringLiteral(".ico")},
        {QStringLiteral("image/avif"), QStringLiteral(".avif")},
        {QStringLiteral("text/html"), QStringLiteral(".htm")},
    };
    const QString type = contentType.trimmed().toLower();
    const auto found = known.constFind(type);
    if (found != known.constEnd()) {
        return *found;
    }
    if (type.isEmpty()) {
        return {};
    }
    // The MIME database is slow to ask; a cache holds few distinct types.
    thread_local QHash<QString, QString> asked;
    const auto answered = asked.constFind(type);
    if (answered != asked.constEnd()) {
        return *answered;
    }
    const QString suffix = QMimeDatabase().mimeTypeForName(type).preferredSuffix();
    const QString extension = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    if (asked.size() < 1000) {
        asked.insert(type, extension);
    }
    return extension;
}

QString LocalFileNamer::fileName(const QString& url, const QString& contentType) {
    QString name = cleaned(lastSegment(url));
    if (!hasExtension(name)) {
        name += extensionOfType(contentType);
    }
    if (name.size() > kMaxNameLength) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const QString ending = dot >= 0 && name.size() - dot <= 9 ? name.mid(dot) : QString();
        name = name.left(kMaxNameLength - ending.size()) + ending;
    }
    if (name.isEmpty() || name.startsWith(QLatin1Char('.'))) {
        // Covers "", ".", ".." and hidden names: the body never lands on a special name.
        name.prepend(QLatin1String("cached"));
    }
    return name;
}

}  // namespace vorlaken
