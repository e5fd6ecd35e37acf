#include "ChromiumProcess.h"

#include <sys/prctl.h>
#include <sys/types.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace vorlaken::test {

ChromiumProcess::ChromiumProcess() {
    // A process group of its own lets kill() reach the browser's helpers too; the death signal ends the
    // browser (and with it its helpers) even when the test process dies without cleaning up.
    process_.setChildProcessModifier([] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    // The browser's log is noise in test output unless asked for.
    if (qEnvironmentVariableIsEmpty("VORLAKEN_CHROMIUM_LOG")) {
        process_.setStandardErrorFile(QProcess::nullDevice());
    } else {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    process_.setStandardOutputFile(QProcess::nullDevice());
}

ChromiumProcess::~ChromiumProcess() {
    if (isRunning()) {
        close(3000);
    }
    signalGroup(SIGKILL);
}

QString ChromiumProcess::executable() {
    const QString configured = qEnvironmentVariable("VORLAKEN_CHROMIUM");
    const QString path = configured.isEmpty() ? QStringLiteral("/usr/bin/chromium") : configured;
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

QStringList ChromiumProcess::standardArguments() {
    QStringList arguments{
        QStringLiteral("--headless"),
        QStringLiteral("--disable-gpu"),
        QStringLiteral("--no-first-run"),
        QStringLiteral("--no-default-browser-check"),
        QStringLiteral("--disable-background-networking"),
        QStringLiteral("--disable-component-update"),
        QStringLiteral("--disable-sync"),
        QStringLiteral("--disable-quic"),
        QStringLiteral("--password-store=basic"),
        QStringLiteral("--use-mock-keychain"),
    };
    if (::geteuid() == 0) {
        arguments << QStringLiteral("--no-sandbox");
    }
    return arguments;
}

bool ChromiumProcess::start(const QString& startUrl, const QStringList& extraArguments, int timeoutMs) {
    const QString program = executable();
    if (program.isEmpty()) {
        error_ = QStringLiteral("no Chromium executable");
        return false;
    }
    if (!profile_.isValid()) {
        error_ = QStringLiteral("no temporary profile folder");
        return false;
    }
    QStringList arguments = standardArguments();
    arguments << QStringLiteral("--user-data-dir=") + profileDir()
              << QStringLiteral("--remote-debugging-port=0") << extraArguments;
    if (!startUrl.isEmpty()) {
        arguments << startUrl;
    }
    process_.start(program, arguments);
    if (!process_.waitForStarted(timeoutMs)) {
        error_ = process_.errorString();
        return false;
    }
    group_ = process_.processId();

    // The browser writes the port on the first line of this file once it listens.
    const QString portFile = profileDir() + QStringLiteral("/DevToolsActivePort");
    bool ended = false;
    const auto portKnown = [&] {
        QFile file(portFile);
        if (file.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> lines = file.readAll().split('\n');
            bool ok = false;
            const uint port = lines.value(0).trimmed().toUInt(&ok);
            if (ok && port > 0 && port < 65536 && lines.size() >= 2) {
                port_ = static_cast<quint16>(port);
                return true;
            }
        }
        ended = process_.state() == QProcess::NotRunning;
        return ended;
    };
    if (QTest::qWaitFor(portKnown, timeoutMs)) {
        if (!ended)
            return true;
        error_ = QStringLiteral("Chromium ended before its DevTools port was known");
        return false;
    }
    error_ = QStringLiteral("no DevToolsActivePort within %1 ms").arg(timeoutMs);
    kill();
    return false;
}

bool ChromiumProcess::isRunning() const {
    return process_.state() != QProcess::NotRunning;
}

QString ChromiumProcess::endpoint() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

void ChromiumProcess::kill() {
    signalGroup(SIGKILL);
    process_.waitForFinished(5000);
}

bool ChromiumProcess::close(int timeoutMs) {
    if (!isRunning()) {
        return true;
    }
    QDeadlineTimer deadline(timeoutMs);
    ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
    const bool ended = process_.waitForFinished(int(qMax<qint64>(0, deadline.remainingTime())));
    // The network service writes the last cache entries after the browser process is gone; killing it
    // then leaves entries half written. Helpers that are still there at the deadline would be strays.
    while (ended && groupAlive() && !deadline.hasExpired()) {
        QTest::qWait(20);
    }
    signalGroup(SIGKILL);
    if (!ended) {
        process_.waitForFinished(5000);
    }
    return ended;
}

bool ChromiumProcess::groupAlive() const {
    if (group_ <= 0) {
        return false;
    }
    // A helper that has ended but is not reaped yet still belongs to the group; it writes nothing more.
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray text = stat.readAll();
        // "pid (name) state ppid pgrp ...": the name may hold spaces and parentheses.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields.at(0) != "Z" && fields.at(2).toLongLong() == group_) {
            return true;
        }
    }
    return false;
}

void ChromiumProcess::signalGroup(int signal) {
    // Once the group is empty its id may be reused by others; stop signalling it then.
    if (group_ > 0 && ::kill(-static_cast<pid_t>(group_), signal) != 0 && errno == ESRCH) {
        group_ = 0;
    }
}

}  // namespace vorlaken::test
