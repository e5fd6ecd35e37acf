#include "save/Downloader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include "save/FileNaming.h"

namespace vorlaken {

namespace {

// The system's proxy settings, asked once per scheme, host and port: asking the system can take a
// good part of a millisecond, and the settings do not change within one save run.
class SystemProxies : public QNetworkProxyFactory {
  public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        const QString key =
            query.protocolTag() + u'|' + query.peerHostName() + u'|' + QString::number(query.peerPort());
        auto found = known_.constFind(key);
        if (found != known_.constEnd())
            return found.value();
        const QList<QNetworkProxy> proxies = systemProxyForQuery(query);
        known_.insert(key, proxies);
        return proxies;
    }

  private:
    QHash<QString, QList<QNetworkProxy>> known_;
};

}  // namespace

Downloader::Downloader() : Downloader(Limits{}) {}

Downloader::Downloader(const Limits& limits) : limits_(limits) {
    manager_.setProxyFactory(new SystemProxies);
}

QString Downloader::userAgent() {
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? QCoreApplication::applicationName() : QFileInfo(path).fileName();
}

namespace {

// One transfer from the request to the closed file.
class Transfer {
  public:
    Transfer(QNetworkReply* reply, const QString& target, const Downloader::Limits& limits,
             const std::function<bool()>& stopRequested)
        : reply_(reply), out_(target), limits_(limits), stopRequested_(stopRequested) {}

    StoreOutcome run() {
        QEventLoop loop;
        QTimer connectTimer;
        connectTimer.setSingleShot(true);
        QObject::connect(&connectTimer, &QTimer::timeout, reply_, [this] {
            if (!answered_)
                fail(StoreOutcome::kFailed);
        });
        // Looks after "stop saving" and the stall bound even while no byte arrives.
        QTimer watch;
        watch.setInterval(kWatchMs);
        QObject::connect(&watch, &QTimer::timeout, reply_, [this] { watchOver(); });
        QObject::connect(reply_, &QNetworkReply::metaDataChanged, reply_, [this, &connectTimer] {
            if (answer())
                connectTimer.stop();
        });
        QObject::connect(reply_, &QNetworkReply::readyRead, reply_, [this, &connectTimer] {
            if (answer())
                connectTimer.stop();
            pump();
        });
        QObject::connect(reply_, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        connectTimer.start(limits_.connectTimeoutMs);
        window_.start();
        watch.start();
        if (!reply_->isFinished())
            loop.exec();
        connectTimer.stop();
        watch.stop();

        if (!reply_->isFinished()) {
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
                drain();
            if (!failed_)
                finish();
        }
        if (out_.isOpen())
            out_.close();
        if (!outcome_.stored() && created_)
            out_.remove();
        return outcome_;
    }

  private:
    // Decides on the first sign of an answer whether it is the picture; then creates the file.
    // Returns true once the file is open for the body.
    bool answer(bool finished = false) {
        if (answered_)
            return !failed_;
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
        if (NameTaken(out_.fileName()))
            return fail(StoreOutcome::kFailed);
        if (!out_.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return fail(StoreOutcome::kWriteFailed, out_.errorString());
        created_ = true;
        return true;
    }

    // The reply is told to stop once its signal has returned: aborting inside it upsets the reply.
    bool fail(StoreOutcome::Kind kind, const QString& reason = QString()) {
        if (failed_)
            return false;
        answered_ = true;
        failed_ = true;
        outcome_ = StoreOutcome::of(kind, reason);
        QMetaObject::invokeMethod(reply_, &QNetworkReply::abort, Qt::QueuedConnection);
        return false;
    }

    bool stopAsked() {
        if (!failed_ && stopRequested_ && stopRequested_())
            fail(StoreOutcome::kStopped);
        return failed_;
    }

    void watchOver() {
        if (stopAsked())
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

    // Writes what has arrived, one piece at a time, letting the window breathe between pieces. Asking
    // for pending events costs more than writing a piece, so it is done at most every kBreathMs.
    void pump() {
        if (pumping_ || failed_ || !out_.isOpen())
            return;
        pumping_ = true;
        if (!sinceEvents_.isValid())
            sinceEvents_.start();
        while (!failed_ && reply_->bytesAvailable() > 0) {
            if (!writePiece())
                break;
            if (sinceEvents_.elapsed() >= kBreathMs) {
                QCoreApplication::processEvents();
                sinceEvents_.restart();
                stopAsked();
            }
        }
        pumping_ = false;
    }

    void drain() {
        while (!failed_ && reply_->bytesAvailable() > 0) {
            if (!writePiece())
                return;
        }
    }

    bool writePiece() {
        const qint64 got = reply_->read(buffer_, sizeof buffer_);
        if (got <= 0)
            return false;
        if (out_.write(buffer_, got) != got)
            return fail(StoreOutcome::kWriteFailed, out_.errorString());
        written_ += got;
        return true;
    }

    // The body is whole when it is not empty, not shorter than announced (decompressed bodies are not
    // comparable) and on disk.
    void finish() {
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        if (written_ == 0 || (!reply_->hasRawHeader("Content-Encoding") && length.isValid() &&
                              written_ < length.toLongLong())) {
            outcome_ = StoreOutcome::of(StoreOutcome::kFailed);
            return;
        }
        if (!out_.flush()) {
            outcome_ = StoreOutcome::of(StoreOutcome::kWriteFailed, out_.errorString());
            return;
        }
        outcome_ = StoreOutcome::of(StoreOutcome::kStored);
    }

    QNetworkReply* reply_;
    QFile out_;
    const Downloader::Limits& limits_;
    const std::function<bool()>& stopRequested_;
    StoreOutcome outcome_;
    qint64 written_ = 0;
    qint64 windowStart_ = 0;
    bool answered_ = false;
    bool failed_ = false;
    bool created_ = false;
    bool pumping_ = false;
    QElapsedTimer window_;
    QElapsedTimer sinceEvents_;
    char buffer_[Downloader::kPieceSize];
    static constexpr int kBreathMs = 10;
    static constexpr int kWatchMs = 100;
};

}  // namespace

StoreOutcome Downloader::downloadToFile(const QString& url, const QString& target, Browser* attached,
                                        const std::function<bool()>& stopRequested) {
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    if (attached) {
        try {
            const QString cookie = attached->cookieHeader(url);
            if (!cookie.isEmpty())
                request.setRawHeader("Cookie", cookie.toUtf8());
        } catch (const AppError&) {
            // A browser that does not answer simply sends no cookies.
        }
    }
    QNetworkReply* reply = manager_.get(request);
    // Without a bound the reply keeps everything the server sends that has not been read yet.
    reply->setReadBufferSize(kReadBufferSize);
    StoreOutcome outcome;
    {
        Transfer transfer(reply, target, limits_, stopRequested);
        outcome = transfer.run();
    }
    delete reply;
    return outcome;
}

}  // namespace vorlaken
