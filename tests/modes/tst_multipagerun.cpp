// The multipage run over a fake browser: entries of both kinds, the order of going back and capturing,
// test mode, "stop", the list changing while the run goes on, and every way the run ends.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "RunFixture.h"
#include "modes/MultipageRun.h"
#include "modes/NavigableUrl.h"
#include "modes/RunSteps.h"

using namespace vorlaken;

namespace {

constexpr const char* kP1 = "http://site/p1.htm";
constexpr const char* kP2 = "http://site/p2.htm";
constexpr const char* kP3 = "http://site/p3.htm";

// A site of three pages: p1 has a script link that swaps its picture, p2 a frame whose script link
// does the same in the frame, p3 one picture.
struct MultipageFixture : RunFixture {
    MultipageFixture() {
        site.insert(
            kP1, page("p1", "<img src='/a.jpg' width=100 height=100> <a href='javascript:next()'>next</a>"));
        site.insert(kP2, page("p2", "<img src='/c.jpg' width=100 height=100>"));
        site.insert(kP3, page("p3", "<img src='/e.jpg' width=100 height=100>"));
        onShown = [this](FakeBrowser& b, const QString& url) {
            if (url == QLatin1String(kP1))
                onLink(*b.page, "javascript:next()",
                       [](FakeDocument& d) { d.addImage(QStringLiteral("http://site/b.jpg"), 100, 100); });
            b.frameList.clear();
            if (url == QLatin1String(kP2)) {
                std::shared_ptr<FakeBrowser> frame =
                    b.addFrameHtml(QStringLiteral("http://site/frame.htm"),
                                   page("frame", "<a href='javascript:inFrame()'>go</a>"));
                onLink(*frame->page, "javascript:inframe()",
                       [](FakeDocument& d) { d.addImage(QStringLiteral("http://site/d.jpg"), 100, 100); });
            }
        };
        modes.multipage.displaySeconds = 5;
    }

    // What clicking the link of that address (compared as the run compares) does to the document.
    static void onLink(FakeDocument& document, const QString& address,
                       const std::function<void(FakeDocument&)>& effect) {
        for (const FakeElementPtr& e : document.elements()) {
            if (e->data.tagName == QLatin1String("A") && e->data.href.toLower() == address.toLower()) {
                FakeDocument* d = &document;
                e->onClick = [d, effect](FakeElement&) { effect(*d); };
            }
        }
    }

    void run() { MultipageRun(services).Run(capture, modes, stop); }
};

}  // namespace

class MultipageRunTest : public QObject {
    Q_OBJECT
  private slots:
    void worksThroughBothKindsOfEntry();
    void goesBackBeforeCapturingAPageAndAfterAClick();
    void testModeTakesTheFirstLineOnly();
    void stopBeforeGetOnlyUnticksIt();
    void stopDuringAWaitEndsTheRun();
    void emptyListEndsAtOnce();
    void refusedNavigationEndsTheRun();
    void entryOfAnotherSchemeIsPassedOver();
    void failingCaptureEndsTheRun();
    void startsOnlyWithABrowserAndADisplayTimeOfFive();
    void clearingTheLastPicturesIsOffered_data();
    void clearingTheLastPicturesIsOffered();
    void theListIsReadAsItStandsAtEachEntry();
    void endsWithoutMessageWhenBackOnTheStartPage();
};

void MultipageRunTest::worksThroughBothKindsOfEntry() {
    MultipageFixture f;
    // Blanks around entries, an empty line, a line of blanks and an address in capitals.
    f.modes.multipage.urlList = QStringLiteral(
                                    " http://site/p1.htm \n  javascript:next()\n\n   \n%1\n"
                                    "javascript:inFrame()\nHTTP://SITE/P3.HTM")
                                    .arg(kP2);
    f.site.insert(QStringLiteral("HTTP://SITE/P3.HTM"), f.site.value(kP3));
    f.capture.merge = false;
    f.run();

    QCOMPARE(f.pictures(), (QStringList{"/a.jpg", "/b.jpg", "/c.jpg", "/d.jpg", "/e.jpg"}));
    QCOMPARE(f.browser->navigated, (QStringList{kP1, kP2, "HTTP://SITE/P3.HTM", RunFixture::kStart}));
    QCOMPARE(f.modes.multipage.positionLabel, QStringLiteral("URL:7/7"));
    QCOMPARE(f.modes.multipage.countLabel, QStringLiteral("Get pictures:5"));
    // While it ran: the running look, the button bar hidden, every capture merged.
    QVERIFY(f.shown.size() > 2);
    QCOMPARE(f.shown.at(1), std::make_tuple(true, false, true));
    // Afterwards everything is given back and the browser is sent to the start page.
    QVERIFY(!f.modes.multipage.running);
    QVERIFY(f.modes.buttonBarVisible);
    QVERIFY(!f.capture.merge);
    QCOMPARE(f.capture.countLabel, QStringLiteral("5"));
    QVERIFY(f.capture.getEnabled);
    QVERIFY(f.capture.saveEnabled);
    QVERIFY(f.modes.multipage.saveEnabled);
    QCOMPARE(f.renders, 5);
    // The way back was only asked for: the browser still shows the last page.
    QCOMPARE(f.desktop.messages, QStringList{RunSteps::kNotBackMessage});
    QCOMPARE(f.desktop.messageCaptions, QStringList{"Hint"});
}

