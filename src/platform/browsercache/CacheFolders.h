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

// What a search for caches found, and where it looked.
struct CacheSearch {
    QList<CacheFolder> folders;  // the caches that are read
    // Caches found in a layout that is not read: Chromium's block-file cache ("index", "data_0" ...).
    QStringList unreadFolders;
    // The folders searched, as shown to the user ("~/.cache", "~/snap/*/common/.cache" ...).
    QStringList lookedIn;
    // The value of TIDEWELL_CACHE when that named the folders; empty otherwise.
    QString chosen;

    void add(const CacheSearch& other);
};

// Decides which disk caches the viewer reads.
class CacheFolders {
  public:
    // The environment variable naming the caches to read instead of the usual ones; several folders
    // are separated by ":".
    static constexpr const char* kEnvironment = "TIDEWELL_CACHE";

    // The cache folders in or below one folder: a cache folder itself ("Cache_Data", an older
    // "<profile>/Cache", "cache2", "entries"), a browser profile, or a browser's user-data folder with
    // several profiles.
    static QList<CacheFolder> inFolder(const QString& folder);
    // The same with the caches whose layout is not read.
    static CacheSearch searchFolder(const QString& folder);
    // The folders of TIDEWELL_CACHE alone when it is set; otherwise the given profiles (the attached
    // browser's first) and every usual browser's folders below the home folder.
    static CacheSearch search(const QStringList& extraProfiles);
    static QList<CacheFolder> discover(const QStringList& extraProfiles) {
        return search(extraProfiles).folders;
    }
    // Every usual place of a browser's profiles and caches below the home folder: the user's cache and
    // config folders (XDG_CACHE_HOME and XDG_CONFIG_HOME when set), snap and Flatpak browsers, every
    // channel of each browser of the Chromium and Firefox families. Folders that do not exist are
    // included; they hold nothing.
    static QStringList defaultRoots(const QString& home);
    // The places defaultRoots covers, as shown to the user.
    static QStringList describedRoots(const QString& home);
};

}  // namespace vorlaken
