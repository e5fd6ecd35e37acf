#include <QApplication>

#include "cacheviewer/ViewerBus.h"
#include "cacheviewer/ViewerWindow.h"
#include "common/ProgramDir.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/devtools/DevToolsEndpoint.h"
#include "common/TerminationWatcher.h"

int main(int argc, char* argv[]) {
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