void MultipageRunTest::goesBackBeforeCapturingAPageAndAfterAClick() {
    MultipageFixture f;
    f.modes.multipage.navigateBack = true;
    // p1, then back to the start page before the capture; the click on p1's link is captured first.
    f.modes.multipage.urlList = QStringLiteral("%1\n%2\njavascript:next()").arg(kP1, kP2);
    f.run();
    // The first entry captures the start page (back from p1), the second the start page again (back
    // from p2), the click happens on the start page, which has no such link.
    QCOMPARE(f.pictures(), QStringList{"/s.jpg"});

    MultipageFixture g;
    g.modes.multipage.navigateBack = true;
    g.modes.multipage.urlList = QStringLiteral("javascript:next()");
    g.history << kP1;
    g.show(*g.browser, kP1);
    g.run();
    // The click shows b.jpg on p1, which is captured before going back.
    QCOMPARE(g.pictures(), (QStringList{"/a.jpg", "/b.jpg"}));
    QCOMPARE(g.browser->backs, 1);
}

void MultipageRunTest::testModeTakesTheFirstLineOnly() {
    MultipageFixture f;
    f.modes.multipage.testMode = true;
    f.modes.multipage.urlList = QStringLiteral("%1\n%2\n%3\njavascript:next()\n%1").arg(kP1, kP2, kP3);
    f.run();
    QCOMPARE(f.pictures(), QStringList{"/a.jpg"});
    QCOMPARE(f.modes.multipage.positionLabel, QStringLiteral("URL:1/5"));
}

void MultipageRunTest::stopBeforeGetOnlyUnticksIt() {
    MultipageFixture f;
    f.capture.table.append("http://site/old.jpg", "1*1", kPlaceholderLinkUrl, kP1);
    f.modes.multipage.urlList = kP1;
    f.stop.setTicked(true);
    f.run();
    QVERIFY(!f.stop.isTicked());
    QCOMPARE(f.finder.calls, 0);
    QVERIFY(f.desktop.questions.isEmpty());
    QVERIFY(f.browser->navigated.isEmpty());
    QVERIFY(f.shown.isEmpty());
}

void MultipageRunTest::stopDuringAWaitEndsTheRun() {
    MultipageFixture f;
    f.modes.multipage.displaySeconds = 600;
    f.services.secondMs = 1000;
    f.modes.multipage.urlList = QStringLiteral("%1\n%2").arg(kP1, kP2);
    // Ticked once the first page shows: its wait of ten minutes ends at once.
    auto shown = f.onShown;
    f.onShown = [&f, shown](FakeBrowser& b, const QString& url) {
        shown(b, url);
        if (url == QLatin1String(kP1))
            f.stop.setTicked(true);
    };
    QElapsedTimer clock;
    clock.start();
    f.run();
    QVERIFY(clock.elapsed() < 60000);
    QVERIFY(f.capture.table.isEmpty());
    QCOMPARE(f.browser->navigated, (QStringList{kP1, RunFixture::kStart}));
    QVERIFY(!f.stop.isTicked());
    QVERIFY(!f.modes.multipage.running);
    QVERIFY(f.modes.buttonBarVisible);
    QCOMPARE(f.desktop.messages, QStringList{RunSteps::kNotBackMessage});
}

void MultipageRunTest::emptyListEndsAtOnce() {
    MultipageFixture f;
    f.capture.merge = true;
    f.run();
    QVERIFY(f.capture.table.isEmpty());
    QCOMPARE(f.browser->navigated, QStringList{RunFixture::kStart});
    QVERIFY(!f.modes.multipage.running);
    QVERIFY(f.modes.buttonBarVisible);
    QVERIFY(f.capture.merge);
    QCOMPARE(f.capture.countLabel, QStringLiteral("0"));
    QVERIFY(!f.capture.saveEnabled);
    QVERIFY(!f.modes.multipage.saveEnabled);
    QVERIFY(f.desktop.messages.isEmpty());  // still on the start page
}

void MultipageRunTest::refusedNavigationEndsTheRun() {
    MultipageFixture f;
    f.modes.multipage.urlList = QStringLiteral("%1\nhttp://[::1\n%2").arg(kP1, kP2);
    f.run();
    QCOMPARE(f.pictures(), QStringList{"/a.jpg"});
    QCOMPARE(f.browser->navigated, (QStringList{kP1, RunFixture::kStart}));
    QCOMPARE(f.modes.multipage.positionLabel, QStringLiteral("URL:2/3"));
    QVERIFY(!f.modes.multipage.running);
    QVERIFY(f.modes.multipage.saveEnabled);
}

