// The wait of the enhanced runs: it lasts its time with events handled meanwhile, and ends the moment
// "stop" is ticked or the program is asked to end.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "common/Termination.h"
#include "modes/StopSwitch.h"
#include "modes/WaitPumping.h"

using namespace vorlaken;

namespace {

// Far longer than any test may take: a wait that lasts it has not woken.
constexpr int kForever = 10 * 60 * 1000;
constexpr int kWoken = 60 * 1000;

}  // namespace

class WaitPumpingTest : public QObject {
    Q_OBJECT
  private slots:
    void lastsItsTimeHandlingEvents();
    void tickingStopEndsItAtOnce();
    void stopTickedBeforeHandsPendingEventsOnce_data();
    void stopTickedBeforeHandsPendingEventsOnce();
    void untickingDoesNotEndIt();
    // Last: the request to end stays for the rest of the process.
    void terminationEndsIt();
};

void WaitPumpingTest::lastsItsTimeHandlingEvents() {
    StopSwitch stop;
    bool handled = false;
    QTimer::singleShot(10, this, [&handled] { handled = true; });
    QElapsedTimer clock;
    clock.start();
    WaitPumping(200, stop);
    QVERIFY(handled);
    QVERIFY(clock.elapsed() >= 200);
}

void WaitPumpingTest::tickingStopEndsItAtOnce() {
    StopSwitch stop;
    QTimer::singleShot(20, &stop, [&stop] { stop.setTicked(true); });
    QElapsedTimer clock;
    clock.start();
    WaitPumping(kForever, stop);
    QVERIFY(clock.elapsed() < kWoken);
    QVERIFY(stop.isTicked());
}

void WaitPumpingTest::stopTickedBeforeHandsPendingEventsOnce_data() {
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("stop ticked") << true << kForever;
    QTest::newRow("no time") << false << 0;
}

void WaitPumpingTest::stopTickedBeforeHandsPendingEventsOnce() {
    QFETCH(bool, ticked);
    QFETCH(int, milliseconds);
    StopSwitch stop;
    stop.setTicked(ticked);
    int handled = 0;
    QTimer::singleShot(0, this, [&handled] { ++handled; });
    QElapsedTimer clock;
    clock.start();
    WaitPumping(milliseconds, stop);
    QCOMPARE(handled, 1);
    QVERIFY(clock.elapsed() < kWoken);
}

void WaitPumpingTest::untickingDoesNotEndIt() {
    StopSwitch stop;
    stop.setTicked(true);
    stop.setTicked(false);
    QTimer::singleShot(10, &stop, [&stop] {
        stop.setTicked(true);
        stop.setTicked(false);
    });
    QElapsedTimer clock;
    clock.start();
    WaitPumping(150, stop);
    QVERIFY(clock.elapsed() >= 150);
}

void WaitPumpingTest::terminationEndsIt() {
    StopSwitch stop;
    QTimer::singleShot(20, this, [] { Termination::announce(); });
    QElapsedTimer clock;
    clock.start();
    WaitPumping(kForever, stop);
    QVERIFY(clock.elapsed() < kWoken);
    // Asked to end already: a further wait does not begin.
    clock.restart();
    WaitPumping(kForever, stop);
    QVERIFY(clock.elapsed() < kWoken);
}

QTEST_GUILESS_MAIN(WaitPumpingTest)
#include "tst_waitpumping.moc"
