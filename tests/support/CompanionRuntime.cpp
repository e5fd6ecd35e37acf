#include "CompanionRuntime.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include "ChromiumProcess.h"
#include "platform/companion/CompanionBrowserFinder.h"
#include "platform/companion/HostManifest.h"

namespace vorlaken::test {

CompanionRuntime::CompanionRuntime() {
    // As the user's runtime folder is: nobody else may look in.
    QFile::setPermissions(folder_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString CompanionRuntime::socketFolder() const {
    return QDir(folder_.path()).filePath(QStringLiteral("vorlaken-companion"));
}

QProcessEnvironment CompanionRuntime::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
    return environment;
}

QString CompanionRuntime::binDir() {
    const QString configured = qEnvironmentVariable("VORLAKEN_BIN_DIR");
    return configured.isEmpty() ? QStringLiteral(VORLAKEN_DEFAULT_BIN_DIR) : configured;
}

QString CompanionRuntime::hostProgram() {
    return QDir(binDir()).filePath(QStringLiteral("grabnest-host"));
}

QString CompanionRuntime::chromiumExtension() {
    return QDir(binDir()).filePath(QStringLiteral("extension/chromium"));
}

QString CompanionRuntime::firefoxPackage() {
    return QDir(binDir()).filePath(QStringLiteral("extension/grabnest@vorlaken.org.xpi"));
}

QStringList CompanionRuntime::prepare(ChromiumProcess& chromium, const QString& host) const {
    const QDir hosts(QDir(chromium.profileDir()).filePath(QStringLiteral("NativeMessagingHosts")));
    QDir().mkpath(hosts.path());
    QFile manifest(hosts.filePath(HostManifest::fileName()));
    if (manifest.open(QIODevice::WriteOnly))
        manifest.write(HostManifest::forChromium(host));
    chromium.setEnvironment(environment());
    return {QStringLiteral("--load-extension=") + chromiumExtension()};
}

BrowserPtr CompanionRuntime::waitForBrowser(int timeoutMs) const {
    BrowserPtr browser;
    if (!QTest::qWaitFor(
            [&] { return (browser = CompanionBrowserFinder(socketFolder()).discover()) != nullptr; },
            timeoutMs))
        return nullptr;
    return browser;
}

}  // namespace vorlaken::test
