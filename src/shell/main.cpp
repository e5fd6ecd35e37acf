#include <QApplication>
#include <QDBusConnection>
#include <QDateTime>
#include <QDir>
#include <QTimer>

#include "common/ProgramDir.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "shell/BusService.h"
#include "shell/MainWindow.h"
#include "shell/Screenshot.h"
#include "shell/SingleInstance.h"
#include "shell/TerminationWatcher.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlaken"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vorlaken"));
    QApplication::setDesktopFileName(QStringLiteral("grabnest"));

    vorlaken::SingleInstance instance;
    if (!instance.claim())
        return 0;

    vorlaken::QtDesktop desktop;
    vorlaken::DevToolsBrowserFinder finder;
    vorlaken::MainWindow window(vorlaken::ProgramDir::forRunningProgram(), finder, desktop);
    QObject::connect(&instance, &vorlaken::SingleInstance::raiseRequested, &window,
                     &vorlaken::MainWindow::bringToFront);

    vorlaken::TerminationWatcher termination;
    QObject::connect(&termination, &vorlaken::TerminationWatcher::terminationRequested, &window,
                     &QWidget::close);

    vorlaken::BusService bus(window);
    bus.registerOnSessionBus();

    const QString screenshot = qEnvironmentVariable("VORLAKEN_SCREENSHOT");
    if (!screenshot.isEmpty())
        vorlaken::TakeScreenshotAfterStartup(window, screenshot);

    window.show();
    return app.exec();
}
