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

QStringList LocalFileNamer::extensionsOfType(const QString& contentType) {
    // The first of each list is the one a name gets.
    static const QHash<QString, QStringList> known = {
        {QStringLiteral("image/jpeg"), {"jpg", "jpeg", "jpe", "jfif"}},
        {QStringLiteral("image/pjpeg"), {"jpg", "jpeg", "jpe", "jfif"}},
        {QStringLiteral("image/png"), {"png"}},
        {QStringLiteral("image/apng"), {"png", "apng"}},
        {QStringLiteral("image/gif"), {"gif"}},
        {QStringLiteral("image/bmp"), {"bmp", "dib"}},
        {QStringLiteral("image/x-ms-bmp"), {"bmp", "dib"}},
        {QStringLiteral("image/webp"), {"webp"}},
        {QStringLiteral("image/svg+xml"), {"svg"}},
        {QStringLiteral("image/x-icon"), {"ico"}},
        {QStringLiteral("image/vnd.microsoft.icon"), {"ico"}},
        {QStringLiteral("image/avif"), {"avif"}},
        {QStringLiteral("text/html"), {"htm", "html"}},
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
    thread_local QHash<QString, QStringList> asked;
    const auto answered = asked.constFind(type);
    if (answered != asked.constEnd()) {
        return *answered;
    }
    const QMimeType mime = QMimeDatabase().mimeTypeForName(type);
    QStringList extensions = mime.suffixes();
    const QString preferred = mime.preferredSuffix();
    if (!preferred.isEmpty()) {
        extensions.removeAll(preferred);
        extensions.prepend(preferred);
    }
    if (asked.size() < 1000) {
        asked.insert(type, extensions);
    }
    return extensions;
}

QString LocalFileNamer::fileName(const QString& url, const QString& contentType) {
    QString name = cleaned(lastSegment(url));
    // The name says what the content is, whatever the address ends in ("img.php", "abc.v2" or a WebP
    // at "x.jpg"): the format filters go by the name. An ending that fits the type stays as it is.
    const QStringList extensions = extensionsOfType(contentType);
    if (!extensions.isEmpty()) {
        const qsizetype dot = hasExtension(name) ? name.lastIndexOf(QLatin1Char('.')) : name.size();
        if (!extensions.contains(name.mid(dot + 1).toLower())) {
            name = name.left(dot) + QLatin1Char('.') + extensions.first();
        }
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
