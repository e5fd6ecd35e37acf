#include <QElapsedTimer>
#include <QTcpServer>
#include <QtTest>

#include "SaveFixture.h"
#include "SmallDisk.h"
#include "save/Downloader.h"
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
        QCOMPARE(downloader.downloadToFile(server_.url(path), target, &browser).stored(), stored);
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
        QVERIFY(
            downloader.downloadToFile(QUrl::fromLocalFile(source).toString(), dir.path() + "/a.gif", nullptr)
                .stored());
        QCOMPARE(readFile(dir.path() + "/a.gif"), QByteArray("GIF89a-local"));
        QVERIFY(downloader.downloadToFile("data:image/gif;base64,R0lGODlh", dir.path() + "/b.gif", nullptr)
                    .stored());
        QCOMPARE(readFile(dir.path() + "/b.gif"), QByteArray("GIF89a"));
        QCOMPARE(downloader
                     .downloadToFile(QUrl::fromLocalFile(dir.path() + "/none.gif").toString(),
                                     dir.path() + "/c.gif", nullptr)
                     .kind,
                 StoreOutcome::kFailed);
        QVERIFY(!QFile::exists(dir.path() + "/c.gif"));
        // An existing target is never written to.
        QCOMPARE(downloader.downloadToFile(server_.url("/big.png"), source, nullptr).kind,
                 StoreOutcome::kFailed);
        QCOMPARE(readFile(source), QByteArray("GIF89a-local"));
    }

    void sendsProgramNameAsUserAgent() {
        QTemporaryDir dir;
        server_.clearRequests();
        Downloader downloader;
        QVERIFY(downloader.downloadToFile(server_.url("/big.png"), dir.path() + "/a.png", nullptr).stored());
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
        QCOMPARE(downloader.downloadToFile(url, dir.path() + "/a.png", nullptr).kind, StoreOutcome::kFailed);
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
        const StoreOutcome outcome = downloader.downloadToFile(server_.url(path), target, nullptr);
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
        const StoreOutcome outcome =
            downloader.downloadToFile(server_.url("/endless.png"), target, nullptr, [&] {
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

    // "stop saving" ticked, or the window closed, while a picture trickles in: that transfer is
    // abandoned and its partial file removed, and the run ends. After "stop saving" the index page
    // describes what was stored; a closing program writes nothing more.
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
        QCOMPARE(server_.requestsFor("/big.png").size(), 1);
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
