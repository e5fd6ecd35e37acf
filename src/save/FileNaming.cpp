#include "save/FileNaming.h"

#include <QFileInfo>

#include "common/TextRoutines.h"
#include "save/UrlDecode.h"

namespace vorlaken {

bool NameTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString HarmlessNamePart(const QString& part) {
    QString result = part;
    for (QChar& c : result) {
        if (c == u'/' || c == u'\\' || c == QChar(0))
            c = u'_';
    }
    if (result.isEmpty() || result == QLatin1String(".") || result == QLatin1String("..")) {
        return QStringLiteral("_");
    }
    return result;
}

QString PathForMessage(const QString& path) {
    constexpr qsizetype kLongest = 160;
    constexpr qsizetype kHead = 60;
    constexpr qsizetype kTail = 80;
    if (path.size() <= kLongest)
        return path;
    qsizetype head = kHead;
    if (path.at(head - 1).isHighSurrogate())
        --head;
    qsizetype tail = kTail;
    if (path.at(path.size() - tail).isLowSurrogate())
        --tail;
    return path.left(head) + QStringLiteral("...") + path.right(tail);
}

QString UniqueFileName(const QString& fullName) {
    const qsizetype slash = fullName.lastIndexOf(u'/');
    // Room for "_0000" in every candidate.
    const QString name = FitNameBytes(fullName.mid(slash + 1), kMaxNameBytes - 5);
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype split = dot >= 0 ? dot : name.size();
    const QString stem = fullName.left(slash + 1) + name.left(split);
    const QString suffix = name.mid(split);
    for (int k = 0; k <= 9998; ++k) {
        const QString candidate = stem + u'_' + QStringLiteral("%1").arg(k, 4, 10, QLatin1Char('0')) + suffix;
        if (!NameTaken(candidate))
            return candidate;
    }
    return QString();
}

QString FormatStamp(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy.MM.dd.hh.mm.ss"));
}

QString StampedFileName(const QString& folder, const QString& stamp, const QString& extension) {
    const QString first = folder + stamp + extension;
    if (!NameTaken(first))
        return first;
    for (int k = 1; k <= 1000; ++k) {
        const QString candidate = folder + stamp + u'_' + QString::number(k + 1000).right(3) + extension;
        if (!NameTaken(candidate))
            return candidate;
    }
    return QString();
}

namespace {

// n + p without its first digit, p the least power of ten above total: as many digits as total.
QString pictureNumber(int position, int total) {
    qint64 p = 10;
    while (p <= total)
        p *= 10;
    return QString::number(position + p).mid(1);
}

QString lastSegment(const QString& url) {
    const qsizetype slash = url.lastIndexOf(u'/');
    QString name = slash < 0 ? QString() : url.mid(slash + 1);
    const qsizetype query = name.indexOf(u'?');
    if (query >= 0)
        name.truncate(query);
    const qsizetype fragment = name.indexOf(u'#');
    if (fragment >= 0)
        name.truncate(fragment);
    return name;
}

bool meaningfulExtension(const QString& extension) {
    return !extension.isEmpty() && extension != QLatin1String(".");
}

}  // namespace

QString PictureFileName(const QString& folder, const QString& pictureUrl, int position, int total,
                        const QString& runStamp, SaveState& options) {
    const QString number = pictureNumber(position, total);
    QString name = lastSegment(pictureUrl);
    const QString lowerName = name.toLower();
    const qsizetype dot = lowerName.lastIndexOf(u'.');
    QString extension = dot < 0 ? QString() : lowerName.mid(dot);

    if (options.forceExtension) {
        if (!options.defaultExtension.isEmpty()) {
            extension.clear();
        } else {
            options.defaultExtension = QStringLiteral(".jpg");
        }
    }

    switch (options.namingRule) {
        case kNumberName:
            name = number + u'_' + SanitizeName(UrlDecode(name));
            break;
        case kNumber:
            name = number;
            if (meaningfulExtension(extension))
                name += extension;
            break;
        case kDateTimeNumber:
            name = runStamp + u'_' + number;
            if (meaningfulExtension(extension))
                name += extension;
            break;
        default:  // "Picture name", and an index outside the list
            break;
    }

    if (!meaningfulExtension(extension) && !name.endsWith(options.defaultExtension, Qt::CaseSensitive)) {
        name += options.defaultExtension;
    }

    const QString full = folder + HarmlessNamePart(FitNameBytes(options.prefix + name));
    return NameTaken(full) ? UniqueFileName(full) : full;
}

bool CanNamePicture(const QString& pictureUrl, const SaveState& options) {
    if (options.namingRule != kNumberName)
        return true;
    try {
        UrlDecode(lastSegment(pictureUrl));
    } catch (const UrlDecodeError&) {
        return false;
    }
    return true;
}

}  // namespace vorlaken
