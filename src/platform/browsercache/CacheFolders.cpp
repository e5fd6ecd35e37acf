#include "CacheFolders.h"

#include <QDir>
#include <QFileInfo>

namespace vorlaken {

namespace {

bool isDirectory(const QString& path) {
    const QFileInfo info(path);
    return info.isDir();
}

void addUnique(QList<CacheFolder>* folders, CacheFolder::Kind kind, const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) {
        return;
    }
    const CacheFolder folder{kind, canonical};
    if (!folders->contains(folder)) {
        folders->append(folder);
    }
}

void addFromProfile(QList<CacheFolder>* folders, const QString& profile) {
    const QString chromium = profile + QLatin1String("/Cache/Cache_Data");
    if (isDirectory(chromium)) {
        addUnique(folders, CacheFolder::Kind::ChromiumSimple, chromium);
    }
    const QString firefox = profile + QLatin1String("/cache2/entries");
    if (isDirectory(firefox)) {
        addUnique(folders, CacheFolder::Kind::Firefox, firefox);
    }
}

}  // namespace

QList<CacheFolder> CacheFolders::inFolder(const QString& folder) {
    QList<CacheFolder> folders;
    const QString path = QDir::cleanPath(folder);
    if (!isDirectory(path)) {
        return folders;
    }
    const QString name = QFileInfo(path).fileName();
    if (name == QLatin1String("Cache_Data") || isDirectory(path + QLatin1String("/index-dir"))) {
        addUnique(&folders, CacheFolder::Kind::ChromiumSimple, path);
        return folders;
    }
    if (name == QLatin1String("entries") && QFileInfo(path).dir().dirName() == QLatin1String("cache2")) {
        addUnique(&folders, CacheFolder::Kind::Firefox, path);
        return folders;
    }
    if (name == QLatin1String("cache2") && isDirectory(path + QLatin1String("/entries"))) {
        addUnique(&folders, CacheFolder::Kind::Firefox, path + QLatin1String("/entries"));
        return folders;
    }
    if (isDirectory(path + QLatin1String("/Cache_Data"))) {
        addUnique(&folders, CacheFolder::Kind::ChromiumSimple, path + QLatin1String("/Cache_Data"));
    }
    addFromProfile(&folders, path);
    // A user-data folder: "Default" and "Profile N" (Chromium family), or Firefox's "<salt>.<name>".
    const QStringList children = QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& child : children) {
        addFromProfile(&folders, path + QLatin1Char('/') + child);
    }
    return folders;
}

QStringList CacheFolders::defaultRoots(const QString& home) {
    static const QStringList browsers = {
        QStringLiteral("chromium"),
        QStringLiteral("google-chrome"),
        QStringLiteral("google-chrome-beta"),
        QStringLiteral("microsoft-edge"),
        QStringLiteral("BraveSoftware/Brave-Browser"),
        QStringLiteral("vivaldi"),
        QStringLiteral("mozilla/firefox"),
    };
    QStringList roots;
    for (const QString& base : {home + QLatin1String("/.cache/"), home + QLatin1String("/.config/")}) {
        for (const QString& browser : browsers) {
            roots.append(base + browser);
        }
    }
    roots.append(home + QLatin1String("/.mozilla/firefox"));
    return roots;
}

QList<CacheFolder> CacheFolders::discover(const QStringList& extraProfiles) {
    const QString chosen = qEnvironmentVariable("TIDEWELL_CACHE");
    if (!chosen.isEmpty()) {
        return inFolder(chosen);
    }
    QList<CacheFolder> folders;
    QStringList roots = extraProfiles;
    roots += defaultRoots(QDir::homePath());
    for (const QString& root : roots) {
        for (const CacheFolder& folder : inFolder(root)) {
            if (!folders.contains(folder)) {
                folders.append(folder);
            }
        }
    }
    return folders;
}

}  // namespace vorlaken
