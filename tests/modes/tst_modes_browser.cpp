// The multipage and interval runs against a real browser, over every way the program reaches one
// (one data row per back-end): pages, a clicked script link on the page and in a cross-site frame,
// going back, test mode, "stop" during a wait, an empty list, an address the browser refuses, and a
// slide show whose picture changes by script, all on the pages of RunSite.
#include <QTest>
#include <QTimer>

#include "RunBackEnds.h"
#include "capture/CaptureState.h"
#include "modes/IntervalRun.h"
#include "modes/ModesState.h"
#include "modes/MultipageRun.h"
#include "modes/RunServices.h"
#include "modes/RunSteps.h"
#include "support/ChromiumProcess.h"
#include "support/FakeDesktop.h"
#include "support/LoopbackHttpServer.h"
#include "support/RunSite.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

// One second of the pages' time controls, shortened: the display time of 5 lasts 1.5 s.
constexpr int kSecondMs = 300;

// A run on the state the window would own, over a back-end's browser.
struct BrowserRun {
    CaptureState capture;
    ModesState modes;
    StopSwitch stop;
    FakeDesktop desktop;
    RunServices services;
    std::function<void()> onRefresh;

    explicit BrowserRun(RunBackEnd& backEnd) {
        capture.enhancedFilters.widthLimit = 0;
        capture.enhancedFilters.heightLimit = 0;
        services.finder = &backEnd.finder();
        services.desktop = &desktop;
        services.clearResult = [this] { capture.table.clear(); };
        services.refresh = [this] {
            if (onRefresh)
                onRefresh();
        };
        services.secondMs = kSecondMs;
        modes.multipage.displaySeconds = 5;
    }

    QStringList pictures() const {
        QStringList paths;
        for (const QString& url : capture.table.picUrl)
            paths << QUrl(url).path();
        return paths;
    }
    void runMultipage() { MultipageRun(services).Run(capture, modes, stop); }
};

}  // namespace

class ModesBrowserTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanupTestCase();
    void multipageOverPagesLinksAndAFrame_data() { RunBackEnds::addRows(); }
    void multipageOverPagesLinksAndAFrame();
    void testModeGoesBackBeforeTheCapture_data() { RunBackEnds::addRows(); }
    void testModeGoesBackBeforeTheCapture();
    void stopDuringAWait_data() { RunBackEnds::addRows(); }
    void stopDuringAWait();
    void emptyList_data() { RunBackEnds::addRows(); }
    void emptyList();
    void refusedNavigationEndsTheRun_data() { RunBackEnds::addRows(); }
    void refusedNavigationEndsTheRun();
    void intervalOverASlideShow_data() { RunBackEnds::addRows(); }
    void intervalOverASlideShow();

  private:
    // The current row's back-end showing the start page; null (test failed) otherwise.
    RunBackEnd* onStartPage();

    LoopbackHttpServer server_;
};

void ModesBrowserTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    RunSite::serve(server_);
}

void ModesBrowserTest::cleanupTestCase() {
    RunBackEnds::stopAll();
}

RunBackEnd* ModesBrowserTest::onStartPage() {
    RunBackEnd* backEnd = RunBackEnds::current();
    if (!backEnd)
        return nullptr;
    server_.addPage("/start.html", RunSite::startPage());
    if (!backEnd->open(server_.url("/start.html"))) {
        QTest::qFail("The browser did not show the start page.", __FILE__, __LINE__);
        return nullptr;
    }
    server_.clearRequests();
    return backEnd;
}

void ModesBrowserTest::multipageOverPagesLinksAndAFrame() {
    RunBackEnd* backEnd = onStartPage();
    if (!backEnd)
        return;
    // The way back to the start page takes a while, so the run ends before it is there.
    server_.addDelayed("/start.html", 3000, RunSite::startPage());
    BrowserRun run(*backEnd);
    run.modes.multipage.urlList =
        QStringLiteral("%1\njavascript:next()\n%2\n  JavaScript:more()  \n%3")
            .arg(server_.url("/p1.html"), server_.url("/p2.html"), server_.url("/p3.html"));
    run.runMultipage();

    QCOMPARE(run.pictures(),
             (QStringList{"/pic/a.png", "/pic/b.png", "/pic/c.png", "/pic/d.png", "/pic/e.png"}));
    // The picture of the frame comes from the frame's site.
    QCOMPARE(QUrl(run.capture.table.picUrl.at(3)).host(), QStringLiteral("localhost"));
    QCOMPARE(run.capture.table.pageUrl.at(3), server_.localhostUrl("/frame.html"));
    QCOMPARE(run.modes.multipage.positionLabel, QStringLiteral("URL:5/5"));
    QCOMPARE(run.modes.multipage.countLabel, QStringLiteral("Get pictures:5"));
    QCOMPARE(run.capture.countLabel, QStringLiteral("5"));
    QVERIFY(run.modes.multipage.saveEnabled);
    QCOMPARE(run.desktop.messages, QStringList{RunSteps::kNotBackMessage});
    // The browser does go back to the start page.
    const auto location = [backEnd] {
        try {
            BrowserPtr shown = backEnd->finder().discover();
            return shown ? shown->locationUrl() : QString();
        } catch (const PageError&) {
            return QString();
        }
    };
    QTRY_COMPARE_WITH_TIMEOUT(location(), server_.url("/start.html"), 30000);
}

