#include "CacheStatus.h"

#include <QDir>
#include <QStringList>

namespace vorlaken {

QString CacheStatus::note(const CacheSearch& search, int unreadableEntries) {
    QStringList lines;
    if (search.folders.isEmpty() && search.unreadFolders.isEmpty()) {
        const QString where = search.lookedIn.join(QLatin1String(", "));
        if (!search.chosen.isEmpty()) {
            lines << QStringLiteral("No browser cache was found in TIDEWELL_CACHE (%1).").arg(where);
        } else if (!where.isEmpty()) {
            lines << QStringLiteral("No browser cache was found. Looked in: %1.").arg(where);
        } else {
            lines << QStringLiteral("No browser cache was found.");
        }
        lines << QStringLiteral(
                     "To read a cache elsewhere, name its folder (a profile, or the cache folder itself) "
                     "in the environment variable TIDEWELL_CACHE; separate several folders with \"%1\".")
                     .arg(QDir::listSeparator());
    }
    for (const QString& folder : search.unreadFolders) {
        lines << QStringLiteral("Not read: %1 holds a cache in Chromium's older block-file layout.")
                     .arg(folder);
    }
    if (unreadableEntries == 1) {
        lines << QStringLiteral("1 cache entry could not be read.");
    } else if (unreadableEntries > 1) {
        lines << QStringLiteral("%1 cache entries could not be read.").arg(unreadableEntries);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace vorlaken
