// grabnest-host: the native-messaging host of the companion extension. The browser starts it for the
// extension (and only for the extension ids its host manifests allow) and talks to it over standard
// input and output; grabnest reaches the browser through the local socket it opens. It ends when the
// browser closes the pipe.
#include <unistd.h>
#include <csignal>
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "common/TerminationWatcher.h"
#include "companionhost/HostRelay.h"
#include "companionhost/StdioChannel.h"
#include "platform/companion/CompanionNames.h"

using namespace vorlaken;

namespace {

// Chromium-family browsers name the extension's origin first; Firefox names the host manifest, then the
// extension's id. Anything else did not come from our extension.
bool startedForOurExtension(const QStringList& args) {
    return args.value(1) == CompanionNames::chromiumOrigin() ||
           args.value(2) == QLatin1String(CompanionNames::kFirefoxExtensionId);
}

// grabnest beside this program; a copy that runs already comes to the front instead.
void startGrabnest() {
    QProcess process;
    process.setProgram(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("grabnest")));
    process.setWorkingDirectory(QDir::homePath());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    // Its own session: it outlives the browser and this host.
    process.setChildProcessModifier([] { ::setsid(); });
    if (!process.startDetached())
        std::fprintf(stderr, "grabnest-host: cannot start %s\n", qPrintable(process.program()));
}

}  // namespace

int main(int argc, char** argv) {
    // A browser that went away must not end us in the middle of a write; the write fails instead.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    // Browsers end their hosts with a signal; the socket file goes with the host all the same.
    TerminationWatcher termination;
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &app, &QCoreApplication::quit);
    if (!startedForOurExtension(QCoreApplication::arguments())) {
        std::fprintf(stderr, "grabnest-host: started by something other than the Vorlaken extension\n");
        return 1;
    }
    StdioChannel extension(CompanionNames::kMaxFromExtension);
    HostRelay relay([&extension](const QByteArray& text) { extension.send(text); }, startGrabnest);
    QObject::connect(&extension, &StdioChannel::received, &relay, &HostRelay::fromExtension);
    QObject::connect(&extension, &StdioChannel::closed, &app, &QCoreApplication::quit);
    if (!relay.listen(CompanionNames::socketFolder())) {
        std::fprintf(stderr, "grabnest-host: cannot listen in %s\n",
                     qPrintable(CompanionNames::socketFolder()));
        return 1;
    }
    extension.send(QJsonDocument(QJsonObject{{QStringLiteral("event"), QStringLiteral("ready")}})
                       .toJson(QJsonDocument::Compact));
    return app.exec();
}