void ModesBrowserTest::testModeGoesBackBeforeTheCapture() {
    RunBackEnd* backEnd = onStartPage();
    if (!backEnd)
        return;
    BrowserRun run(*backEnd);
    run.modes.multipage.testMode = true;
    run.modes.multipage.navigateBack = true;
    run.modes.multipage.backSeconds = 3;
    run.modes.multipage.urlList =
        QStringLiteral("%1\n%2").arg(server_.url("/p1.html"), server_.url("/p2.html"));
    run.runMultipage();
    // p1 was shown, then the browser went back to the start page, which was captured.
    QCOMPARE(server_.requestsFor("/p1.html").size(), 1);
    QVERIFY(server_.requestsFor("/p2.html").isEmpty());
    QCOMPARE(run.pictures(), QStringList{"/pic/s.png"});
    QCOMPARE(run.modes.multipage.positionLabel, QStringLiteral("URL:1/2"));
    QVERIFY(run.desktop.messages.isEmpty());
}

void ModesBrowserTest::stopDuringAWait() {
    RunBackEnd* backEnd = onStartPage();
    if (!backEnd)
        return;
    BrowserRun run(*backEnd);
    run.modes.multipage.displaySeconds = 600;  // three minutes here
    run.modes.multipage.urlList =
        QStringLiteral("%1\n%2").arg(server_.url("/p1.html"), server_.url("/p2.html"));
    // "stop" is ticked once the browser has asked for the first page.
    QTimer watch;
    connect(&watch, &QTimer::timeout, &run.stop, [&] {
        if (!server_.requestsFor("/p1.html").isEmpty()) {
            run.stop.setTicked(true);
            watch.stop();
        }
    });
    watch.start(20);
    QElapsedTimer clock;
    clock.start();
    run.runMultipage();
    QVERIFY(clock.elapsed() < 60000);
    QVERIFY(run.capture.table.isEmpty());
    QVERIFY(server_.requestsFor("/p2.html").isEmpty());
    QVERIFY(!run.stop.isTicked());
    QVERIFY(!run.modes.multipage.running);
    QVERIFY(run.modes.buttonBarVisible);
}

void ModesBrowserTest::emptyList() {
    RunBackEnd* backEnd = onStartPage();
    if (!backEnd)
        return;
    BrowserRun run(*backEnd);
    run.runMultipage();
    QVERIFY(run.capture.table.isEmpty());
    QVERIFY(run.desktop.messages.isEmpty());
    QVERIFY(!run.modes.multipage.running);
}

void ModesBrowserTest::refusedNavigationEndsTheRun() {
    RunBackEnd* backEnd = onStartPage();
    if (!backEnd)
        return;
    BrowserRun run(*backEnd);
    run.modes.multipage.urlList = QStringLiteral("http://[::1\n%1").arg(server_.url("/p1.html"));
    run.runMultipage();
    QVERIFY(run.capture.table.isEmpty());
    QVERIFY(server_.requestsFor("/p1.html").isEmpty());
    QCOMPARE(run.modes.multipage.positionLabel, QStringLiteral("URL:1/2"));
    QVERIFY(!run.modes.multipage.running);
    // Still on the start page: no message.
    QVERIFY(run.desktop.messages.isEmpty());
}

void ModesBrowserTest::intervalOverASlideShow() {
    RunBackEnd* backEnd = RunBackEnds::current();
    if (!backEnd)
        return;
    QVERIFY(backEnd->open(server_.url("/slides.html")));
    server_.clearRequests();
    BrowserRun run(*backEnd);
    run.modes.interval.interval = QStringLiteral("0.1");
    int captures = 0;
    run.onRefresh = [&] {
        if (run.modes.interval.countLabel != QLatin1String("Get pictures:0"))
            ++captures;
        // Every picture of the show is in: the user stops. A show that stalls is stopped too.
        if (run.modes.interval.running && (run.capture.table.size() == 3 || captures > 400))
            run.stop.setTicked(true);
    };
    IntervalRun(run.services, QLocale(QLocale::English)).Run(run.capture, run.modes, run.stop);
    QCOMPARE(run.pictures(), (QStringList{"/pic/1.png", "/pic/2.png", "/pic/3.png"}));
    QCOMPARE(run.modes.interval.countLabel, QStringLiteral("Get pictures:3"));
    // The same picture on many ticks is listed once; the page is never loaded again.
    QVERIFY(captures > 3);
    QVERIFY(server_.requestsFor("/slides.html").isEmpty());
    QVERIFY(!run.modes.interval.running);
    QVERIFY(!run.stop.isTicked());
}

QTEST_MAIN(ModesBrowserTest)
#include "tst_modes_browser.moc"
