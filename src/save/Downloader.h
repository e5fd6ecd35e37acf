#pragma once

#include <QNetworkAccessManager>
#include <QString>

#include "capture/PageModel.h"
#include "save/SaveProgress.h"

namespace vorlaken {

// Transfers one picture into a new file, the way the browser would fetch it: the system proxy, the
// program's file name as user agent and, when a browser is attached, its cookies for that address.
// The window stays alive while bytes arrive; "stop saving" is disabled during a transfer.
class Downloader {
  public:
    Downloader();

    // True when the whole body is in target. A status other than 200, no answer within the connect
    // time-out, a cut connection or fewer bytes than announced leave no file behind. target must not
    // exist: an existing file is never touched.
    bool downloadToFile(const QString& url, const QString& target, Browser* attached, SaveProgress& progress);

    // The running program's file name.
    static QString userAgent();

    static constexpr int kConnectTimeoutMs = 3000;
    static constexpr int kPieceSize = 1024;
    // Bounds a transfer that stops sending half-way, as the platform's read time-out would.
    static constexpr int kStallTimeoutMs = 30000;

  private:
    QNetworkAccessManager manager_;
};

}  // namespace vorlaken
