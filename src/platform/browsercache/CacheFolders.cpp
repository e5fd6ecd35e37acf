#include "CacheFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

#include "ByteSource.h"
#include "SimpleCacheIndex.h"

namespace vorlaken {

namespace {

constexpr quint32 kBlockfileIndexMagic = 0xc103cac3;

// Where each browser keeps its folders, relative to the user's cache and config folders.
const QStringList& chromiumFamily() {
    static const QStringList names = {
        QStringLiteral("chromium"),
        QStringLiteral("google-chrome"),
        QStringLiteral("google-chrome-beta"),
        QStringLiteral("google-chrome-unstable"),
        QStringLiteral("microsoft-edge"),
        QStringLiteral("microsoft-edge-beta"),
        QStringLiteral("microsoft-edge-dev"),
        QStringLiteral("BraveSoftware/Brave-Browser"),
        QStringLiteral("BraveSoftware/Brave-Browser-Beta"),
        QStringLiteral("BraveSoftware/Brave-Browser-Nightly"),
        QStringLiteral("vivaldi"),
        QStringLiteral("vivaldi-snapshot"),
        QStringLiteral("opera"),
        QStringLiteral("opera-beta"),
        QStringLiteral("opera-developer"),
    };
    return names;
}

// Firefox's family: caches below the cache folder, profiles (which may hold cache2 too) below home.
const QStringList& firefoxCaches() {
    static const QStringList names = {QStringLiteral("mozilla/firefox"), QStringLiteral("librewolf"),
                                      QStringLiteral("waterfox")};
    return names;
}
const QStringList& firefoxProfiles() {
    static const QStringList names = {QStringLiteral(".mozilla/firefox"), QStringLiteral(".librewolf"),
                                      QStringLiteral(".waterfox")};
    return names;
}

bool isDirectory(const QString& path) {
    return QFileInfo(path).isDir();
}

bool isPlainFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

quint64 leadingBytes(const QString& path, int count) {
    FileByteSource file(path);
    const QByteArray bytes = file.isOpen() ? file.read(0, count) : QByteArray();
    if (bytes.size() != count) {
        return 0;
    }
    return count == 4 ? qFromLittleEndian<quint32>(bytes.constData())
                      : qFromLittleEndian<quint64>(bytes.constData());
}

// Chromium's block-file cache: an "index" with its magic number, and the block files beside it.
bool isBlockfileCache(const QString& path) {
    const QString index = path + QLatin1String("/index");
    if (isPlainFile(index) && leadingBytes(index, 4) == kBlockfileIndexMagic) {
        return true;
    }
    return isPlainFile(path + QLatin1String("/data_0")) && isPlainFile(path + QLatin1String("/data_1"));
}

// Chromium's simple cache: its index folder, or its top "index" file with the simple cache's magic.
bool isSimpleCache(const QString& path) {
    const QString index = path + QLatin1String("/index");
    return isDirectory(path + QLatin1String("/index-dir")) ||
           (isPlainFile(index) && leadingBytes(index, 8) == SimpleCacheIndex::kMagic);
}

void addUnique(CacheSearch* search, CacheFolder::Kind kind, const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) {
        return;
    }
    const CacheFolder folder{kind, canonical};
    if (!search->folders.contains(folder)) {
        search->folders.append(folder);
    }
}

// A folder Chromium keeps a cache in: read when it is a simple cache, named when it is a block-file
// cache. A "Cache_Data" folder is a simple cache even before its first index is written.
bool addChromiumCache(CacheSearch* search, const QString& path, bool named) {
    if (!isDirectory(path)) {
        return false;
    }
    if (isBlockfileCache(path)) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (!search->unreadFolders.contains(canonical)) {
            search->unreadFolders.append(canonical);
        }
        return true;
    }
    if (named || isSimpleCache(path)) {
        addUnique(search, CacheFolder::Kind::ChromiumSimple, path);
        return true;
    }
    return false;
}

void addFromProfile(CacheSearch* search, const QString& profile) {
    // Chromium since 2021 keeps "Cache/Cache_Data"; before, the cache lay in "Cache" itself.
    if (!addChromiumCache(search, profile + QLatin1String("/Cache/Cache_Data"), true)) {
        addChromiumCache(search, profile + QLatin1String("/Cache"), false);
    }
    const QString firefox = profile + QLatin1String("/cache2/entries");
    if (isDirectory(firefox)) {
        addUnique(search, CacheFolder::Kind::Firefox, firefox);
    }
}

QStringList childFolders(const QString& path) {
    QStringList children;
    for (const QString& name : QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        children.append(path + QLatin1Char('/') + name);
    }
    return children;
}

// The home folders of the snap and Flatpak applications, each with its own cache and config folders.
struct Sandboxes {
    QStringList caches;
    QStringList configs;
    QStringList homes;
};

