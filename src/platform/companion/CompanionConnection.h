#pragma once

#include <memory>
#include <optional>

#include <QDeadlineTimer>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocalSocket>
#include <QObject>
#include <QSet>
#include <QString>

#include "platform/companion/NativeMessageReader.h"

namespace vorlaken {

// One connection to the native-messaging host of a browser running the companion extension, over the
// host's local socket, made synchronous like the DevTools connection: a call sends a request and runs
// a local event loop, without user input, until the answer arrives or its bound has passed.
// Failures are the page model's errors: TimeoutError past the bound, BrowserGoneError once the host is
// gone (the browser closed, the extension was disabled) or the tab is, PageError for any other failure
// the extension reports.
class CompanionConnection : public QObject {
    Q_OBJECT

  public:
    static constexpr int kBoundMs = 3000;

    struct Reply {
        QJsonValue result;
        QString error;  // empty on success
        bool gone = false;
        bool ok() const { return error.isEmpty(); }
    };

    // Connects to the host listening at socketPath. Throws BrowserGoneError when nothing listens there,
    // TimeoutError when the deadline passes first.
    static std::shared_ptr<CompanionConnection> open(const QString& socketPath,
                                                     const QDeadlineTimer& deadline);
    ~CompanionConnection() override;

    // Sends the request without waiting and returns its id. Throws BrowserGoneError once the connection
    // is gone, PageError for a request larger than the browser lets through.
    qint64 send(const QString& operation, QJsonObject params = QJsonObject());
    // The answer to that request, once it has come.
    std::optional<Reply> take(qint64 id);
    // Sends and waits for the answer within one bound.
    QJsonValue call(const QString& operation, const QJsonObject& params = QJsonObject());

    bool isOpen() const { return !gone_; }
    const QString& socketPath() const { return socketPath_; }

    // Waits on the event loop until done() holds, the deadline has passed or the program is asked to
    // end; it wakes on every answer and when the connection breaks.
    void waitUntil(const QDeadlineTimer& deadline, const std::function<bool()>& done);

  signals:
    void progressed();

  private:
    explicit CompanionConnection(QString socketPath);
    void onReadable();
    void markGone();

    QString socketPath_;
    QLocalSocket socket_;
    NativeMessageReader reader_;
    qint64 nextId_;
    bool gone_ = false;
    QSet<qint64> waiting_;
    QHash<qint64, Reply> replies_;
};

using CompanionConnectionPtr = std::shared_ptr<CompanionConnection>;

}  // namespace vorlaken
