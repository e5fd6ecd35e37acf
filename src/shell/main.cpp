#include <QApplication>
#include <QDBusConnection>
#include <QDateTime>
#include <QDir>
#include <QTimer>

#include "common/CommandLine.h"
#include "common/ProgramDir.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "shell/BusService.h"
#include "shell/MainWindow.h"
#include "shell/Screenshot.h"
#include "shell/SingleInstance.h"
#include "widgets/TerminationWatcher.h"

int main(int argc, char* argv[]) {
    const vorlaken::CommandLine::Program program{
        QStringLiteral("grabnest"), QStringLiteral("Vorlaken"), QStringLiteral("8.1"),
        QStringLiteral("Vorlaken lists the pictures of the page your web browser shows, and of its frames,\n"
                       "previews them and saves the ticked ones.\n\n"
                       "It reads the page through the DevTools endpoint of a Chromium-family browser\n"
                       "started with --remote-debugging-port=9222, or the one VORLAKEN_DEVTOOLS names\n"
                       "(http://127.0.0.1:PORT).")};
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

    // Every back-end is chosen here: pages from the browser's DevTools endpoint, the Qt desktop
    // services, and for each save run the disk caches of the attached browser's profile.
    vorlaken::QtDesktop desktop;
    vorlaken::DevToolsBrowserFinder finder;
    vorlaken::MainWindow window(vorlaken::ProgramDir::forRunningProgram(), finder, desktop,
                                vorlaken::CreateRunBrowserCache);
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
