#pragma once

#include <functional>

#include <QNetworkAccessManager>
#include <QString>

#include "capture/PageModel.h"
#include "save/StoreOutcome.h"

namespace vorlaken {

// Transfers one picture into a new file, the way the browser would fetch it: the system proxy, the
// program's file name as user agent and, when a browser is attached, its cookies for that address.
// The window stays alive while bytes arrive, and "stop saving" stays usable: the body is streamed to
// disk through a bounded buffer, however long it is.
class Downloader {
  public:
    struct Limits {
        int connectTimeoutMs = 3000;
        // A transfer that delivers less than stallMinimumBytes within any stallWindowMs has stalled,
        // whether it went silent or drips a few bytes now and then.
        int stallWindowMs = 30000;
        qint64 stallMinimumBytes = 1024;
    };

    Downloader();
    explicit Downloader(const Limits& limits);

    // kStored when the whole, non-empty body is in target. A status other than 200, no answer within
    // the connect time-out, a stall, a cut connection, fewer bytes than announced or an empty body give
    // kFailed; stopRequested answering true (asked while bytes arrive) or the application quitting give
    // kStopped; a file that cannot be created or written gives kWriteFailed. Whatever the outcome
    // other than kStored, no file is left behind. target must not exist: an existing file is never
    // touched (kFailed).
    StoreOutcome downloadToFile(const QString& url, const QString& target, Browser* attached,
                                const std::function<bool()>& stopRequested = {});

    // The running program's file name.
    static QString userAgent();

    const Limits& limits() const { return limits_; }

    static constexpr int kPieceSize = 1024;
    // What the network layer may hold for one transfer before it stops reading from the socket.
    static constexpr qint64 kReadBufferSize = 256 * 1024;

  private:
    QNetworkAccessManager manager_;
    Limits limits_;
};

}  // namespace vorlaken
