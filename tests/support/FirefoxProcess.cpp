#include "FirefoxProcess.h"

#include <sys/prctl.h>
#include <unistd.h>
#include <csignal>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "CompanionRuntime.h"
#include "platform/companion/CompanionNames.h"
#include "platform/companion/HostManifest.h"

namespace vorlaken::test {

namespace {

const char kPreferences[] = R"(user_pref("xpinstall.signatures.required", false);
user_pref("extensions.autoDisableScopes", 0);
user_pref("extensions.update.enabled", false);
user_pref("app.update.enabled", false);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
)";

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

FirefoxProcess::FirefoxProcess() {
    process_.setChildProcessModifier([] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    if (qEnvironmentVariableIsEmpty("VORLAKEN_FIREFOX_LOG"))
        process_.setStandardErrorFile(QProcess::nullDevice());
    else
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
}

FirefoxProcess::~FirefoxProcess() {
    kill();
}

QByteArray FirefoxProcess::preferences() {
    return kPreferences;
}

QString FirefoxProcess::executable() {
    return QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
}

bool FirefoxProcess::start(const CompanionRuntime& runtime, const QString& startUrl) {
    if (executable().isEmpty()) {
        error_ = QStringLiteral("no firefox-esr");
        return false;
    }
    const QString package =
        QStringLiteral("extensions/%1.xpi").arg(QLatin1String(CompanionNames::kFirefoxExtensionId));
    QFile::remove(QDir(profile_.path()).filePath(package));
    if (!writeFile(QDir(profile_.path()).filePath(QStringLiteral("user.js")), kPreferences) ||
        !QDir().mkpath(QDir(profile_.path()).filePath(QStringLiteral("extensions"))) ||
        !QFile::copy(CompanionRuntime::firefoxPackage(), QDir(profile_.path()).filePath(package)) ||
        !writeFile(QDir(home_.path()).filePath(QStringLiteral(".mozilla/native-messaging-hosts/")) +
                       HostManifest::fileName(),
                   HostManifest::forFirefox(CompanionRuntime::hostProgram()))) {
        error_ = QStringLiteral("cannot prepare the profile");
        return false;
    }
    return startWith(runtime, home_.path(), profile_.path(), startUrl);
}

bool FirefoxProcess::startWith(const CompanionRuntime& runtime, const QString& home, const QString& profile,
                               const QString& startUrl) {
    QProcessEnvironment environment = runtime.environment();
    environment.insert(QStringLiteral("HOME"), home);
    process_.setProcessEnvironment(environment);
    process_.start(executable(), {QStringLiteral("--headless"), QStringLiteral("--no-remote"),
                                  QStringLiteral("--profile"), profile, startUrl});
    if (!process_.waitForStarted(10000)) {
        error_ = process_.errorString();
        return false;
    }
    group_ = process_.processId();
    return true;
}

void FirefoxProcess::kill() {
    if (group_ > 0) {
        ::kill(-pid_t(group_), SIGKILL);
        group_ = 0;
    }
    process_.waitForFinished(5000);
}

}  // namespace vorlaken::test
