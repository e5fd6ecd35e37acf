// Processor time of the process during a 10 s wait of an enhanced run, with a shown window whose
// "stop" box is bound to the run's stop switch as the main window binds it. The wait must sleep on the
// event loop: a loop that polls would spend most of the ten seconds. Prints wait_cpu_ms.

#include <cstdio>
#include <ctime>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>

#include "modes/StopSwitch.h"
#include "modes/WaitPumping.h"

using namespace vorlaken;

namespace {

constexpr int kWaitMs = 10000;

double processCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCheckBox stopBox(QStringLiteral("stop"));
    stopBox.setObjectName(QStringLiteral("aachk"));
    StopSwitch stop;
    QObject::connect(&stopBox, &QCheckBox::toggled, &stop, &StopSwitch::setTicked);
    stopBox.show();
    // The window keeps living during the wait: a clock repaints it once a second.
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, &stopBox, [&] {
        ++ticks;
        stopBox.setText(QStringLiteral("stop (%1)").arg(ticks));
    });
    clock.start(1000);
    QCoreApplication::processEvents();

    QElapsedTimer wall;
    wall.start();
    const double before = processCpuMs();
    WaitPumping(kWaitMs, stop);
    const double cpu = processCpuMs() - before;
    const qint64 waited = wall.elapsed();

    if (waited < kWaitMs || ticks < kWaitMs / 1000 - 1) {
        std::fprintf(stderr, "the wait lasted %lld ms and handled %d clock ticks\n",
                     static_cast<long long>(waited), ticks);
        return 1;
    }
    std::printf("wait_cpu_ms %.1f\n", cpu);
    return 0;
}
