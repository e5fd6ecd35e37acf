// libFuzzer target: the file-level reading of whole cache folders. The input is cut at "\n--\n" into
// the simple cache's index file and entry files; they are written into a Chromium cache folder and, as
// cache2 entries, into a Firefox one, then listed, copied out and cleared the way the viewer does.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "FuzzChecks.h"
#include "platform/browsercache/CacheFolders.h"
#include "platform/browsercache/DiskBrowserCache.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir root;
    const QString chromium = root.path() + QStringLiteral("/profile/Default/Cache/Cache_Data");
    const QString firefox = root.path() + QStringLiteral("/profile/cache2/entries");
    const QString bodies = root.path() + QStringLiteral("/bodies");
    for (const QString& folder : {chromium, firefox, bodies}) {
        QDir(folder).removeRecursively();
    }
    QDir().mkpath(chromium + QStringLiteral("/index-dir"));
    QDir().mkpath(firefox);

    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> parts = input.split('\n');
    QList<QByteArray> files = {QByteArray()};
    for (const QByteArray& part : parts) {
        if (part == "--") {
            files.append(QByteArray());
        } else {
            files.last() += (files.last().isEmpty() ? QByteArray() : QByteArray("\n")) + part;
        }
    }
    writeFile(chromium + QStringLiteral("/index-dir/the-real-index"), files.first());
    for (qsizetype i = 1; i < files.size() && i < 32; ++i) {
        const QByteArray hash = QCryptographicHash::hash(QByteArray::number(i), QCryptographicHash::Sha1);
        writeFile(
            chromium + QLatin1Char('/') + QString::fromLatin1(hash.left(8).toHex()) + QStringLiteral("_0"),
            files.at(i));
        writeFile(firefox + QLatin1Char('/') + QString::fromLatin1(hash.toHex().toUpper()), files.at(i));
    }

    vorlaken::DiskBrowserCache cache(
        vorlaken::CacheFolders::inFolder(root.path() + QStringLiteral("/profile")), bodies);
    if (cache.folders().size() != 2) {
        std::abort();
    }
    QList<vorlaken::BrowserCache::Entry> entries;
    cache.enumerate([&](const vorlaken::BrowserCache::Entry& entry) {
        entries.append(entry);
        return true;
    });
    const QString inside = QFileInfo(bodies).absoluteFilePath() + QLatin1Char('/');
    for (const vorlaken::BrowserCache::Entry& entry : entries) {
        if (!QFileInfo(entry.localFileName).absoluteFilePath().startsWith(inside)) {
            std::abort();
        }
        cache.materialize(entry);
        cache.lookup(entry.sourceUrl);
    }
    cache.statusNote();
    cache.clearCache();
    return 0;
}
