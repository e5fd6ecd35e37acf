#include <QElapsedTimer>
#include <QTcpServer>
#include <QtTest>

#include "SaveFixture.h"
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
        QVERIFY(downloader.downloadToFile(QUrl::fromLocalFile(source).toString(), dir.path() + "/a.gif", nullptr)
                    .stored());
        QCOMPARE(readFile(dir.path() + "/a.gif"), QByteArray("GIF89a-local"));
        QVERIFY(
            downloader.downloadToFile("data:image/gif;base64,R0lGODlh", dir.path() + "/b.gif", nullptr).stored());
        QCOMPARE(readFile(dir.path() + "/b.gif"), QByteArray("GIF89a"));
        QCOMPARE(downloader
                     .downloadToFile(QUrl::fromLocalFile(dir.path() + "/none.gif").toString(),
                                     dir.path() + "/c.gif", nullptr)
                     .kind,
                 StoreOutcome::kFailed);
        QVERIFY(!QFile::exists(dir.path() + "/c.gif"));
        // An existing target is never written to.
        QCOMPARE(downloader.downloadToFile(server_.url("/big.png"), source, nullptr).kind, StoreOutcome::kFailed);
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
