// A preview picture as a file of its own: from a local page, the browser cache or the network (a real
// loopback server), named inside its folder whatever the address holds, and nothing left behind when
// the picture cannot be had.
#include <QtTest>

#include "common/Errors.h"
#include "save/PictureFile.h"
#include "support/FakeBrowserCache.h"
#include "support/FakePageModel.h"
#include "support/LoopbackHttpServer.h"
#include "support/SolidPng.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

const QString kPage = QStringLiteral("http://site.example/gallery.html");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// The message of the PlatformError the call throws; empty when it throws none.
template <typename Call>
QString failureOf(Call call) {
    try {
        call();
    } catch (const PlatformError& error) {
        return error.text().isEmpty() ? QStringLiteral("(no text)") : error.text();
    }
    return QString();
}

}  // namespace

class TestPictureFile : public QObject {
    Q_OBJECT

    LoopbackHttpServer server_;
    QByteArray png_ = SolidPng(QSize(7, 5), Qt::red);

  private slots:
    void initTestCase() {
        for (const char* path : {"/pics/cat.png", "/photo", "/dir/", "/..%2F..%2Fout.png", "/a%5C..%5Cb.png",
                                 "/show?f=../../../out.png"})
            server_.addPage(QString::fromLatin1(path), png_, "image/png");
        server_.addNotFound("/missing.png");
        server_.addTruncated("/cut.png", png_, png_.size() + 1000, "image/png");
        server_.addGenerated("/huge.png", png_, 8 * 1024 * 1024, "image/png");
        server_.addDrip("/drip.png", png_.repeated(40), 64, 100, png_.size() * 40, "image/png");
        server_.addCookieRequired("/private.png", "session=42", png_, "image/png");
        QVERIFY(server_.listen());
    }

    void namesStayInTheFolder_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("name");  // empty: any name, as long as it is in the folder
        QTest::newRow("its own name") << server_.url("/pics/cat.png") << "cat.png";
        QTest::newRow("type from the bytes") << server_.url("/photo") << "photo.png";
        QTest::newRow("no name") << server_.url("/dir/") << "1.png";
        QTest::newRow("escaped dots and slashes") << server_.url("/..%2F..%2Fout.png") << "";
        QTest::newRow("escaped backslashes") << server_.url("/a%5C..%5Cb.png") << "";
        QTest::newRow("slashes in the query") << server_.url("/show?f=../../../out.png") << "";
        QTest::newRow("data address")
            << "data:image/png;base64," + QString::fromLatin1(png_.toBase64()) << "1.png";
    }

    void namesStayInTheFolder() {
        QFETCH(QString, url);
        QFETCH(QString, name);
        QTemporaryDir root;
        const QString folder = root.filePath("pictures");
        PictureFile files(folder);
        const QString file = files.fileFor(url, kPage);
        QCOMPARE(QFileInfo(file).absolutePath(), QFileInfo(folder).absoluteFilePath());
        if (!name.isEmpty())
            QCOMPARE(QFileInfo(file).fileName(), name);
        QCOMPARE(readAll(file), png_);
        // Nothing beside the folder either.
        QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"pictures"});
    }

    void madeOnceAndNeverOverATakenName() {
        QTemporaryDir folder;
        QFile mine(folder.filePath("cat.png"));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.write("mine");
        mine.close();
        server_.clearRequests();
        PictureFile files(folder.path());
        const QString url = server_.url("/pics/cat.png");
        const QString file = files.fileFor(url, kPage);
        QVERIFY(file != mine.fileName());
        QCOMPARE(readAll(file), png_);
        QCOMPARE(readAll(mine.fileName()), QByteArray("mine"));
        QCOMPARE(files.fileFor(url, kPage), file);
        QCOMPARE(server_.requestsFor("/pics/cat.png").size(), 1);
        // Gone since: made again.
        QVERIFY(QFile::remove(file));
        QCOMPARE(readAll(files.fileFor(url, kPage)), png_);
    }

    void theCacheComesFirst() {
        QTemporaryDir folder;
        QTemporaryDir cacheFolder;
        const QString cached = cacheFolder.filePath("f_00001a");
        QFile body(cached);
        QVERIFY(body.open(QIODevice::WriteOnly));
        body.write(png_);
        body.close();
        FakeBrowserCache cache;
        const QString url = server_.url("/missing.png");
        cache.direct.insert(url, cached);
        server_.clearRequests();
        const QString file = PictureFile(folder.path()).fileFor(url, kPage, &cache);
        QCOMPARE(QFileInfo(file).fileName(), QStringLiteral("missing.png"));
        QCOMPARE(readAll(file), png_);
        QVERIFY(server_.requests().isEmpty());
        QVERIFY(QFile::exists(cached));
    }

    void cookiesOfTheAttachedBrowser() {
        QTemporaryDir folder;
        PictureFile files(folder.path());
        const QString url = server_.url("/private.png");
        QVERIFY(!failureOf([&] { files.fileFor(url, kPage); }).isEmpty());
        FakeBrowser browser;
        browser.cookies.insert(url, QStringLiteral("session=42"));
        QCOMPARE(readAll(files.fileFor(url, kPage, nullptr, &browser)), png_);
    }

    void localPictures_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("handedOut");
        QTest::newRow("of a local page") << "file:///home/user/page.html" << true << true;
        QTest::newRow("named by a web page") << kPage << true << false;
        QTest::newRow("gone") << "file:///home/user/page.html" << false << false;
    }

    void localPictures() {
        QFETCH(QString, page);
        QFETCH(bool, exists);
        QFETCH(bool, handedOut);
        QTemporaryDir pageFolder;
        QTemporaryDir folder;
        const QString local = pageFolder.filePath("shot.png");
        if (exists) {
            QFile file(local);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(png_);
        }
        PictureFile files(folder.path());
        QString file;
        const QString failure =
            failureOf([&] { file = files.fileFor(QUrl::fromLocalFile(local).toString(), page); });
        QCOMPARE(failure.isEmpty(), handedOut);
        // The file itself: nothing is copied.
        QCOMPARE(file, handedOut ? local : QString());
        QVERIFY(filesIn(folder.path()).isEmpty());
    }

    void failuresLeaveNothing_data() {
        QTest::addColumn<QString>("url");
        QTest::newRow("not found") << server_.url("/missing.png");
        QTest::newRow("cut short") << server_.url("/cut.png");
        QTest::newRow("too big") << server_.url("/huge.png");
        QTest::newRow("too slow") << server_.url("/drip.png");
        QTest::newRow("nobody listening") << "http://127.0.0.1:1/a.png";
        QTest::newRow("another scheme") << "ftp://127.0.0.1/a.png";
        QTest::newRow("script") << "javascript:alert(1)";
    }

    void failuresLeaveNothing() {
        QFETCH(QString, url);
        QTemporaryDir folder;
        PictureFile::Limits limits;
        limits.maxBytes = 1024 * 1024;
        limits.deadlineMs = 1500;
        PictureFile files(folder.path(), limits);
        QElapsedTimer took;
        took.start();
        const QString failure = failureOf([&] { files.fileFor(url, kPage); });
        QVERIFY2(!failure.isEmpty(), "no failure");
        QVERIFY2(failure.contains(url.left(20)), qPrintable(failure));
        QVERIFY(filesIn(folder.path()).isEmpty());
        QVERIFY2(took.elapsed() < 15000, "the bounds did not hold");
    }
};

QTEST_GUILESS_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
