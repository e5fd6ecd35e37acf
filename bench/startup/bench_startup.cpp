// Start-up of grabnest on the demo gallery, five runs, medians:
//   startup_ms  from the window's first showing to the preview listing the pictures (timer included)
//   launch_ms   from the process start to the same moment
#include <algorithm>
#include <cstdio>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include "ChromiumProcess.h"
#include "LoopbackHttpServer.h"

using namespace vorlaken::test;

namespace {

struct Run {
    qint64 startupMs = -1;
    qint64 launchMs = -1;
    int rows = 0;
};

// One start of a fresh copy of grabnest; its timing line tells when it showed and listed.
Run runOnce(const QString& devtools) {
    QTemporaryDir program;
    QTemporaryDir runtime;
    QFile(runtime.path())
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    for (const QString& name : {QStringLiteral("grabnest"), QStringLiteral("grabnest.htm")})
        QFile::copy(QStringLiteral(VORLAKEN_PROGRAM_DIR "/") + name, program.filePath(name));

    QProcess grabnest;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VORLAKEN_TIMING"), QStringLiteral("1"));
    env.insert(QStringLiteral("VORLAKEN_DEVTOOLS"), devtools);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    if (!env.contains(QStringLiteral("DISPLAY")) && !env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    grabnest.setProcessEnvironment(env);
    grabnest.setStandardOutputFile(QProcess::nullDevice());

    Run run;
    const qint64 spawned = QDateTime::currentMSecsSinceEpoch();
    grabnest.start(program.filePath(QStringLiteral("grabnest")), {});
    QElapsedTimer clock;
    clock.start();
    QByteArray err;
    while (clock.elapsed() < 30000 && grabnest.state() != QProcess::NotRunning) {
        grabnest.waitForReadyRead(200);
        err += grabnest.readAllStandardError();
        const qsizetype at = err.indexOf("grabnest_timing");
        if (at < 0 || err.indexOf('\n', at) < 0)
            continue;
        // grabnest_timing shown_epoch_ms S listed_epoch_ms L rows N
        const QList<QByteArray> words = err.mid(at, err.indexOf('\n', at) - at).split(' ');
        if (words.size() >= 7) {
            const qint64 shown = words.at(2).toLongLong();
            const qint64 listed = words.at(4).toLongLong();
            run.startupMs = listed - shown;
            run.launchMs = listed - spawned;
            run.rows = words.at(6).toInt();
        }
        break;
    }
    grabnest.kill();
    grabnest.waitForFinished(5000);
    return run;
}

qint64 median(QList<qint64> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    LoopbackHttpServer server;
    if (!server.listen()) {
        std::fprintf(stderr, "bench_startup: no loopback port\n");
        return 1;
    }
    server.setRoot(QStringLiteral(VORLAKEN_DEMO_DIR));
    ChromiumProcess chromium;
    if (!chromium.start(server.url(QStringLiteral("/index.html")))) {
        std::fprintf(stderr, "bench_startup: %s\n", qPrintable(chromium.errorString()));
        return 1;
    }
    QList<qint64> startup;
    QList<qint64> launch;
    for (int i = 0; i < 5; ++i) {
        const Run run = runOnce(chromium.endpoint());
        if (run.startupMs < 0 || run.rows != 9) {
            std::fprintf(stderr, "bench_startup: run %d listed %d pictures (expected 9)\n", i + 1, run.rows);
            return 1;
        }
        startup << run.startupMs;
        launch << run.launchMs;
    }
    std::printf("startup_ms %lld\n", static_cast<long long>(median(startup)));
    std::printf("launch_ms %lld\n", static_cast<long long>(median(launch)));
    return 0;
}
