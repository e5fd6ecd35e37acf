#include "modes/WaitPumping.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "common/Termination.h"
#include "modes/StopSwitch.h"

namespace vorlaken {

void WaitPumping(int milliseconds, const StopSwitch& stop) {
    if (stop.isTicked() || milliseconds <= 0 || Termination::requested()) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer sleepTimer;
    sleepTimer.setObjectName(QStringLiteral("sleepTimer"));
    sleepTimer.setSingleShot(true);
    // A precise timer: a run's pace is the user's interval, not a coarse approximation of it.
    sleepTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&sleepTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&stop, &StopSwitch::toggled, &loop, [&loop](bool ticked) {
        if (ticked)
            loop.quit();
    });
    Termination::quitOnTermination(loop);
    sleepTimer.start(milliseconds);
    // A tick taken back before the wait saw it does not end the wait.
    while (sleepTimer.isActive() && !stop.isTicked() && !Termination::requested())
        loop.exec();
}

}  // namespace vorlaken
