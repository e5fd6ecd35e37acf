#include "save/Transfer.h"

#include <QEventLoop>
#include <QNetworkRequest>

#include "save/FileNaming.h"

namespace vorlaken {

Transfer::Transfer(std::unique_ptr<QNetworkReply> reply, const TransferLimits& limits)
    : reply_(std::move(reply)), limits_(limits), buffer_(std::size_t(kPieceSize)) {
    // Without a bound the reply keeps everything the server sends that has not been read yet.
    reply_->setReadBufferSize(limits_.heldBytes);
    QNetworkReply* reply_p = reply_.get();
    connectTimer_.setSingleShot(true);
    QObject::connect(&connectTimer_, &QTimer::timeout, reply_p, [this] {
        if (!answered_)
            fail(StoreOutcome::kFailed);
    });
    // Looks after "stop saving" and the stall bound even while no byte arrives.
    watch_.setInterval(kWatchMs);
    QObject::connect(&watch_, &QTimer::timeout, reply_p, [this] { watchOver(); });
    QObject::connect(reply_p, &QNetworkReply::metaDataChanged, reply_p, [this] { answer(); });
    QObject::connect(reply_p, &QNetworkReply::readyRead, reply_p, [this] {
        if (answer())
            pump();
    });
    QObject::connect(reply_p, &QNetworkReply::finished, reply_p, [this] { onFinished(); });
    finished_ = reply_->isFinished();
}

Transfer::~Transfer() {
    // Nothing the reply still emits may reach a transfer that is going away.
    QObject::disconnect(reply_.get(), nullptr, nullptr, nullptr);
    if (!reply_->isFinished())
        reply_->abort();
}

StoreOutcome Transfer::storeTo(const QString& target, const std::function<bool()>& stopRequested) {
    turn_ = true;
    stopRequested_ = &stopRequested;
    out_.setFileName(target);
    if (!failed_) {
        // The bounds count from the turn: waiting ahead of it is no fault of the server's.
        if (!answered_)
            connectTimer_.start(limits_.connectTimeoutMs);
        window_.start();
        windowStart_ = written_;
        watch_.start();
        if (answered_ && openTarget())
            pump();
        if (!failed_ && !finished_) {
            QEventLoop loop;
            loop_ = &loop;
            loop.exec();
            loop_ = nullptr;
        }
    }
    connectTimer_.stop();
    watch_.stop();

    if (!failed_ && !finished_) {
        // The loop was told to end without the reply: the application is quitting.
        // Marked failed first, so what the abort emits writes nothing more.
        failed_ = true;
        answered_ = true;
        outcome_ = StoreOutcome::of(StoreOutcome::kStopped);
        reply_->abort();
    } else if (!failed_ && reply_->error() != QNetworkReply::NoError) {
        outcome_ = StoreOutcome::of(StoreOutcome::kFailed);
    } else if (!failed_) {
        if (!answered_)
            answer(true);
        if (!failed_)
            pump();
        if (!failed_)
            finish();
    }
    if (out_.isOpen())
        out_.close();
    if (!outcome_.stored() && created_)
        out_.remove();
    stopRequested_ = nullptr;
    return outcome_;
}

// Decides on the first sign of an answer whether it is the picture; at its turn the file is then
// created. Returns true once the file is open for the body.
bool Transfer::answer(bool finished) {
    if (failed_)
        return false;
    if (!answered_) {
        const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid()) {
            const int code = status.toInt();
            // A redirect that is being followed is not the answer yet.
            if (!finished && code >= 300 && code < 400 && reply_->hasRawHeader("Location"))
                return false;
            if (code != 200)
                return fail(StoreOutcome::kFailed);
        } else if (!finished && reply_->bytesAvailable() == 0) {
            return false;
        }
        answered_ = true;
        connectTimer_.stop();
        if (turn_)
            return openTarget();
    }
    return out_.isOpen();
}

bool Transfer::openTarget() {
    if (out_.isOpen())
        return true;
    if (NameTaken(out_.fileName()))
        return fail(StoreOutcome::kFailed);
    // Written in large pieces straight to the file: a buffer of its own would only copy them again.
    if (!out_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return fail(StoreOutcome::kWriteFailed, out_.errorString());
    created_ = true;
    return true;
}

// The reply is told to stop once its signal has returned: aborting inside it upsets the reply.
bool Transfer::fail(StoreOutcome::Kind kind, const QString& reason) {
    if (failed_)
        return false;
    answered_ = true;
    failed_ = true;
    outcome_ = StoreOutcome::of(kind, reason);
    QMetaObject::invokeMethod(reply_.get(), &QNetworkReply::abort, Qt::QueuedConnection);
    if (loop_)
        loop_->quit();
    return false;
}

bool Transfer::stopAsked() {
    if (!failed_ && stopRequested_ && *stopRequested_ && (*stopRequested_)())
        fail(StoreOutcome::kStopped);
    return failed_;
}

void Transfer::watchOver() {
    if (!turn_ || stopAsked())
        return;
    if (window_.elapsed() < limits_.stallWindowMs)
        return;
    if (written_ - windowStart_ < limits_.stallMinimumBytes) {
        fail(StoreOutcome::kFailed);
        return;
    }
    window_.restart();
    windowStart_ = written_;
}

// Writes what has arrived; before its turn the bytes stay in the reply. Asking whether to stop can
// cost more than writing a piece, so it is asked at most every kAskMs while bytes pour in.
void Transfer::pump() {
    if (!out_.isOpen())
        return;
    while (!failed_ && reply_->bytesAvailable() > 0) {
        if (!writePiece())
            return;
    }
    if (!sinceAsked_.isValid() || sinceAsked_.elapsed() >= kAskMs) {
        sinceAsked_.start();
        stopAsked();
    }
}

bool Transfer::writePiece() {
    const qint64 got = reply_->read(buffer_.data(), kPieceSize);
    if (got <= 0)
        return false;
    if (limits_.maxBytes > 0 && written_ + got > limits_.maxBytes)
        return fail(StoreOutcome::kFailed);
    if (out_.write(buffer_.data(), got) != got)
        return fail(StoreOutcome::kWriteFailed, out_.errorString());
    written_ += got;
    return true;
}

// The body is whole when it is not empty, not shorter than announced (decompressed bodies are not
// comparable) and on disk.
void Transfer::finish() {
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (written_ == 0 ||
        (!reply_->hasRawHeader("Content-Encoding") && length.isValid() && written_ < length.toLongLong())) {
        outcome_ = StoreOutcome::of(StoreOutcome::kFailed);
        return;
    }
    if (!out_.flush()) {
        outcome_ = StoreOutcome::of(StoreOutcome::kWriteFailed, out_.errorString());
        return;
    }
    outcome_ = StoreOutcome::of(StoreOutcome::kStored);
}

void Transfer::onFinished() {
    finished_ = true;
    if (loop_)
        loop_->quit();
}

}  // namespace vorlaken
