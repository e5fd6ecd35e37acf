#include <QElapsedTimer>
#include <QTcpServer>
#include <QtTest>

#include "SaveFixture.h"
#include "SmallDisk.h"
#include "save/Downloader.h"
#include "save/TransferQueue.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

// A body of n bytes that starts like a PNG and differs from byte to byte.
QByteArray pngBody(int n) {
    QByteArray body("\x89PNG\r\n\x1A\n", 8);
    for (int i = 8; i < n; ++i)
        body.append(char(i * 7 % 251));
    return body;
}

// A value of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when it cannot be read.
qint64 statusKb(const QByteArray& key) {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Starts the peak resident size (VmHWM) afresh from the current one.
bool resetPeakMemory() {
    QFile clear("/proc/self/clear_refs");
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Over 2 GB: more than 31 bits count its size.
constexpr qint64 kHugeLength = 2ll * 1024 * 1024 * 1024 + 4099;

// Bytes that zip cannot shrink.
QByteArray noiseBody(int n, quint32 seed) {
    QByteArray body("\x89PNG\r\n\x1A\n", 8);
    body.reserve(n);
    quint32 x = seed * 2654435761u + 1;
    while (body.size() < n) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        body.append(char(x >> 24));
    }
    return body;
}

}  // namespace

// Pictures transferred from a real HTTP server on loopback: statuses, time-outs, cut connections,
// cookies from the attached browser, type recognition, and whole save runs.
class TestSaveTransfer : public QObject {
    Q_OBJECT

    LoopbackHttpServer server_;

