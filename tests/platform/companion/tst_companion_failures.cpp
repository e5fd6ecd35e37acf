// What goes wrong while grabnest works through the companion costs one bound at most, never a hang or
// a crash: a page that stops answering, a browser that closes, a tab that navigates away and an
// extension that is disabled, each in the middle of a capture; and discovery where no browser is.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QLocalServer>
#include <QTest>
#include <QTimer>

#include "../devtools/BrowserProbe.h"
#include "CompanionProbe.h"
#include "capture/CaptureState.h"
#include "capture/GetCommand.h"
#include "platform/companion/CompanionBrowserFinder.h"
#include "platform/companion/CompanionConnection.h"
#include "platform/companion/CompanionNames.h"
#include "platform/devtools/DevToolsConnection.h"
#include "platform/devtools/PageTargets.h"
#include "support/ChromiumProcess.h"
#include "support/CompanionRuntime.h"
#include "support/FirefoxProcess.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

constexpr int kBound = CompanionConnection::kBoundMs;
// What a bound may take beyond itself on a busy machine.
constexpr int kSlack = 1500;

const char kPage[] =
    "<html><head><title>Pictures</title></head><body><img src=\"/a.png\" width=10 height=10>"
    "<button onclick=\"for (;;);\">stuck</button></body></html>";

enum class Event { None, BrowserCloses, TabNavigatesAway, ExtensionDisabled };

// A DevTools connection to the browser's first page.
DevToolsConnectionPtr firstPage(ChromiumProcess& chromium) {
    return DevToolsConnection::open(
        QUrl(QStringLiteral("ws://127.0.0.1:%1/devtools/page/").arg(chromium.port()) +
             ListPageTargets(QUrl(chromium.endpoint()), 3000).front().id));
}

// The browser's extensions page, where a user disables an extension; opened ahead, so that disabling
// is one message when it is time.
class ExtensionsPage {
  public:
    explicit ExtensionsPage(ChromiumProcess& chromium) {
        const QString id = firstPage(chromium)
                               ->call(QStringLiteral("Target.createTarget"),
                                      {{QStringLiteral("url"), QStringLiteral("chrome://extensions")}})
                               .value(QLatin1String("targetId"))
                               .toString();
        page_ = DevToolsConnection::open(
            QUrl(QStringLiteral("ws://127.0.0.1:%1/devtools/page/%2").arg(chromium.port()).arg(id)));
    }
    bool ready() {
        return QTest::qWaitFor(
            [this] { return evaluate(QStringLiteral("!!(window.chrome && chrome.management)")); }, 10000);
    }
    void disable() {
        page_->post(
            QStringLiteral("Runtime.evaluate"),
            {{QStringLiteral("expression"), QStringLiteral("chrome.management.setEnabled('%1', false)")
                                                .arg(QLatin1String(CompanionNames::kChromiumExtensionId))}});
    }

  private:
    bool evaluate(const QString& expression) {
        return page_
            ->call(QStringLiteral("Runtime.evaluate"),
                   {{QStringLiteral("expression"), expression}, {QStringLiteral("returnByValue"), true}})
            .value(QLatin1String("result"))
            .toObject()
            .value(QLatin1String("value"))
            .toBool();
    }
    DevToolsConnectionPtr page_;
};

}  // namespace

class CompanionFailuresTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void captureCostsOneBound_data();
    void captureCostsOneBound();
    void firefoxClosingDuringACall();
    void closedTabIsGone();
    void discoveryWithoutBrowser();
    void requestsBeyondTheBrowsersLimitAreRefused();

  private:
    // A browser with the extension on /page.html, and that page through it once it has loaded.
    BrowserPtr startOnPage(const CompanionRuntime& runtime, ChromiumProcess& chromium);

    LoopbackHttpServer server_;
};

BrowserPtr CompanionFailuresTest::startOnPage(const CompanionRuntime& runtime, ChromiumProcess& chromium) {
    const QString url = server_.url(QStringLiteral("/page.html"));
    if (!chromium.start(url, runtime.prepare(chromium))) {
        qWarning("%s", qPrintable(chromium.errorString()));
        return nullptr;
    }
    const BrowserPtr page = runtime.waitForBrowser();
    return page && companionprobe::waitForLoaded(*page, url) ? page : nullptr;
}

