#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWebEngineView>

#include "platform/webzone/WebZone.h"
#include "save/SaveProgress.h"
#include "support/LoopbackHttpServer.h"
#include "widgets/BusModeDesktop.h"

// What the save benchmarks share: the pictures, the cache a browser keeps, the preview the run reads,
// one save run as the program makes it, and the reference download tools on the same list.
namespace vorlaken::bench {

constexpr int kPictures = 200;
constexpr int kPictureSide = 256;  // a PNG of noise this wide and high holds about 200 KB
constexpr int kOtherEntries = 20000;

// The page the pictures came from; the cache keys them for its site.
inline const QString kPageUrl = QStringLiteral("http://127.0.0.1/gallery.html");

// A PNG the preview can show, different for each seed: noise, which PNG cannot make smaller.
QByteArray pictureBody(int seed);

// Writes what a browser keeps of other sites into a simple cache folder in Chromium's format:
// kOtherEntries pages, scripts and pictures of 0.5 to 3.5 KB. False when it cannot be written.
bool fillOtherEntries(const QString& folder);
// Adds the pictures at urls (bodies pictureBody(i)), keyed as loaded by a page of site.
bool addPictureEntries(const QString& folder, const QStringList& urls, const QString& site);

// The preview zone as the program has it, offscreen: a real Qt WebEngine page showing the preview of
// the pictures, every one ticked.
class BenchPreview {
  public:
    explicit BenchPreview(const QString& folder);
    // True once the preview of urls is shown and every picture has loaded.
    bool show(const QStringList& urls);
    WebZone& zone() { return zone_; }

  private:
    QWebEngineView view_;
    WebZone zone_;
};

// One run as the program makes it, the opening of its disk cache (walked at most once) included.
// Milliseconds, or -1 when the run did not store every picture, walked the cache more than once or
// said something.
qint64 timeSaveRun(Browser& preview, SaveProgress& progress, BusModeDesktop& desktop,
                   const QString& cacheFolder, const QString& bodies, const QString& saveFolder);

// Serves kPictures pictures (bodies pictureBody(i)) below folder, each answered after delayMs, and
// gives their addresses in order.
QStringList servePictures(test::LoopbackHttpServer& server, const QString& folder, int delayMs = 0);

// Writes the addresses one a line; false when the file cannot be written.
bool writeList(const QString& path, const QStringList& urls);
// Runs a download tool that fetches into folder; milliseconds, or -1 when it failed or folder does not
// then hold expectedFiles files.
qint64 timeTool(const QString& program, const QStringList& arguments, const QString& folder,
                int expectedFiles);

// The smaller of two timings, -1 meaning none yet.
qint64 best(qint64 a, qint64 b);

}  // namespace vorlaken::bench
