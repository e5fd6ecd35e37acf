#include "FirefoxCacheRun.h"

#include <unistd.h>
#include <csignal>

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace vorlaken::test {

QString RunFirefoxOnPage(CachingHttpServer& server, const QString& pagePath, const QString& profile,
                         const std::function<bool()>& written) {
    const QString firefox = QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
    if (firefox.isEmpty()) {
        return QStringLiteral("firefox-esr is not installed");
    }
    QProcess process;
    // Its own process group, so that ending it ends its content processes too.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(firefox, {QStringLiteral("--headless"), QStringLiteral("--profile"), profile,
                            QStringLiteral("--no-remote"), server.url(pagePath)});
    if (!process.waitForStarted(10000)) {
        return QStringLiteral("firefox-esr did not start");
    }
    const pid_t group = pid_t(process.processId());
    const bool loaded = QTest::qWaitFor(written, 120000);
    ::kill(-group, SIGTERM);
    if (!process.waitForFinished(20000)) {
        ::kill(-group, SIGKILL);
        process.waitForFinished(5000);
    }
    return loaded ? QString() : QStringLiteral("firefox-esr did not write the expected cache entries");
}

}  // namespace vorlaken::test
