// The interval run over a fake browser: the interval as typed, the captures until "stop", what the run
// shows meanwhile and what it gives back, also when the page can no longer be read.
#include <QTest>

#include "RunFixture.h"
#include "modes/IntervalRun.h"
#include "modes/RunSteps.h"

using namespace vorlaken;

class IntervalRunTest : public QObject {
    Q_OBJECT
  private slots:
    void interval_data();
    void interval();
    void capturesUntilStopMergingNewPictures();
    void stopTickedBeforeGetMakesOneCapture();
    void intervalMessagesChangeNothing_data();
    void intervalMessagesChangeNothing();
    void pageThatCannotBeReadEndsTheRun();
    void withoutBrowserNothingHappens();
};

void IntervalRunTest::interval_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("ms");  // -1: invalid, -2: too short
    QTest::newRow("whole seconds") << "en_US"
                                   << "5" << 5000;
    QTest::newRow("the smallest") << "en_US"
                                  << "0.1" << 100;
    QTest::newRow("finer than the hint") << "en_US"
                                         << "0.25" << 250;
    QTest::newRow("fraction cut off") << "en_US"
                                      << "1.0009" << 1000;
    QTest::newRow("blanks around") << "en_US"
                                   << " 2 " << 2000;
    QTest::newRow("below the smallest") << "en_US"
                                        << "0.09" << -2;
    QTest::newRow("negative") << "en_US"
                              << "-1" << -2;
    QTest::newRow("no number") << "en_US"
                               << "abc" << -1;
    QTest::newRow("empty") << "en_US"
                           << "" << -1;
    QTest::newRow("grouped thousands") << "en_US"
                                       << "1,000" << -1;
    QTest::newRow("not a finite number") << "en_US"
                                         << "inf" << -1;
    QTest::newRow("longer than a timer") << "en_US"
                                         << "1e12" << INT_MAX;
    QTest::newRow("comma where it separates") << "de_DE"
                                              << "0,5" << 500;
    QTest::newRow("point where it groups") << "de_DE"
                                           << "0.5" << -1;
}

void IntervalRunTest::interval() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(int, ms);
    QString message;
    const std::optional<int> got = IntervalRun::intervalMs(text, QLocale(locale), &message);
    if (ms >= 0) {
        QCOMPARE(got, std::optional<int>(ms));
        QVERIFY(message.isEmpty());
    } else {
        QVERIFY(!got);
        QCOMPARE(message, ms == -1 ? IntervalRun::kInvalidMessage : IntervalRun::kTooShortMessage);
    }
}

void IntervalRunTest::capturesUntilStopMergingNewPictures() {
    RunFixture f;
    f.modes.interval.interval = QStringLiteral("0.1");
    f.modes.interval.savedLabel = QStringLiteral("Saved:3/3");
    f.modes.interval.saveEnabled = true;
    f.capture.merge = false;
    // The slide show: a new picture on some ticks, the same one again on others. After the fourth
    // capture the user ticks "stop".
    const QStringList shows = {"/1.jpg", "/1.jpg", "/2.jpg", "/3.jpg"};
    int captures = 0;
    QStringList counters;
    f.services.renderPreview = [&] {
        ++captures;
        counters << QString::number(f.capture.table.size());
        if (captures == int(shows.size())) {
            f.stop.setTicked(true);
            return;
        }
        f.browser->showHtml(
            RunFixture::kStart,
            RunFixture::page("s",
                             QStringLiteral("<img src='%1' width=100 height=100>").arg(shows.at(captures))));
    };
    f.browser->showHtml(
        RunFixture::kStart,
        RunFixture::page("s", QStringLiteral("<img src='%1' width=100 height=100>").arg(shows.at(0))));
    IntervalRun(f.services, QLocale(QLocale::English)).Run(f.capture, f.modes, f.stop);

    QCOMPARE(f.pictures(), (QStringList{"/1.jpg", "/2.jpg", "/3.jpg"}));
    QCOMPARE(counters, (QStringList{"1", "1", "2", "3"}));
    QCOMPARE(f.modes.interval.countLabel, QStringLiteral("Get pictures:3"));
    QCOMPARE(f.modes.interval.savedLabel, QStringLiteral("Saved:0/0"));
    QCOMPARE(f.shown.at(0), std::make_tuple(true, false, true));
    QVERIFY(!f.modes.interval.running);
    QVERIFY(f.modes.buttonBarVisible);
    QVERIFY(!f.capture.merge);
    QVERIFY(!f.stop.isTicked());
    QCOMPARE(f.capture.countLabel, QStringLiteral("3"));
    QVERIFY(f.capture.getEnabled);
    QVERIFY(f.capture.saveEnabled);
    QVERIFY(f.modes.interval.saveEnabled);
    QVERIFY(f.browser->navigated.isEmpty());
    QVERIFY(f.desktop.messages.isEmpty());
}

