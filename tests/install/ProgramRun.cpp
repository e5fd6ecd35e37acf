#include "ProgramRun.h"

#include <csignal>
#include <utility>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QTest>

namespace vorlaken::test {

ProgramRun::ProgramRun(InstalledProgram program) : program_(std::move(program)) {
    QFile(runtime_.path())
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

ProgramRun::~ProgramRun() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(10000);
    }
}

QString ProgramRun::startAnswerAndEnd(const QString& executable) {
    QString failed = start(executable);
    if (failed.isEmpty())
        failed = waitUntilAnswering();
    if (failed.isEmpty())
        failed = endAsTheSessionWould();
    return failed;
}

QString ProgramRun::start(const QString& executable) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home_.path());
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.insert(QStringLiteral("XDG_CACHE_HOME"), cache_.path());
    env.insert(QStringLiteral("TIDEWELL_CACHE"), cache_.path());
    // A loopback port nothing listens on: no browser is attached.
    env.insert(QStringLiteral("VORLAKEN_DEVTOOLS"), QStringLiteral("http://127.0.0.1:9"));
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(executable, {});
    return process_.waitForStarted() ? QString() : executable + QStringLiteral(": ") + process_.errorString();
}

QString ProgramRun::waitUntilAnswering() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        return QStringLiteral("no session bus");
    if (!QTest::qWaitFor([&] { return bus->isServiceRegistered(program_.service).value(); }, 60000))
        return program_.service + QStringLiteral(" never registered");
    if (program_.command != QLatin1String("grabnest"))
        return QString();
    QDBusInterface window(program_.service, program_.objectPath, program_.service);
    const auto getEnabled = [&window] {
        const QDBusReply<QString> reply =
            window.call(QStringLiteral("Control"), QStringLiteral("getbtn.enabled"));
        return reply.isValid() && reply.value() == QLatin1String("1");
    };
    return QTest::qWaitFor(getEnabled, 30000) ? QString() : QStringLiteral("\"Get\" never came back");
}

QString ProgramRun::endAsTheSessionWould() {
    ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(60000))
        return QStringLiteral("still running a minute after SIGTERM");
    if (process_.exitStatus() != QProcess::NormalExit || process_.exitCode() != 0)
        return QStringLiteral("ended with status %1").arg(process_.exitCode());
    return QString();
}

QString ProgramRun::userSettingsFile() const {
    return home_.filePath(QStringLiteral(".config/vorlaken/") + program_.settingsFile);
}

}  // namespace vorlaken::test