    // Runs f while its pictures stream in, ticking "stop saving" once a file of the run holds stopAt
    // bytes (never when -1). Fails the test when the process's peak memory grew by 64 MB or more;
    // gives the most bytes a file held.
    qint64 runStreaming(SaveFixture& f, qint64 stopAt) {
        constexpr qint64 kMostGrowthKb = 64 * 1024;
        qint64 seen = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            for (const QFileInfo& file : QDir(f.saveFolder).entryInfoList(QDir::Files))
                seen = qMax(seen, file.size());
            if (stopAt >= 0 && seen >= stopAt)
                f.progress.stop = true;
        });
        tick.start(20);
        if (!resetPeakMemory())
            QTest::qFail("the peak resident size cannot be reset", __FILE__, __LINE__);
        const qint64 before = statusKb("VmRSS");
        f.run();
        const qint64 peak = statusKb("VmHWM");
        if (before <= 0 || peak - before >= kMostGrowthKb) {
            QTest::qFail(
                qPrintable(
                    QStringLiteral("grew by %1 kB while %2 MB streamed").arg(peak - before).arg(seen >> 20)),
                __FILE__, __LINE__);
        }
        return seen;
    }

  private slots:
    void initTestCase() {
        QVERIFY(server_.listen());
        server_.addPage("/big.png", pngBody(200 * 1024), "image/png");
        server_.addNotFound("/missing.png");
        server_.addDelayed("/silent.png", 6000, pngBody(100), "image/png");
        server_.addTruncated("/cut.png", pngBody(5000), 10000, "image/png");
        server_.addCookieRequired("/private.png", "session=42", pngBody(300), "image/png");
        HttpRoute moved;
        moved.status = 302;
        moved.headers = {{"Location", "/big.png"}};
        server_.addRoute("/moved.png", moved);
        server_.addPage("/empty.png", QByteArray(), "image/png");
        HttpRoute emptyUnsized;
        emptyUnsized.contentType = "image/png";
        emptyUnsized.noLength = true;
        server_.addRoute("/empty-unsized.png", emptyUnsized);
        server_.addReset("/reset.png", pngBody(5000), 10000, "image/png");
        server_.addDrip("/drip.png", pngBody(2000), 3, 1000, 2000, "image/png");
        server_.addDrip("/drip-unsized.png", pngBody(2000), 3, 1000, -1, "image/png");
        server_.addEndless("/endless.png", pngBody(64), "image/png");
        server_.addGenerated("/huge.png", pngBody(64), kHugeLength, "image/png");
        for (int i = 1; i <= 5; ++i) {
            server_.addPage(QStringLiteral("/noise/%1.png").arg(i), noiseBody(400 * 1024, i), "image/png");
            server_.addPage(QStringLiteral("/small-noise/%1.png").arg(i), noiseBody(300 * 1024, i),
                            "image/png");
        }
    }

    void transfers_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("cookie");
        QTest::addColumn<bool>("stored");
        QTest::newRow("200") << "/big.png" << false << true;
        QTest::newRow("redirect to 200") << "/moved.png" << false << true;
        QTest::newRow("404") << "/missing.png" << false << false;
        QTest::newRow("cut half-way") << "/cut.png" << false << false;
        QTest::newRow("needs a cookie, none") << "/private.png" << false << false;
        QTest::newRow("needs a cookie, sent") << "/private.png" << true << true;
    }
    void transfers() {
        QFETCH(QString, path);
        QFETCH(bool, cookie);
        QFETCH(bool, stored);
        QTemporaryDir dir;
        const QString target = dir.path() + "/01.png";
        FakeBrowser browser;
        if (cookie)
            browser.cookies.insert(server_.url(path), "session=42");
        Downloader downloader;
        downloader.readCookies(browser, {server_.url(path)});
        QCOMPARE(downloader.downloadToFile(server_.url(path), target).stored(), stored);
        QCOMPARE(QFile::exists(target), stored);
        if (stored)
            QVERIFY(readFile(target).startsWith("\x89PNG"));
        if (path == "/big.png")
            QCOMPARE(readFile(target), pngBody(200 * 1024));
    }

    // Addresses without an HTTP status are taken as they come.
    void otherSchemes() {
        QTemporaryDir dir;
        const QString source = writeFile(dir.path() + "/source.gif", "GIF89a-local");
        Downloader downloader;
        QVERIFY(downloader.downloadToFile(QUrl::fromLocalFile(source).toString(), dir.path() + "/a.gif")
                    .stored());
        QCOMPARE(readFile(dir.path() + "/a.gif"), QByteArray("GIF89a-local"));
        QVERIFY(downloader.downloadToFile("data:image/gif;base64,R0lGODlh", dir.path() + "/b.gif").stored());
        QCOMPARE(readFile(dir.path() + "/b.gif"), QByteArray("GIF89a"));
        QCOMPARE(downloader
                     .downloadToFile(QUrl::fromLocalFile(dir.path() + "/none.gif").toString(),
                                     dir.path() + "/c.gif")
                     .kind,
                 StoreOutcome::kFailed);
        QVERIFY(!QFile::exists(dir.path() + "/c.gif"));
        // An existing target is never written to.
        QCOMPARE(downloader.downloadToFile(server_.url("/big.png"), source).kind, StoreOutcome::kFailed);
        QCOMPARE(readFile(source), QByteArray("GIF89a-local"));
    }

    void sendsProgramNameAsUserAgent() {
        QTemporaryDir dir;
        server_.clearRequests();
        Downloader downloader;
        QVERIFY(downloader.downloadToFile(server_.url("/big.png"), dir.path() + "/a.png").stored());
        const QList<HttpRequestRecord> requests = server_.requestsFor("/big.png");
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].headers.value("user-agent"), QByteArray("tst_savetransfer"));
        QVERIFY(!requests[0].headers.contains("cookie"));
    }

    // No answer within the connect time-out: nothing stored, and the run does not wait much longer.
    void connectTimeOut_data() {
        QTest::addColumn<bool>("listening");
        QTest::newRow("server that never answers") << true;
        QTest::newRow("nobody listening") << false;
    }
    void connectTimeOut() {
        QFETCH(bool, listening);
        QTemporaryDir dir;
        QTcpServer mute;  // accepts connections into its backlog and never answers
        QString url = server_.url("/silent.png");
        if (!listening) {
            QVERIFY(mute.listen(QHostAddress::LocalHost));
            const quint16 port = mute.serverPort();
            mute.close();
            url = QStringLiteral("http://127.0.0.1:%1/a.png").arg(port);
        }
        Downloader downloader;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(downloader.downloadToFile(url, dir.path() + "/a.png").kind, StoreOutcome::kFailed);
        QVERIFY2(clock.elapsed() < 4500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!QFile::exists(dir.path() + "/a.png"));
    }

    void recognisedTypes_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("name");
        const QByteArray pad(16, 'x');
        QTest::newRow("bmp") << QByteArray("BM") + pad << "1.bmp";
        QTest::newRow("gif") << QByteArray("GIF89a") + pad << "1.gif";
        QTest::newRow("jpeg") << QByteArray("\xFF\xD8\xFF\xE1", 4) + pad << "1.jpg";
        QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1A\n", 8) + pad << "1.png";
        QTest::newRow("webp") << QByteArray("RIFF\x20\0\0\0WEBPVP8L", 16) + pad << "1.webp";
        QTest::newRow("avif") << QByteArray(
                                     "\0\0\0\x20"
                                     "ftypavif",
                                     12) +
                                     pad
                              << "1.avif";
        QTest::newRow("unknown") << QByteArray("<html>") + pad << "1.php";
    }
    void recognisedTypes() {
        QFETCH(QByteArray, body);
        QFETCH(QString, name);
        const QString path = "/types/" + QString::fromLatin1(QTest::currentDataTag()) + "/show.php";
        server_.addPage(path, body, "application/octet-stream");
        SaveFixture f;
        f.save.namingRule = kNumber;
        f.save.forceExtension = false;
        f.addPicture(server_.url(path));
        f.run();
        QCOMPARE(f.filesIn(f.saveFolder), QStringList{name});
        QCOMPARE(readFile(f.saveFolder + name), body);
    }

    // Answers that must not become pictures: nothing stored, no file left, and a dripping server
    // given up once its stall window has passed.
    void hostileAnswers_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty 200") << "/empty.png";
        QTest::newRow("empty 200 without length") << "/empty-unsized.png";
        QTest::newRow("reset half-way") << "/reset.png";
        QTest::newRow("3 bytes a second against a length") << "/drip.png";
        QTest::newRow("3 bytes a second without length") << "/drip-unsized.png";
    }
    void hostileAnswers() {
        QFETCH(QString, path);
        QTemporaryDir dir;
        const QString target = dir.path() + "/1.png";
        Downloader::Limits limits;
        limits.stallWindowMs = 2000;
        Downloader downloader(limits);
        QElapsedTimer clock;
        clock.start();
        const StoreOutcome outcome = downloader.downloadToFile(server_.url(path), target);
        QCOMPARE(outcome.kind, StoreOutcome::kFailed);
        QVERIFY(!QFile::exists(target));
        // The drip would take over ten minutes to finish.
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    }

    // An endless body streams to disk through a bounded buffer: the process's peak memory grows by far
    // less than what was written, and a stop request ends the transfer, leaving no file.
    void endlessBodyKeepsMemoryFlatAndStops() {
        QTemporaryDir dir;
        const QString target = dir.path() + "/1.png";
        constexpr qint64 kWritten = 384ll * 1024 * 1024;
        constexpr qint64 kMostGrowthKb = 64 * 1024;
        Downloader downloader;
        QVERIFY(resetPeakMemory());
        const qint64 before = statusKb("VmRSS");
        QVERIFY(before > 0);
        qint64 seen = 0;
        const StoreOutcome outcome = downloader.downloadToFile(server_.url("/endless.png"), target, [&] {
            // Asked often while bytes arrive; a slow answer stands for a busy window.
            QThread::usleep(2000);
            seen = QFileInfo(target).size();
            return seen >= kWritten;
        });
        const qint64 peak = statusKb("VmHWM");
        QCOMPARE(outcome.kind, StoreOutcome::kStopped);
        QVERIFY(seen >= kWritten);
        QVERIFY(!QFile::exists(target));
        QVERIFY2(
            peak - before < kMostGrowthKb,
            qPrintable(
                QStringLiteral("grew by %1 kB while %2 MB streamed").arg(peak - before).arg(seen >> 20)));
    }

    // "stop saving" ticked, or the window closed, while a picture trickles in: that transfer and the
    // one started ahead of it are abandoned, the partial file is removed, and the run ends. After "stop
    // saving" the index page describes what was stored; a closing program writes nothing more.
    void stopDuringATransfer_data() {
        QTest::addColumn<bool>("closing");
        QTest::newRow("stop saving") << false;
        QTest::newRow("window closed") << true;
    }
    void stopDuringATransfer() {
        QFETCH(bool, closing);
        SaveFixture f;
        f.save.localWebpage = true;
        f.save.namingRule = kNumber;
        f.addPicture(server_.url("/big.png"));
        f.addPicture(server_.url("/drip.png"));
        f.addPicture(server_.url("/big.png"));
        server_.clearRequests();
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            if (server_.requestsFor("/drip.png").isEmpty())
                return;
            if (closing)
                f.save.closing = true;
            else
                f.progress.stop = true;
        });
        tick.start(20);
        QElapsedTimer clock;
        clock.start();
        f.run();
        // Well before the stall bound (30 s) would have ended it.
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(f.label, QStringLiteral("Saved:1/3"));
        QVERIFY(!f.progress.stop);
        QVERIFY(!f.save.running && !f.save.closing);
        QCOMPARE(f.desktop.messages, QStringList());
        const QStringList files = f.filesIn(f.saveFolder);
        QVERIFY(files.contains("1.png"));
        if (closing) {
            QCOMPARE(files, QStringList{"1.png"});
            QCOMPARE(f.save.lastIndexPage, QString());
        } else {
            QCOMPARE(files.size(), 2);  // the first picture and the index page
            QVERIFY(files.contains(QFileInfo(f.save.lastIndexPage).fileName()));
        }
        // The third picture may have been asked for ahead of its turn; cancelled, it left nothing.
        QVERIFY(server_.requestsFor("/big.png").size() <= 2);
    }

    // Transfers run ahead of the picture in hand, six to a host: while the first picture is still on
    // its way, the next five of its host have been asked for, and nothing of the host behind them.
    // Files, counter and index page follow the list's order all the same.
    void transfersRunAheadSixToAHost() {
        SaveFixture f;
        f.save.namingRule = kNumber;
        f.save.forceExtension = false;
        f.save.localWebpage = true;
        server_.addDelayed("/ahead/1.png", 1500, pngBody(1001), "image/png");
        QStringList urls = {server_.url("/ahead/1.png")};
        for (int i = 2; i <= 10; ++i) {
            const QString path = QStringLiteral("/ahead/%1.png").arg(i);
            server_.addPage(path, pngBody(1000 + i), "image/png");
            urls << (i <= 8 ? server_.url(path) : server_.localhostUrl(path));
        }
        for (const QString& url : urls)
            f.addPicture(url);
        server_.clearRequests();
        QList<HttpRequestRecord> askedBeforeFirst;
        f.services.refresh = [&] {
            if (f.label == QStringLiteral("Saved:1/10"))
                askedBeforeFirst = server_.requests();
        };
        f.run();
        QCOMPARE(askedBeforeFirst.size(), 6);
        for (const HttpRequestRecord& request : askedBeforeFirst)
            QVERIFY(request.headers.value("host").startsWith("127.0.0.1:"));
        QCOMPARE(f.label, QStringLiteral("Saved:10/10"));
        QStringList texts = {QStringLiteral("Saved:0/0")};
        for (int i = 1; i <= 10; ++i)
            texts << QStringLiteral("Saved:%1/10").arg(i);
        QCOMPARE(f.progress.texts, texts);
        for (int i = 1; i <= 10; ++i)
            QCOMPARE(readFile(f.saveFolder + QStringLiteral("%1.png").arg(i, 2, 10, QLatin1Char('0'))),
                     pngBody(1000 + i));
        const QString page = QString::fromUtf8(readFile(f.save.lastIndexPage));
        qsizetype at = page.indexOf("Local File Name:");
        for (int i = 1; i <= 10; ++i) {
            const qsizetype next =
                page.indexOf(QStringLiteral(">%1.png</a>").arg(i, 2, 10, QLatin1Char('0')), at);
            QVERIFY2(next > at, qPrintable(QString::number(i)));
            at = next;
        }
    }

    // A run with transfers ahead makes what a run of one transfer at a time makes, whatever order the
    // answers come in: the same files under the same names, the same counter texts, index page and
    // archive. Pictures the cache holds, and one that cannot be named, are never asked for.
    void aheadMakesWhatOneAtATimeMakes() {
        server_.addDelayed("/mix/slow.png", 400, pngBody(2001), "image/png");
        server_.addPage("/mix/fast.jpg", QByteArray("\xFF\xD8\xFF\xE0", 4) + pngBody(300), "image/jpeg");
        server_.addPage("/mix/type.php", pngBody(2002), "application/octet-stream");
        server_.addDelayed("/mix/late.gif", 200, "GIF89a" + pngBody(400), "image/gif");
        server_.addTruncated("/mix/cut.png", pngBody(500), 1000, "image/png");
        const QStringList paths = {"/mix/slow.png",  "/mix/cached.gif", "/mix/missing.png", "/mix/fast.jpg",
                                   "/mix/bad%2.png", "/mix/slow.png",   "/mix/walk.png",    "/mix/type.php",
                                   "/mix/cut.png",   "/mix/late.gif"};
        struct Result {
            QStringList files;
            QList<QByteArray> contents;
            QStringList texts;
            QString label;
            QByteArray page;
            QStringList archive;
        };
        auto runWith = [&](int perHost) {
            SaveFixture f;
            f.services.transfersPerHost = perHost;
            f.services.now = [] { return QDateTime(QDate(2008, 5, 6), QTime(7, 8, 9)); };
            f.save.namingRule = kNumberName;
            f.save.forceExtension = false;
            f.save.localWebpage = true;
            f.save.zipPackage = true;
            writeFile(f.saveFolder + "04_fast.jpg", "mine");
            const QString cached = writeFile(f.root + "cached", "GIF89a-cached");
            f.cache.direct.insert(server_.url("/mix/cached.gif"), cached);
            f.cache.items.append({{server_.url("/mix/cached.gif"), cached, QDateTime()}, QByteArray()});
            const QString walked = writeFile(f.root + "walked", pngBody(2003));
            f.cache.items.append({{server_.url("/mix/walk.png"), walked, QDateTime()}, QByteArray()});
            for (const QString& path : paths)
                f.addPicture(server_.url(path));
            f.run();
            Result result;
            result.files = f.filesIn(f.saveFolder);
            for (const QString& file : std::as_const(result.files))
                result.contents << readFile(f.saveFolder + file);
            result.texts = f.progress.texts;
            result.label = f.label;
            result.page = readFile(f.save.lastIndexPage);
            QProcess unzip;
            unzip.start("unzip", {"-Z1", f.saveFolder + "2008.05.06.07.08.09.zip"});
            unzip.waitForFinished(30000);
            result.archive = QString::fromLocal8Bit(unzip.readAllStandardOutput()).split('\n');
            return result;
        };
        server_.clearRequests();
        const Result ahead = runWith(TransferQueue::kPerHost);
        for (const QString path : {"/mix/cached.gif", "/mix/walk.png", "/mix/bad%2.png"})
            QVERIFY2(server_.requestsFor(path).isEmpty(), qPrintable(path));
        const Result alone = runWith(1);

        QCOMPARE(ahead.files, QStringList({"01_slow.png", "02_cached.gif", "04_fast.jpg", "04_fast_0000.jpg",
                                           "06_slow.png", "07_walk.png", "08_type.png", "10_late.gif",
                                           "2008.05.06.07.08.09.htm", "2008.05.06.07.08.09.zip"}));
        QCOMPARE(ahead.label, QStringLiteral("Saved:7/10"));
        QCOMPARE(ahead.files, alone.files);
        // The archives differ only in the files' times; everything else is byte for byte the same.
        for (qsizetype i = 0; i + 1 < ahead.files.size(); ++i)
            QCOMPARE(ahead.contents[i], alone.contents[i]);
        QCOMPARE(ahead.texts, alone.texts);
        QCOMPARE(ahead.label, alone.label);
        QCOMPARE(ahead.page, alone.page);
        QCOMPARE(ahead.archive, alone.archive);
        QVERIFY(ahead.archive.contains("07_walk.png"));
    }

    // A picture without end (a 2 GB one and more) streams to disk with flat memory while the pictures
    // behind it, started ahead, hold no more than their bound; "stop saving" ends it and leaves no file.
    void endlessPictureInARun() {
        SaveFixture f;
        f.save.namingRule = kNumber;
        for (int i = 1; i <= 4; ++i)
            f.addPicture(server_.url(QStringLiteral("/endless.png?%1").arg(i)));
        constexpr qint64 kWritten = 256ll * 1024 * 1024;
        server_.clearRequests();
        const qint64 seen = runStreaming(f, kWritten);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(seen >= kWritten);
        QCOMPARE(f.label, QStringLiteral("Saved:0/4"));
        QCOMPARE(f.filesIn(f.saveFolder), QStringList());
        QCOMPARE(server_.requestsFor("/endless.png").size(), 4);
    }

    // A picture of over 2 GB with its length announced streams to disk whole with flat memory and is
    // counted; "stop saving" in the middle of it ends the run and leaves no file.
    void hugePicture_data() {
        QTest::addColumn<qint64>("stopAt");
        QTest::newRow("stored whole") << qint64(-1);
        QTest::newRow("stopped") << 256ll * 1024 * 1024;
    }
    void hugePicture() {
        QFETCH(qint64, stopAt);
        SaveFixture f;
        f.save.namingRule = kNumber;
        f.addPicture(server_.url("/huge.png"));
        const qint64 seen = runStreaming(f, stopAt);
        if (QTest::currentTestFailed())
            return;
        if (stopAt < 0) {
            QCOMPARE(f.label, QStringLiteral("Saved:1/1"));
            QCOMPARE(f.filesIn(f.saveFolder), QStringList{"1.png"});
            QCOMPARE(QFileInfo(f.saveFolder + "1.png").size(), kHugeLength);
            QFile stored(f.saveFolder + "1.png");
            QVERIFY(stored.open(QIODevice::ReadOnly));
            QCOMPARE(stored.read(64), pngBody(64));
        } else {
            QVERIFY(seen >= stopAt && seen < kHugeLength);
            QCOMPARE(f.label, QStringLiteral("Saved:0/1"));
            QCOMPARE(f.filesIn(f.saveFolder), QStringList());
        }
    }

    // A disk that fills up: the run ends with a message naming the folder; every picture file left is
    // whole and counted, and no index page or archive is left half-made.
    void diskFull_data() {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("storedOnTmpfs");  // what a 1 MB tmpfs holds
        QStringList noise, smallNoise;
        for (int i = 1; i <= 5; ++i) {
            noise << QStringLiteral("/noise/%1.png").arg(i);
            if (i <= 2)
                smallNoise << QStringLiteral("/small-noise/%1.png").arg(i);
        }
        QTest::newRow("pictures overflow") << noise << 400 * 1024 << 2;
        QTest::newRow("the zip overflows") << smallNoise << 300 * 1024 << 2;
        QTest::newRow("an endless body") << QStringList{"/endless.png"} << -1 << 0;
    }
    void diskFull() {
        QFETCH(QStringList, paths);
        QFETCH(int, size);
        QFETCH(int, storedOnTmpfs);
        SmallDisk disk(1024 * 1024, 512 * 1024);
        QVERIFY(disk.ready());
        SaveFixture f;
        f.save.saveFolder = disk.path();
        f.save.localWebpage = true;
        f.save.zipPackage = true;
        f.save.namingRule = kNumber;
        for (const QString& path : paths)
            f.addPicture(server_.url(path));
        f.run();
        const QStringList files = f.filesIn(disk.path());
        QStringList pictures = files.filter(".png");
        for (const QString& picture : pictures) {
            const int n = picture.section('.', 0, 0).toInt();
            QVERIFY(n >= 1 && n <= paths.size());
            QCOMPARE(readFile(disk.path() + picture), noiseBody(size, n));
        }
        QCOMPARE(f.label, QStringLiteral("Saved:%1/%2").arg(pictures.size()).arg(paths.size()));
        QCOMPARE(f.desktop.messages.size(), 1);
        QVERIFY2(f.desktop.messages[0].startsWith("Can not write to directory: " + disk.path() + " ("),
                 qPrintable(f.desktop.messages[0]));
        QVERIFY(f.desktop.messages[0].endsWith(", saving stopped"));
        QVERIFY(files.filter(".zip").isEmpty());
        for (const QString& page : files.filter(".htm"))
            QVERIFY(readFile(disk.path() + page).contains("Picture URLs:"));
        if (size < 0)
            QVERIFY(pictures.isEmpty());
        if (disk.mounted())
            QCOMPARE(pictures.size(), storedOnTmpfs);
        QVERIFY(f.capture.getEnabled && f.capture.saveEnabled && !f.save.running && !f.progress.shown);
    }

    // Seven ticked, the sixth answered 404, "stop saving" ticked then: 5 of 7, and the index page
    // and the zip describe the five.
    void runWithFailureAndStop() {
        SaveFixture f;
        f.save.localWebpage = true;
        f.save.zipPackage = true;
        f.save.namingRule = kNumber;
        FakeBrowser browser;
        f.capture.attached = std::shared_ptr<Browser>(&browser, [](Browser*) {});
        browser.cookies.insert(server_.url("/private.png"), "session=42");
        for (int i = 0; i < 4; ++i)
            f.addPicture(server_.url("/big.png"));
        f.addPicture(server_.url("/private.png"));
        f.addPicture(server_.url("/missing.png"));
        f.addPicture(server_.url("/big.png"));
        f.progress.stopAfter = 6;
        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:5/7"));
        QCOMPARE(f.progress.texts.last(), QStringLiteral("Saved:5/7"));
        const QStringList files = f.filesIn(f.saveFolder);
        QCOMPARE(files.size(), 7);  // five pictures, the page and the archive
        for (const QString name : {"1.png", "2.png", "3.png", "4.png", "5.png"})
            QVERIFY(files.contains(name));
        QVERIFY(QFileInfo(f.save.lastIndexPage).fileName().endsWith(".htm"));
        QVERIFY(QFile::exists(f.save.lastIndexPage.chopped(4) + ".zip"));
        const QString page = QString::fromUtf8(readFile(f.save.lastIndexPage));
        QCOMPARE(page.count("<a target=_blank href=\"http://127.0.0.1"), 7);  // every ticked picture
        QVERIFY(!page.contains("6.png"));
    }
};

QTEST_GUILESS_MAIN(TestSaveTransfer)
#include "tst_savetransfer.moc"