void CompanionFailuresTest::initTestCase() {
    QVERIFY(server_.listen());
    server_.addPage(QStringLiteral("/page.html"), kPage);
    server_.addPage(QStringLiteral("/other.html"),
                    "<html><head><title>Other</title></head><body>o</body></html>");
    server_.addPage(QStringLiteral("/a.png"), QByteArray::fromHex("89504e470d0a1a0a"), "image/png");
}

void CompanionFailuresTest::captureCostsOneBound_data() {
    QTest::addColumn<Event>("event");
    QTest::newRow("page stops answering") << Event::None;
    QTest::newRow("browser closes") << Event::BrowserCloses;
    QTest::newRow("tab navigates away") << Event::TabNavigatesAway;
    QTest::newRow("extension disabled") << Event::ExtensionDisabled;
}

void CompanionFailuresTest::captureCostsOneBound() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QFETCH(Event, event);
    CompanionRuntime runtime;
    ChromiumProcess chromium;
    QVERIFY2(chromium.start(QStringLiteral("about:blank"), runtime.prepare(chromium)),
             qPrintable(chromium.errorString()));
    qputenv("VORLAKEN_DEVTOOLS", chromium.endpoint().toLatin1());
    // The extension is there before the page is opened: a navigation in a browser that is still
    // starting may be lost.
    QVERIFY(runtime.waitForBrowser());
    const BrowserPtr page = probe::openPage(server_.url(QStringLiteral("/page.html")));
    QVERIFY(page);

    // Whatever happens meanwhile is ready to be one message.
    const QString other = server_.localhostUrl(QStringLiteral("/other.html"));
    const DevToolsConnectionPtr tab = firstPage(chromium);
    std::unique_ptr<ExtensionsPage> extensions;
    if (event == Event::ExtensionDisabled) {
        extensions = std::make_unique<ExtensionsPage>(chromium);
        QVERIFY(extensions->ready());
    }
    // The page's script holds its thread from now on: a read of its document cannot be answered.
    probe::evaluateInPage(*page, QStringLiteral("setTimeout(() => { for (;;); }, 0), true"));
    QTimer::singleShot(300, [&] {
        if (event == Event::BrowserCloses)
            chromium.kill();
        else if (event == Event::TabNavigatesAway)
            tab->post(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), other}});
        else if (event == Event::ExtensionDisabled)
            extensions->disable();
    });

    CaptureState state;
    state.table.append(QStringLiteral("http://before/p.png"), QStringLiteral("1*1"), QString(), QString());
    CompanionBrowserFinder finder(runtime.socketFolder());
    QElapsedTimer clock;
    clock.start();
    GetCommand(finder, [] {}).Run(state, false);
    QVERIFY2(clock.elapsed() < kBound + kSlack, qPrintable(QString::number(clock.elapsed())));
    // The capture failed as a whole: the table is what it was, and Get can be used again. A tab that
    // moved on may instead have been read as it is now: a whole capture of the other page.
    const bool readOther =
        event == Event::TabNavigatesAway && state.titleItems == QStringList{QStringLiteral("Other")};
    QCOMPARE(state.table.picUrl,
             readOther ? QStringList() : QStringList{QStringLiteral("http://before/p.png")});
    QVERIFY(state.getEnabled);

    // Afterwards: the tab that moved on is read again; a browser or extension that went is not found,
    // and that is quick.
    clock.restart();
    if (event == Event::TabNavigatesAway) {
        QVERIFY(companionprobe::waitForLoaded(*runtime.waitForBrowser(), other));
        CaptureState next;
        GetCommand(finder, [] {}).Run(next, false);
        QCOMPARE(next.titleItems, QStringList{QStringLiteral("Other")});
    } else if (event != Event::None) {
        QTRY_VERIFY_WITH_TIMEOUT(!finder.discover(), kBound + kSlack);
        QVERIFY(clock.elapsed() < kBound + kSlack);
    }
    chromium.kill();
}

