#include "shell/Screenshot.h"

#include <cstdio>

#include <QPixmap>
#include <QTimer>

#include "shell/MainWindow.h"

namespace vorlaken {

void TakeScreenshotAfterStartup(MainWindow& window, const QString& path) {
    QObject::connect(&window, &MainWindow::startupCaptureFinished, &window, [&window, path] {
        QTimer::singleShot(2000, &window, [&window, path] {
            const bool saved = window.grab().save(path, "PNG");
            std::fprintf(stderr, "%s %s\n",
                         saved ? "screenshot written:" : "screenshot failed:", qPrintable(path));
            std::fflush(stderr);
        });
    });
}

}  // namespace vorlaken
