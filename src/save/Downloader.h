#pragma once

#include <functional>
#include <memory>

#include <QHash>
#include <QNetworkAccessManager>
#include <QString>
#include <QStringList>

#include "capture/PageModel.h"
#include "save/StoreOutcome.h"
#include "save/Transfer.h"

namespace vorlaken {

// Fetches pictures the way the browser would: the system proxy, the program's file name as user agent
// and the attached browser's cookies for each address. The window stays alive while bytes arrive,
// and "stop saving" stays usable: a body is streamed to disk through a bounded buffer, however long.
class Downloader {
  public:
    using Limits = TransferLimits;

    Downloader();
    explicit Downloader(const Limits& limits);

    // Asks the attached browser once for the Cookie header it sends to each of these addresses; every
    // later transfer sends its own, whatever becomes of the browser meanwhile. A browser that does not
    // answer gives none.
    void readCookies(Browser& browser, const QStringList& urls);

    // Starts fetching url; the transfer keeps what arrives until it is stored. It must end before the
    // downloader does.
    std::unique_ptr<Transfer> start(const QString& url);

    // start() and Transfer::storeTo() at once: kStored when the whole picture is in target, which must
    // not exist (an existing file is never touched: kFailed); nothing else leaves a file behind.
    StoreOutcome downloadToFile(const QString& url, const QString& target,
                                const std::function<bool()>& stopRequested = {});

    // The running program's file name.
    static QString userAgent();

    const Limits& limits() const { return limits_; }

  private:
    QNetworkAccessManager manager_;
    Limits limits_;
    QHash<QString, QString> cookies_;  // Cookie header by address
};

}  // namespace vorlaken
