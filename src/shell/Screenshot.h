#pragma once

#include <QString>

namespace vorlaken {

class MainWindow;

// Writes a picture of the window to path once the start-up capture is done and the preview's pictures
// had time to load (used by the demo and the README's screenshot).
void TakeScreenshotAfterStartup(MainWindow& window, const QString& path);

}  // namespace vorlaken
