#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include "capture/PageModel.h"

namespace vorlaken::test {

class ChromiumProcess;

// A private runtime folder (XDG_RUNTIME_DIR) for one test browser running the companion extension: its
// native-messaging host listens there, and a finder pointed at it reaches that browser and no other.
// Also where the build put the extension's packages and the host program.
class CompanionRuntime {
  public:
    CompanionRuntime();

    bool isValid() const { return folder_.isValid(); }
    QString folder() const { return folder_.path(); }
    // Where the host's socket appears.
    QString socketFolder() const;
    // This process's environment with the runtime folder in it, for a browser to start with.
    QProcessEnvironment environment() const;

    // The program folder of the build.
    static QString binDir();
    static QString hostProgram();
    // The unpacked Chromium-family package and the Firefox package.
    static QString chromiumExtension();
    static QString firefoxPackage();

    // Prepares the browser to start with the host manifest (naming that host program) in its profile
    // and this runtime folder, and gives the arguments that load the extension.
    QStringList prepare(ChromiumProcess& chromium, const QString& host = hostProgram()) const;

    // The page the browser shows, through its companion, once the extension has connected; null when
    // that does not happen in time.
    BrowserPtr waitForBrowser(int timeoutMs = 30000) const;

  private:
    QTemporaryDir folder_;
};

}  // namespace vorlaken::test
