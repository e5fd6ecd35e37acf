#include <QtTest>

#include "SaveFixture.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "save/Downloader.h"
#include "support/ChromiumProcess.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

// Pictures behind a session cookie that a real browser holds: the save run sends the attached
// browser's cookies, as the browser itself would, read once at its start.
class TestSaveCookies : public QObject {
    Q_OBJECT

    LoopbackHttpServer server_;
    std::unique_ptr<ChromiumProcess> chromium_;

    // The attached page once the browser lists it, with the session cookie it was given.
    BrowserPtr attach() {
        BrowserPtr browser;
        const QString url = server_.url("/private/a.png");
        const bool attached = QTest::qWaitFor(
            [&] {
                browser = DevToolsBrowserFinder().discover();
                try {
                    return browser && browser->cookieHeader(url).contains("session=42");
                } catch (const PageError&) {
                    return false;
                }
            },
            20000);
        return attached ? browser : nullptr;
    }

  private slots:
    void initTestCase() {
        VORLAKEN_REQUIRE_CHROMIUM();
        HttpRoute login;
        login.body = "<html><body>signed in</body></html>";
        login.headers = {{"Set-Cookie", "session=42; Path=/"}};
        server_.addRoute("/login.html", login);
        server_.addCookieRequired("/private/a.png", "session=42", QByteArray("\x89PNG\r\n\x1A\nbody", 12),
                                  "image/png");
        QVERIFY(server_.listen());
        chromium_ = std::make_unique<ChromiumProcess>();
        QVERIFY2(chromium_->start(server_.url("/login.html")), qPrintable(chromium_->errorString()));
        qputenv("VORLAKEN_DEVTOOLS", chromium_->endpoint().toLatin1());
    }
    void cleanupTestCase() {
        chromium_.reset();
        qunsetenv("VORLAKEN_DEVTOOLS");
    }

    void runSendsTheAttachedBrowsersCookie() {
        BrowserPtr browser = attach();
        QVERIFY(browser);
        const QString url = server_.url("/private/a.png");

        SaveFixture f;
        f.save.namingRule = kNumber;
        f.addPicture(url);
        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:0/1"));  // no browser attached: no cookie

        f.capture.attached = browser;
        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:1/1"));
        QCOMPARE(f.filesIn(f.saveFolder), QStringList{"1.png"});
        QCOMPARE(server_.requestsFor("/private/a.png").last().headers.value("cookie"),
                 QByteArray("session=42"));
    }

    // The attached browser killed during a save: the run goes on with the cookies it read at its
    // start, and every picture comes, also those asked for after the browser had gone.
    void browserKilledDuringASave() {
        BrowserPtr browser = attach();
        QVERIFY(browser);
        constexpr int kPictures = 10;
        SaveFixture f;
        f.save.namingRule = kNumber;
        f.capture.attached = browser;
        for (int i = 1; i <= kPictures; ++i) {
            const QString path = QStringLiteral("/private/k%1.png").arg(i);
            HttpRoute route;
            route.body = QByteArray("\x89PNG\r\n\x1A\n", 8) + QByteArray::number(i);
            route.contentType = "image/png";
            route.requiredCookie = "session=42";
            route.delayMs = 200;
            server_.addRoute(path, route);
            f.addPicture(server_.url(path));
        }
        server_.clearRequests();
        qsizetype askedBeforeKill = -1;
        f.services.refresh = [&] {
            if (askedBeforeKill < 0 && f.label == QStringLiteral("Saved:1/%1").arg(kPictures)) {
                askedBeforeKill = server_.requests().size();
                chromium_->kill();
            }
        };
        f.run();
        QVERIFY(!chromium_->isRunning());
        QVERIFY(askedBeforeKill > 0 && askedBeforeKill < kPictures);
        QCOMPARE(f.label, QStringLiteral("Saved:%1/%1").arg(kPictures));
        QCOMPARE(f.filesIn(f.saveFolder).size(), kPictures);
        const QList<HttpRequestRecord> requests = server_.requests();
        QCOMPARE(requests.size(), kPictures);
        for (const HttpRequestRecord& request : requests)
            QCOMPARE(request.headers.value("cookie"), QByteArray("session=42"));
        QVERIFY_THROWS_EXCEPTION(PageError, browser->cookieHeader(server_.url("/private/a.png")));
    }
};

QTEST_GUILESS_MAIN(TestSaveCookies)
#include "tst_savecookies.moc"
