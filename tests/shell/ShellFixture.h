#pragma once

#include <memory>

#include <QTemporaryDir>

#include "FakeBrowserFinder.h"
#include "FakeToolbarButtonRegistry.h"
#include "common/ProgramDir.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/desktop/QtDesktop.h"
#include "shell/MainWindow.h"

namespace vorlaken::test {

// A main window in its own program folder (a temporary folder holding the delivered template unless
// asked otherwise, and the maker's pages), with a chosen browser finder.
class ShellFixture {
  public:
    explicit ShellFixture(bool withTemplate = true);

    QString path(const QString& name) const { return dir_.filePath(name); }
    ProgramDir programDir() const;
    // Creates the window (reading the settings) as the program does, with this finder.
    MainWindow& create(BrowserFinder& finder);
    MainWindow& create() { return create(noBrowser); }
    // The same with other desktop services.
    MainWindow& create(BrowserFinder& finder, Desktop& services);
    // Shows the window and waits until the start-up capture ran.
    bool showAndWaitForStartup(int timeoutMs = 20000);
    MainWindow& window() { return *window_; }
    void destroy() { window_.reset(); }
    // The preview zone's body text.
    QString previewHtml();
    // Writes the settings file.
    void writeSettings(const QByteArray& text);
    QByteArray settingsText() const;

    FakeBrowserFinder noBrowser;
    // The program's desktop services and its disk cache for save runs, unless a test sets others.
    QtDesktop desktop;
    RunCacheFactory makeCache = CreateRunBrowserCache;
    FakeToolbarButtonRegistry toolbarButtons;

  private:
    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace vorlaken::test