void IntervalRunTest::stopTickedBeforeGetMakesOneCapture() {
    RunFixture f;
    f.capture.table.append("http://site/old.jpg", "1*1", kPlaceholderLinkUrl, RunFixture::kStart);
    f.desktop.answers << Desktop::Answer::Yes;
    f.stop.setTicked(true);
    IntervalRun(f.services).Run(f.capture, f.modes, f.stop);
    QCOMPARE(f.desktop.questions.size(), 1);
    QCOMPARE(f.desktop.questions[0].text, RunSteps::kClearQuestion);
    QCOMPARE(f.pictures(), QStringList{"/s.jpg"});
    QCOMPARE(f.renders, 1);
    QVERIFY(!f.stop.isTicked());
    QVERIFY(!f.modes.interval.running);
}

void IntervalRunTest::intervalMessagesChangeNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("no number") << "" << IntervalRun::kInvalidMessage;
    QTest::newRow("too short") << "0.09" << IntervalRun::kTooShortMessage;
}

void IntervalRunTest::intervalMessagesChangeNothing() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    RunFixture f;
    f.capture.table.append("http://site/old.jpg", "1*1", kPlaceholderLinkUrl, RunFixture::kStart);
    f.modes.interval.interval = text;
    IntervalRun(f.services, QLocale(QLocale::English)).Run(f.capture, f.modes, f.stop);
    QCOMPARE(f.desktop.messages, QStringList{message});
    QCOMPARE(f.desktop.messageCaptions, QStringList{"Hint"});
    QVERIFY(f.desktop.questions.isEmpty());
    QCOMPARE(f.pictures(), QStringList{"/old.jpg"});
    QVERIFY(f.shown.isEmpty());
}

void IntervalRunTest::pageThatCannotBeReadEndsTheRun() {
    RunFixture f;
    f.modes.interval.interval = QStringLiteral("0.1");
    f.capture.merge = false;
    // The page goes away after the first capture.
    f.services.renderPreview = [&f] { f.browser->page->failing.insert(QStringLiteral("images")); };
    IntervalRun(f.services, QLocale(QLocale::English)).Run(f.capture, f.modes, f.stop);
    QCOMPARE(f.pictures(), QStringList{"/s.jpg"});
    QVERIFY(!f.modes.interval.running);
    QVERIFY(f.modes.buttonBarVisible);
    QVERIFY(!f.capture.merge);
    QCOMPARE(f.capture.countLabel, QStringLiteral("1"));
    QVERIFY(f.modes.interval.saveEnabled);
}

void IntervalRunTest::withoutBrowserNothingHappens() {
    RunFixture f;
    f.finder.browser = nullptr;
    f.modes.interval.interval = QStringLiteral("abc");
    IntervalRun(f.services).Run(f.capture, f.modes, f.stop);
    QVERIFY(f.desktop.messages.isEmpty());
    QVERIFY(f.shown.isEmpty());
}

QTEST_GUILESS_MAIN(IntervalRunTest)
#include "tst_intervalrun.moc"
