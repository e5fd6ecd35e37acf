#include <QtTest>

#include "SaveFixture.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "save/Downloader.h"
#include "support/BrowserDiscovery.h"
#include "support/ChromiumProcess.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

// A picture behind a session cookie that a real browser holds: the save run sends the attached
// browser's cookies, as the browser itself would.
class TestSaveCookies : public QObject {
    Q_OBJECT

    LoopbackHttpServer server_;
    std::unique_ptr<ChromiumProcess> chromium_;

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
        DevToolsBrowserFinder finder;
        BrowserPtr browser = DiscoverWhenReady(finder);
        QVERIFY(browser);
        const QString url = server_.url("/private/a.png");
        QVERIFY(QTest::qWaitFor([&] { return browser->cookieHeader(url).contains("session=42"); }, 20000));

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
};

QTEST_GUILESS_MAIN(TestSaveCookies)
#include "tst_savecookies.moc"
