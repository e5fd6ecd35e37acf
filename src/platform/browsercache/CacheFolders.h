#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vorlaken {

// One disk cache folder of a browser.
struct CacheFolder {
    enum class Kind { ChromiumSimple, Firefox };
    Kind kind = Kind::ChromiumSimple;
    QString path;  // canonical; the entry files lie directly in it
    bool operator==(const CacheFolder&) const = default;
};

// Decides which disk caches the viewer reads.
class CacheFolders {
  public:
    // The cache folders in or below one folder: a cache folder itself ("Cache_Data", "cache2",
    // "entries"), a browser profile, or a browser's user-data folder with several profiles.
    static QList<CacheFolder> inFolder(const QString& folder);
    // TIDEWELL_CACHE alone when it is set; otherwise the given profiles (the attached browser's first)
    // and the default profile folders of the usual browsers under the user's cache and config folders.
    static QList<CacheFolder> discover(const QStringList& extraProfiles);
    // The usual browsers' profile roots below the home folder.
    static QStringList defaultRoots(const QString& home);
};

}  // namespace vorlaken
