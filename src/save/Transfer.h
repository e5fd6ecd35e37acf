#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkReply>
#include <QString>
#include <QTimer>

#include "save/StoreOutcome.h"

class QEventLoop;

namespace vorlaken {

// The bounds of one picture's transfer.
struct TransferLimits {
    int connectTimeoutMs = 3000;
    // A transfer that delivers less than stallMinimumBytes within any stallWindowMs has stalled,
    // whether it went silent or drips a few bytes now and then.
    int stallWindowMs = 30000;
    qint64 stallMinimumBytes = 1024;
    // What a transfer may hold before its turn; beyond it the network layer stops reading from the
    // socket until the transfer is stored.
    qint64 heldBytes = 1024 * 1024;
    // A body larger than this fails the transfer; 0: no bound (a save run takes whatever comes).
    qint64 maxBytes = 0;
};

// One picture on its way from the network, from the request to a closed, whole file. It may be
// started ahead of its turn: it then only learns whether the answer is the picture and keeps what
// arrives in the reply's bounded buffer. Only at its turn (storeTo) does it get a file and the time
// bounds start, so the run's files appear in the run's order, a server gets as long as it would
// without the transfers ahead, and a transfer cancelled before its turn leaves nothing behind.
class Transfer {
  public:
    explicit Transfer(std::unique_ptr<QNetworkReply> reply, const TransferLimits& limits);
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // Streams the body into target, which must not exist, keeping the window alive meanwhile.
    // kStored when the whole, non-empty body is in target. A status other than 200, no answer within
    // the connect time-out, a stall, a cut connection, fewer bytes than announced, a body past maxBytes
    // or an empty body give kFailed; stopRequested answering true (asked while bytes arrive) or the
    // application quitting give kStopped; a file that cannot be created or written gives kWriteFailed.
    // Whatever the outcome other than kStored, no file is left behind. Called once.
    StoreOutcome storeTo(const QString& target, const std::function<bool()>& stopRequested = {});

    static constexpr qint64 kPieceSize = 64 * 1024;

  private:
    bool answer(bool finished = false);
    bool openTarget();
    bool fail(StoreOutcome::Kind kind, const QString& reason = QString());
    bool stopAsked();
    void watchOver();
    void pump();
    bool writePiece();
    void finish();
    void onFinished();

    std::unique_ptr<QNetworkReply> reply_;
    const TransferLimits limits_;
    QFile out_;
    const std::function<bool()>* stopRequested_ = nullptr;
    QEventLoop* loop_ = nullptr;  // the wait of storeTo
    StoreOutcome outcome_;
    qint64 received_ = 0;  // body bytes the network layer has taken in, read or not
    qint64 written_ = 0;
    qint64 windowStart_ = 0;
    bool answered_ = false;  // the answer is the picture (status 200, or a scheme without status)
    bool failed_ = false;
    bool finished_ = false;
    bool turn_ = false;  // storeTo has been called
    bool created_ = false;
    QTimer connectTimer_;
    QTimer watch_;
    QElapsedTimer window_;
    QElapsedTimer sinceAsked_;
    std::vector<char> buffer_;
    static constexpr int kWatchMs = 100;
    static constexpr int kAskMs = 10;
};

}  // namespace vorlaken