Sandboxes sandboxesOf(const QString& home) {
    Sandboxes boxes;
    for (const QString& snap : childFolders(home + QLatin1String("/snap"))) {
        boxes.caches.append(snap + QLatin1String("/common/.cache"));
        boxes.configs.append(snap + QLatin1String("/common"));  // snap Chromium keeps its profiles here
        boxes.configs.append(snap + QLatin1String("/current/.config"));
        boxes.homes.append(snap + QLatin1String("/common"));
        boxes.homes.append(snap + QLatin1String("/current"));
    }
    for (const QString& app : childFolders(home + QLatin1String("/.var/app"))) {
        boxes.caches.append(app + QLatin1String("/cache"));
        boxes.configs.append(app + QLatin1String("/config"));
        boxes.homes.append(app);
    }
    return boxes;
}

QString xdgFolder(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    // A relative XDG folder is not to be trusted: the freedesktop rules say to ignore it.
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

}  // namespace

void CacheSearch::add(const CacheSearch& other) {
    for (const CacheFolder& folder : other.folders) {
        if (!folders.contains(folder)) {
            folders.append(folder);
        }
    }
    for (const QString& folder : other.unreadFolders) {
        if (!unreadFolders.contains(folder)) {
            unreadFolders.append(folder);
        }
    }
}

CacheSearch CacheFolders::searchFolder(const QString& folder) {
    CacheSearch search;
    const QString path = QDir::cleanPath(folder);
    if (!isDirectory(path)) {
        return search;
    }
    const QString name = QFileInfo(path).fileName();
    if (name == QLatin1String("entries") && QFileInfo(path).dir().dirName() == QLatin1String("cache2")) {
        addUnique(&search, CacheFolder::Kind::Firefox, path);
        return search;
    }
    if (name == QLatin1String("cache2") && isDirectory(path + QLatin1String("/entries"))) {
        addUnique(&search, CacheFolder::Kind::Firefox, path + QLatin1String("/entries"));
        return search;
    }
    if (addChromiumCache(&search, path, name == QLatin1String("Cache_Data"))) {
        return search;
    }
    if (isDirectory(path + QLatin1String("/Cache_Data"))) {
        addChromiumCache(&search, path + QLatin1String("/Cache_Data"), true);
    }
    addFromProfile(&search, path);
    // A user-data folder: "Default" and "Profile N" (Chromium family), or Firefox's "<salt>.<name>".
    for (const QString& child : childFolders(path)) {
        addFromProfile(&search, child);
    }
    return search;
}

QList<CacheFolder> CacheFolders::inFolder(const QString& folder) {
    return searchFolder(folder).folders;
}

QStringList CacheFolders::defaultRoots(const QString& home) {
    const Sandboxes boxes = sandboxesOf(home);
    QStringList caches = {xdgFolder("XDG_CACHE_HOME", home + QLatin1String("/.cache"))};
    if (caches.first() != home + QLatin1String("/.cache")) {
        caches.append(home + QLatin1String("/.cache"));
    }
    caches += boxes.caches;
    QStringList configs = {xdgFolder("XDG_CONFIG_HOME", home + QLatin1String("/.config"))};
    if (configs.first() != home + QLatin1String("/.config")) {
        configs.append(home + QLatin1String("/.config"));
    }
    configs += boxes.configs;
    const QStringList homes = QStringList{home} + boxes.homes;

    QStringList roots;
    for (const QString& base : caches) {
        for (const QString& browser : chromiumFamily() + firefoxCaches()) {
            roots.append(base + QLatin1Char('/') + browser);
        }
    }
    for (const QString& base : configs) {
        for (const QString& browser : chromiumFamily()) {
            roots.append(base + QLatin1Char('/') + browser);
        }
    }
    for (const QString& base : homes) {
        for (const QString& profiles : firefoxProfiles()) {
            roots.append(base + QLatin1Char('/') + profiles);
        }
    }
    return roots;
}

QStringList CacheFolders::describedRoots(const QString& home) {
    const auto shown = [&](const QString& path) {
        return path.startsWith(home + QLatin1Char('/')) ? QLatin1Char('~') + path.mid(home.size()) : path;
    };
    QStringList described = {shown(xdgFolder("XDG_CACHE_HOME", home + QLatin1String("/.cache"))),
                             shown(xdgFolder("XDG_CONFIG_HOME", home + QLatin1String("/.config")))};
    described.append(QStringLiteral("~/.mozilla"));
    described.append(QStringLiteral("~/snap/*"));
    described.append(QStringLiteral("~/.var/app/*"));
    described.removeDuplicates();
    return described;
}

CacheSearch CacheFolders::search(const QStringList& extraProfiles) {
    CacheSearch search;
    const QString chosen = qEnvironmentVariable(kEnvironment);
    if (!chosen.isEmpty()) {
        search.chosen = chosen;
        for (const QString& folder : chosen.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
            search.add(searchFolder(folder));
            search.lookedIn.append(folder);
        }
        return search;
    }
    const QString home = QDir::homePath();
    for (const QString& root : extraProfiles + defaultRoots(home)) {
        search.add(searchFolder(root));
    }
    search.lookedIn = describedRoots(home);
    return search;
}

}  // namespace vorlaken