void CompanionFailuresTest::firefoxClosingDuringACall() {
    VORLAKEN_REQUIRE_FIREFOX();
    CompanionRuntime runtime;
    FirefoxProcess firefox;
    QVERIFY2(firefox.start(runtime, server_.url(QStringLiteral("/page.html"))),
             qPrintable(firefox.errorString()));
    BrowserPtr page;
    QVERIFY(QTest::qWaitFor(
        [&] {
            page = runtime.waitForBrowser(1000);
            return page && companionprobe::readyState(*page) == QLatin1String("complete");
        },
        30000));
    const ElementPtr stuck = page->document()->all()->item(page->document()->all()->length() - 1);
    QCOMPARE(stuck->tagName(), QStringLiteral("BUTTON"));
    const BrowserPtr second = CompanionBrowserFinder(runtime.socketFolder()).discover();
    QVERIFY(second);

    // The click starts a script that never ends; the browser is closed while it waits.
    QTimer::singleShot(300, [&firefox] { firefox.kill(); });
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(BrowserGoneError, stuck->click());
    QVERIFY2(clock.elapsed() < kBound, qPrintable(QString::number(clock.elapsed())));
    // Every object of that browser fails at once from now on.
    clock.restart();
    QVERIFY_THROWS_EXCEPTION(BrowserGoneError, page->locationUrl());
    QVERIFY_THROWS_EXCEPTION(BrowserGoneError, second->document());
    QVERIFY(clock.elapsed() < 500);
}

void CompanionFailuresTest::closedTabIsGone() {
    VORLAKEN_REQUIRE_CHROMIUM();
    CompanionRuntime runtime;
    ChromiumProcess chromium;
    const BrowserPtr page = startOnPage(runtime, chromium);
    QVERIFY(page);
    const DocumentPtr document = page->document();
    // Another tab comes to the front; the first one is closed behind it.
    page->openInNewWindow(server_.url(QStringLiteral("/other.html")));
    QTRY_VERIFY_WITH_TIMEOUT(
        runtime.waitForBrowser()->locationUrl() == server_.url(QStringLiteral("/other.html")), 10000);
    const QString first = ListPageTargets(QUrl(chromium.endpoint()), 3000).back().id;
    firstPage(chromium)->call(QStringLiteral("Target.closeTarget"), {{QStringLiteral("targetId"), first}});
    QTRY_VERIFY_WITH_TIMEOUT(ListPageTargets(QUrl(chromium.endpoint()), 3000).size() == 1, 10000);
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(BrowserGoneError, page->locationUrl());
    QVERIFY_THROWS_EXCEPTION(BrowserGoneError, document->images()->read(kSrc));
    QVERIFY_THROWS_EXCEPTION(BrowserGoneError, page->frames());
    QVERIFY(clock.elapsed() < kBound);
    // The browser itself is still there, with its other tab.
    QCOMPARE(runtime.waitForBrowser()->document()->title(), QStringLiteral("Other"));
}

void CompanionFailuresTest::discoveryWithoutBrowser() {
    // No folder at all; a socket file whose host has ended; a host that never answers.
    CompanionRuntime runtime;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!CompanionBrowserFinder(runtime.socketFolder()).discover());
    QVERIFY(clock.elapsed() < 500);

    QDir().mkpath(runtime.socketFolder());
    const QString leftBehind = QDir(runtime.socketFolder()).filePath(QStringLiteral("host-999999.socket"));
    {
        // A socket file that nobody listens on any more, as a killed host leaves it: moved away while
        // its server closes, and back.
        QLocalServer ended;
        QVERIFY(ended.listen(leftBehind));
        QFile(leftBehind).rename(leftBehind + QStringLiteral(".keep"));
    }
    QFile(leftBehind + QStringLiteral(".keep")).rename(leftBehind);
    QLocalServer silent;
    QVERIFY(silent.listen(QDir(runtime.socketFolder()).filePath(QStringLiteral("host-1.socket"))));
    clock.restart();
    QVERIFY(!CompanionBrowserFinder(runtime.socketFolder()).discover());
    QVERIFY2(clock.elapsed() < kBound + kSlack, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!QFile::exists(leftBehind));
    QVERIFY(silent.isListening());
}

void CompanionFailuresTest::requestsBeyondTheBrowsersLimitAreRefused() {
    VORLAKEN_REQUIRE_CHROMIUM();
    CompanionRuntime runtime;
    ChromiumProcess chromium;
    const BrowserPtr page = startOnPage(runtime, chromium);
    QVERIFY(page);
    // A write larger than a message to the extension may be fails before it is sent, and the
    // connection goes on.
    const ElementPtr body = page->document()->body();
    QVERIFY_THROWS_EXCEPTION(PageError,
                             body->setInnerHtml(QString(CompanionNames::kMaxToExtension, QLatin1Char('x'))));
    body->setInnerHtml(QStringLiteral("<p>small</p>"));
    QCOMPARE(page->document()->body()->innerHtml(), QStringLiteral("<p>small</p>"));
}

QTEST_GUILESS_MAIN(CompanionFailuresTest)
#include "tst_companion_failures.moc"
