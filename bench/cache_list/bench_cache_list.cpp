// "List Picture" over a simple cache of 20,000 entries, against a bare scan that opens each entry file
// and reads its header once. Prints cache_list_ms (median of 5) and cache_list_ratio.
#include <algorithm>
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "SimpleCacheWriter.h"
#include "cacheviewer/PictureList.h"
#include "platform/browsercache/DiskBrowserCache.h"

using namespace vorlaken;
using vorlaken::test::SimpleCacheWriter;

namespace {

constexpr int kEntries = 20000;
constexpr int kRuns = 5;

void fillCache(const QString& folder) {
    struct Kind {
        const char* path;
        const char* type;
    };
    const Kind kinds[] = {{"photo%1.jpg", "image/jpeg"},    {"icon%1.png", "image/png"},
                          {"anim%1.gif", "image/gif"},      {"page%1.html", "text/html"},
                          {"code%1.js", "text/javascript"}, {"pic%1", "image/webp"}};
    const qint64 now = (QDateTime::currentMSecsSinceEpoch() + 11644473600000LL) * 1000;
    for (int i = 0; i < kEntries; ++i) {
        const Kind& kind = kinds[i % 6];
        const QString url =
            QStringLiteral("https://site%1.example/dir/").arg(i % 50) + QString::fromLatin1(kind.path).arg(i);
        QByteArray body(512 + (i * 37) % 3000, char('a' + i % 26));
        const QByteArray headers = QByteArray("HTTP/1.1 200 OK") + '\0' + "Content-Type: " + kind.type +
                                   '\0' + "Content-Length: " + QByteArray::number(body.size()) + '\0' + '\0';
        SimpleCacheWriter::write(
            folder, SimpleCacheWriter::keyFor(url, QStringLiteral("https://site%1.example").arg(i % 50)),
            body, SimpleCacheWriter::responseInfo(headers, now));
    }
}

qint64 median(std::vector<qint64> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

qint64 bareScan(const QString& folder) {
    QElapsedTimer timer;
    timer.start();
    qint64 headers = 0;
    const QStringList names = QDir(folder).entryList({QStringLiteral("*_0")}, QDir::Files, QDir::Unsorted);
    for (const QString& name : names) {
        QFile file(folder + QLatin1Char('/') + name);
        if (file.open(QIODevice::ReadOnly) && file.read(24).size() == 24) {
            ++headers;
        }
    }
    if (headers != kEntries) {
        std::fprintf(stderr, "bare scan read %lld headers\n", headers);
    }
    return timer.nsecsElapsed();
}

qint64 listPictures(const QString& folder, const QString& bodies, int* found) {
    QElapsedTimer timer;
    timer.start();
    DiskBrowserCache cache(CacheFolders::inFolder(folder), bodies);
    TIECache ieCache(&cache);
    ViewerState state;  // default filters: jpg, gif, png, bmp, used within the last hour
    PictureList::ListPictures(state, ieCache, QDateTime::currentDateTime());
    *found = int(state.foundUrls.size());
    return timer.nsecsElapsed();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    const QString folder = root.path() + QStringLiteral("/Cache_Data");
    QDir().mkpath(folder + QStringLiteral("/index-dir"));
    fillCache(folder);
    const QString bodies = root.path() + QStringLiteral("/bodies");

    std::vector<qint64> listed;
    std::vector<qint64> bare;
    int found = 0;
    listPictures(folder, bodies, &found);  // warm the file system caches alike for both
    bareScan(folder);
    for (int run = 0; run < kRuns; ++run) {
        listed.push_back(listPictures(folder, bodies, &found));
        bare.push_back(bareScan(folder));
    }
    std::fprintf(stderr, "listed %d of %d entries\n", found, kEntries);
    const double listMs = median(listed) / 1e6;
    const double bareMs = median(bare) / 1e6;
    std::printf("cache_list_ms %.0f\n", listMs);
    std::printf("cache_list_ratio %.2f\n", bareMs > 0 ? listMs / bareMs : 0.0);
    return found > 0 ? 0 : 1;
}
