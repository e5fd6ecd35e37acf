#include "save/PictureFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "common/Errors.h"
#include "save/CacheCopy.h"
#include "save/Downloader.h"
#include "save/FileNaming.h"
#include "save/PictureType.h"
#include "save/SaveState.h"

namespace vorlaken {

namespace {

bool hasScheme(const QUrl& url, const char* scheme) {
    return url.scheme().compare(QLatin1String(scheme), Qt::CaseInsensitive) == 0;
}

// The address as a message shows it: a data address can be megabytes long.
QString forMessage(const QString& url) {
    return PathForMessage(url);
}

}  // namespace

PictureFile::PictureFile(const QString& folder, const Limits& limits) : limits_(limits) {
    folder_ = QDir(folder).absolutePath();
    if (!folder_.endsWith(u'/'))
        folder_ += u'/';
}

QString PictureFile::fileFor(const QString& pictureUrl, const QString& pageUrl, BrowserCache* cache,
                             Browser* attached) {
    const QUrl url(pictureUrl);
    if (hasScheme(url, "file")) {
        // As for a save run: a local file is only ever a picture of a local page, so a web page naming
        // one cannot have it handed out.
        if (!hasScheme(QUrl(pageUrl), "file"))
            throw PlatformError(
                QStringLiteral("A web page cannot hand out a local file: %1").arg(forMessage(pictureUrl)));
        const QString local = url.toLocalFile();
        const QFileInfo info(local);
        if (!info.isFile() || !info.isReadable())
            throw PlatformError(QStringLiteral("The picture file cannot be read: %1").arg(forMessage(local)));
        return info.absoluteFilePath();
    }
    if (!hasScheme(url, "http") && !hasScheme(url, "https") && !hasScheme(url, "data"))
        throw PlatformError(
            QStringLiteral("This picture cannot be had as a file: %1").arg(forMessage(pictureUrl)));

    const QString known = made_.value(pictureUrl);
    if (!known.isEmpty() && QFileInfo(known).isFile())
        return known;

    if (!QDir().mkpath(folder_))
        throw PlatformError(QStringLiteral("The folder %1 cannot be made.").arg(forMessage(folder_)));
    const QString target = targetFor(pictureUrl);
    if (target.isEmpty())
        throw PlatformError(QStringLiteral("No free file name is left in %1.").arg(forMessage(folder_)));

    const QString cached = cache && !hasScheme(url, "data") ? cache->lookup(pictureUrl) : QString();
    const bool copied = !cached.isEmpty() && QFileInfo(cached).size() <= limits_.maxBytes &&
                        CacheCopy::copy(cached, target).stored();
    if (!copied)
        fetch(pictureUrl, target, attached);
    // Named after what it holds, as a save run names it: the program it goes to may go by the name.
    const QString file = RecognisePictureType(target);
    made_.insert(pictureUrl, file);
    return file;
}

QString PictureFile::targetFor(const QString& pictureUrl) const {
    // The address's own name, unchanged but for what would leave the folder; the run stamp and the
    // position play no part under this rule.
    SaveState naming;
    naming.namingRule = kPictureName;
    naming.forceExtension = false;
    QString target;
    if (!hasScheme(QUrl(pictureUrl), "data"))
        target = PictureFileName(folder_, pictureUrl, 1, 1, QString(), naming);
    // A data address holds no name, only its bytes, and an address ending in "/" names nothing:
    // a number instead of a piece of the bytes or a hidden ".jpg".
    if (target.isEmpty() || QFileInfo(target).fileName().startsWith(u'.')) {
        naming.namingRule = kNumber;
        target = PictureFileName(folder_, pictureUrl, 1, 1, QString(), naming);
    }
    return target;
}

void PictureFile::fetch(const QString& pictureUrl, const QString& target, Browser* attached) {
    Downloader::Limits limits;
    limits.maxBytes = limits_.maxBytes;
    limits.connectTimeoutMs = limits_.connectTimeoutMs;
    limits.stallWindowMs = limits_.stallWindowMs;
    Downloader downloader(limits);
    if (attached)
        downloader.readCookies(*attached, {pictureUrl});
    const QDeadlineTimer deadline(limits_.deadlineMs);
    const StoreOutcome outcome =
        downloader.downloadToFile(pictureUrl, target, [&deadline] { return deadline.hasExpired(); });
    switch (outcome.kind) {
        case StoreOutcome::kStored:
            return;
        case StoreOutcome::kStopped:
            throw PlatformError(
                QStringLiteral("The picture took too long to arrive: %1").arg(forMessage(pictureUrl)));
        case StoreOutcome::kWriteFailed:
            throw PlatformError(QStringLiteral("The picture could not be written to %1: %2")
                                    .arg(forMessage(target), outcome.reason));
        case StoreOutcome::kFailed:
            break;
    }
    throw PlatformError(QStringLiteral("The picture could not be fetched: %1").arg(forMessage(pictureUrl)));
}

}  // namespace vorlaken
