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

Downloader::Downloader() {
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
    Transfer(QNetworkReply* reply, const QString& target) : reply_(reply), out_(target) {}

    bool run() {
        QEventLoop loop;
        QTimer connectTimer;
        connectTimer.setSingleShot(true);
        QObject::connect(&connectTimer, &QTimer::timeout, reply_, [this] {
            if (!answered_)
                reply_->abort();
        });
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
        connectTimer.start(Downloader::kConnectTimeoutMs);
        if (!reply_->isFinished())
            loop.exec();
        connectTimer.stop();

        bool ok = !failed_ && reply_->error() == QNetworkReply::NoError;
        if (ok && !answered_)
            ok = answer(true);
        if (ok)
            ok = drain();
        if (ok)
            ok = complete();
        if (out_.isOpen())
            out_.close();
        if (!ok && created_)
            out_.remove();
        return ok;
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
                return fail();
        } else if (!finished && reply_->bytesAvailable() == 0) {
            return false;
        }
        answered_ = true;
        if (!out_.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return fail();
        created_ = true;
        return true;
    }

    // The reply is told to stop once its signal has returned: aborting inside it upsets the reply.
    bool fail() {
        answered_ = true;
        failed_ = true;
        QMetaObject::invokeMethod(reply_, &QNetworkReply::abort, Qt::QueuedConnection);
        return false;
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
            }
        }
        pumping_ = false;
    }

    bool drain() {
        while (!failed_ && reply_->bytesAvailable() > 0) {
            if (!writePiece())
                return false;
        }
        return !failed_;
    }

    bool writePiece() {
        const qint64 got = reply_->read(buffer_, sizeof buffer_);
        if (got <= 0)
            return false;
        if (out_.write(buffer_, got) != got)
            return fail();
        written_ += got;
        return true;
    }

    // A body shorter than announced is a cut transfer. Decompressed bodies are not comparable.
    bool complete() {
        if (reply_->hasRawHeader("Content-Encoding"))
            return true;
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        return !length.isValid() || written_ >= length.toLongLong();
    }

    QNetworkReply* reply_;
    QFile out_;
    qint64 written_ = 0;
    bool answered_ = false;
    bool failed_ = false;
    bool created_ = false;
    bool pumping_ = false;
    QElapsedTimer sinceEvents_;
    char buffer_[Downloader::kPieceSize];
    static constexpr int kBreathMs = 10;
};

}  // namespace

bool Downloader::downloadToFile(const QString& url, const QString& target, Browser* attached,
                                SaveProgress& progress) {
    progress.setStopEnabled(false);
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setTransferTimeout(kStallTimeoutMs);
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
    bool ok = false;
    {
        Transfer transfer(reply, target);
        ok = transfer.run();
    }
    delete reply;
    progress.setStopEnabled(true);
    return ok;
}

}  // namespace vorlaken