void MultipageRunTest::entryOfAnotherSchemeIsPassedOver() {
    MultipageFixture f;
    // Built or replaced lists may hold such lines; they only look like web addresses.
    f.modes.multipage.urlList = QStringLiteral("%1\nhttpjavascript:alert(1)\n%2").arg(kP1, kP2);
    f.run();
    QCOMPARE(f.browser->navigated, (QStringList{kP1, kP2, RunFixture::kStart}));
    QCOMPARE(f.modes.multipage.positionLabel, QStringLiteral("URL:3/3"));
    QCOMPARE(f.desktop.messages.first(), NotNavigatedMessage({"httpjavascript:alert(1)"}));
}

void MultipageRunTest::failingCaptureEndsTheRun() {
    MultipageFixture f;
    f.modes.multipage.urlList = QStringLiteral("%1\n%2\n%3").arg(kP1, kP2, kP3);
    auto shown = f.onShown;
    f.onShown = [shown](FakeBrowser& b, const QString& url) {
        shown(b, url);
        if (url == QLatin1String(kP2))
            b.page->failing.insert(QStringLiteral("images"));
    };
    f.capture.merge = false;
    f.run();
    QCOMPARE(f.pictures(), QStringList{"/a.jpg"});
    QCOMPARE(f.browser->navigated, (QStringList{kP1, kP2, RunFixture::kStart}));
    QVERIFY(!f.modes.multipage.running);
    QVERIFY(f.modes.buttonBarVisible);
    QVERIFY(!f.capture.merge);
    QCOMPARE(f.capture.countLabel, QStringLiteral("1"));
}

void MultipageRunTest::startsOnlyWithABrowserAndADisplayTimeOfFive() {
    MultipageFixture f;
    f.modes.multipage.urlList = kP1;
    f.modes.multipage.displaySeconds = 4;
    f.run();
    QCOMPARE(f.finder.calls, 0);
    f.modes.multipage.displaySeconds = 5;
    f.finder.browser = nullptr;
    f.run();
    QCOMPARE(f.finder.calls, 1);
    QVERIFY(f.shown.isEmpty());
    QVERIFY(f.browser->navigated.isEmpty());
}

void MultipageRunTest::clearingTheLastPicturesIsOffered_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("pictures");
    QTest::newRow("yes") << int(Desktop::Answer::Yes) << QStringList{"/a.jpg"};
    QTest::newRow("no") << int(Desktop::Answer::No) << QStringList{"/old.jpg", "/a.jpg"};
}

void MultipageRunTest::clearingTheLastPicturesIsOffered() {
    QFETCH(int, answer);
    QFETCH(QStringList, pictures);
    MultipageFixture f;
    f.capture.table.append("http://site/old.jpg", "1*1", kPlaceholderLinkUrl, kP1);
    f.desktop.answers << Desktop::Answer(answer);
    f.modes.multipage.urlList = kP1;
    f.run();
    QCOMPARE(f.desktop.questions.size(), 1);
    QCOMPARE(f.desktop.questions[0].text, RunSteps::kClearQuestion);
    QCOMPARE(f.desktop.questions[0].caption, QStringLiteral("Hint"));
    QCOMPARE(f.desktop.questions[0].buttons, Desktop::Buttons::YesNo);
    QCOMPARE(f.pictures(), pictures);
}

void MultipageRunTest::theListIsReadAsItStandsAtEachEntry() {
    MultipageFixture f;
    f.modes.multipage.urlList = QStringLiteral("%1\n%2").arg(kP1, kP3);
    // While p1 is shown the user puts p2 in the second line and adds a line at the end.
    f.onRefresh = [&f] {
        if (f.browser->location == QLatin1String(kP1))
            f.modes.multipage.urlList = QStringLiteral("%1\n%2\n%3").arg(kP1, kP2, kP3);
    };
    f.run();
    // Two entries, as when the run started; the second line as it reads then.
    QCOMPARE(f.pictures(), (QStringList{"/a.jpg", "/c.jpg"}));
    QCOMPARE(f.modes.multipage.positionLabel, QStringLiteral("URL:2/3"));
}

void MultipageRunTest::endsWithoutMessageWhenBackOnTheStartPage() {
    MultipageFixture f;
    f.modes.multipage.urlList = QStringLiteral("%1\n%2").arg(kP1, RunFixture::kStart);
    f.run();
    QCOMPARE(f.pictures(), (QStringList{"/a.jpg", "/s.jpg"}));
    QVERIFY(f.desktop.messages.isEmpty());
}

QTEST_GUILESS_MAIN(MultipageRunTest)
#include "tst_multipagerun.moc"
