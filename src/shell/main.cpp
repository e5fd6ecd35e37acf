#include <QApplication>
#include <QDBusConnection>
#include <QDateTime>
#include <QDir>
#include <QTimer>

#include "capture/FirstFoundBrowserFinder.h"
#include "common/CommandLine.h"
#include "common/ProgramDir.h"
#include "common/TerminationWatcher.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/companion/CompanionBrowserFinder.h"
#include "platform/companion/CompanionRegistry.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "shell/BusService.h"
#include "shell/MainWindow.h"
#include "shell/Screenshot.h"
#include "shell/SingleInstance.h"

int main(int argc, char* argv[]) {
    const vorlaken::CommandLine::Program program{
        QStringLiteral("grabnest"), QStringLiteral("Vorlaken"), QStringLiteral("8.1"),
        QStringLiteral("Vorlaken lists the pictures of the page your web browser shows, and of its frames,\n"
                       "previews them and saves the ticked ones.\n\n"
                       "It reads the page through the Vorlaken extension of a Chromium-family browser or\n"
                       "Firefox (set it up once from the Options panel), else through the DevTools endpoint\n"
                       "of a Chromium-family browser started with --remote-debugging-port=9222, or the one\n"
                       "VORLAKEN_DEVTOOLS names (http://127.0.0.1:PORT).")};
    if (const std::optional<int> status = vorlaken::CommandLine::handle(argc, argv, program))
        return *status;
    QApplication app(argc, argv);
    // No display name: the platform would append it to every window title ("Hint" included).
    QApplication::setApplicationName(QStringLiteral("Vorlaken"));
    QApplication::setDesktopFileName(QStringLiteral("grabnest"));
    // Watching from the start: a request that comes while the window is built is served once it runs.
    vorlaken::TerminationWatcher termination;

    vorlaken::SingleInstance instance;
    if (!instance.claim())
        return 0;

    // Every back-end is chosen here: pages from the companion extension of a running browser, else
    // from a browser's DevTools endpoint; the Qt desktop services; for each save run the disk caches
    // of the attached browser's profile; the toolbar button as the companion extension's.
    vorlaken::QtDesktop desktop;
    vorlaken::CompanionBrowserFinder companion;
    vorlaken::DevToolsBrowserFinder devTools;
    vorlaken::FirstFoundBrowserFinder finder{&companion, &devTools};
    vorlaken::CompanionRegistry toolbarButtons;
    vorlaken::MainWindow window(vorlaken::ProgramDir::forRunningProgram(), finder, desktop,
                                vorlaken::CreateRunBrowserCache, toolbarButtons);
    QObject::connect(&instance, &vorlaken::SingleInstance::raiseRequested, &window,
                     &vorlaken::MainWindow::bringToFront);

    // The window closes the ordinary way (writing the settings) from wherever the program waits, and
    // every event loop ends, nested ones included.
    QObject::connect(&termination, &vorlaken::TerminationWatcher::terminationRequested, &window, [&window] {
        window.close();
        QCoreApplication::exit(0);
    });

    vorlaken::BusService bus(window);
    bus.registerOnSessionBus();

    const QString screenshot = qEnvironmentVariable("VORLAKEN_SCREENSHOT");
    if (!screenshot.isEmpty())
        vorlaken::TakeScreenshotAfterStartup(window, screenshot);

    window.show();
    return app.exec();
}
