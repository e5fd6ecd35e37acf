#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "support/FakePageModel.h"
#include "support/LoopbackHttpServer.h"

// What the save benchmarks share: the pictures, the cache a browser keeps, one save run as the program
// makes it, and the reference download tools on the same list.
namespace vorlaken::bench {

constexpr int kPictures = 200;
constexpr int kPictureBytes = 200 * 1024;
constexpr int kOtherEntries = 20000;

// A JPEG-looking body of kPictureBytes, different for each seed.
QByteArray pictureBody(int seed);

// Writes what a browser keeps of other sites into a simple cache folder in Chromium's format:
// kOtherEntries pages, scripts and pictures of 0.5 to 3.5 KB. False when it cannot be written.
bool fillOtherEntries(const QString& folder);
// Adds the pictures at urls (bodies pictureBody(i)), keyed as loaded by a page of site.
bool addPictureEntries(const QString& folder, const QStringList& urls, const QString& site);

// The preview page of the pictures, every one ticked and loaded.
void fillPreview(FakeBrowser& preview, const QStringList& urls);

// One run as the program makes it, the opening of its disk cache (walked at most once) included.
// Milliseconds, or -1 when the run did not store every picture or walked the cache more than once.
qint64 timeSaveRun(FakeBrowser& preview, const QString& cacheFolder, const QString& bodies,
                   const QString& saveFolder);

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
