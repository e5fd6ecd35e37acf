#include <QApplication>

#include "cacheviewer/ViewerBus.h"
#include "cacheviewer/ViewerWindow.h"
#include "common/CommandLine.h"
#include "common/ProgramDir.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/devtools/DevToolsEndpoint.h"
#include "common/TerminationWatcher.h"

int main(int argc, char* argv[]) {
    const vorlaken::CommandLine::Program program{
        QStringLiteral("tidecove"), QStringLiteral("Tidewell"), QStringLiteral("1.3"),
        QStringLiteral("Tidewell lists the pictures in your web browsers' disk caches, shows the chosen\n"
                       "ones together and copies them out.\n\n"
                       "It reads the caches of the Chromium family and of Firefox in their usual folders;\n"
                       "TIDEWELL_CACHE=FOLDER[:FOLDER...] names other caches, profiles or user-data\n"
                       "folders to read instead.")};
    if (const std::optional<int> status = vorlaken::CommandLine::handle(argc, argv, program))
        return *status;
    QApplication app(argc, argv);
    // No display name: the platform would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Tidewell"));
    QApplication::setDesktopFileName(QStringLiteral("tidecove"));

    // The running browser's profile first: the one whose DevToolsActivePort names its endpoint.
    QStringList profiles;
    for (const vorlaken::DevToolsEndpoint& endpoint : vorlaken::DevToolsEndpointCandidates()) {
        if (!endpoint.profileDir.isEmpty()) {
            profiles << endpoint.profileDir;
        }
    }
    vorlaken::QtDesktop desktop;
    vorlaken::ViewerWindow window(vorlaken::ProgramDir::forRunningProgram(),
                                  vorlaken::CreateBrowserCache(profiles), desktop);
    // Ending the program from a session or terminal closes the window the ordinary way, writing settings.
    vorlaken::TerminationWatcher termination;
    QObject::connect(&termination, &vorlaken::TerminationWatcher::terminationRequested, &window, [&window] {
        window.close();
        QCoreApplication::exit(0);
    });
    vorlaken::ViewerBus bus(window);
    bus.registerOnSessionBus();
    window.show();
    return app.exec();
}
