#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QDeadlineTimer>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>
#include <QWebSocket>

namespace vorlaken {

// One WebSocket to a DevTools target (a page), made synchronous: a call sends a command and runs a
// local event loop, without user input, until the answer arrives or its bound has passed. Commands for
// the page's cross-process frames travel over the same socket with their session id.
// Failures are the page model's errors: TimeoutError past the bound, BrowserGoneError once the socket
// is closed, PageError for an error the browser answers with.
class DevToolsConnection : public QObject {
    Q_OBJECT

  public:
    static constexpr int kBoundMs = 3000;

    struct Command {
        QString method;
        QJsonObject params;
        QString sessionId;  // empty: the page itself
    };
    struct Reply {
        QJsonObject result;
        QString error;  // empty on success
        bool ok() const { return error.isEmpty(); }
    };

    // Opens the socket to ws://127.0.0.1:PORT/devtools/page/ID.
    static std::shared_ptr<DevToolsConnection> open(const QUrl& webSocketUrl, int boundMs = kBoundMs);
    ~DevToolsConnection() override;

    QJsonObject call(const QString& method, const QJsonObject& params = QJsonObject(),
                     const QString& sessionId = QString());
    // Sends every command at once and waits for all answers within one bound: the cost of one round
    // trip, however many commands. Errors of single commands come back in their Reply.
    std::vector<Reply> callAll(const std::vector<Command>& commands);
    // Sends without waiting for the answer (navigation starts and returns at once).
    void post(const QString& method, const QJsonObject& params = QJsonObject(),
              const QString& sessionId = QString());

    bool isOpen() const { return !gone_; }

    // Attaches the page's cross-process frames (once per connection); afterwards frameSessions()
    // follows them as they come and go.
    void attachFrameSessions();
    // Session id -> frame id (the frame's target id) of every attached cross-process frame.
    QHash<QString, QString> frameSessions() const { return frameSessions_; }

    // Isolated-world execution contexts by session and frame, created by their users and kept here so
    // that all page objects of the connection share them. 0 when unknown.
    int isolatedWorld(const QString& sessionId, const QString& frameId) const;
    void rememberIsolatedWorld(const QString& sessionId, const QString& frameId, int contextId);
    void forgetIsolatedWorld(const QString& sessionId, const QString& frameId);

  signals:
    void progressed();

  private:
    explicit DevToolsConnection(int boundMs);
    int send(const QString& method, const QJsonObject& params, const QString& sessionId);
    void waitForReplies(const std::vector<int>& ids);
    // Waits on the event loop, without user input, until done() holds, the connection is gone, the
    // deadline has passed or the program is asked to end.
    void waitUntil(const QDeadlineTimer& deadline, const std::function<bool()>& done);
    void onMessage(const QString& message);
    void onEvent(const QString& method, const QJsonObject& params, const QString& fromSession);
    void markGone();

    QWebSocket socket_;
    const int boundMs_;
    int nextId_ = 1;
    bool gone_ = false;
    bool framesAttached_ = false;
    QSet<int> waiting_;
    QHash<int, Reply> replies_;
    QHash<QString, QString> frameSessions_;
    QHash<QString, int> worlds_;
};

using DevToolsConnectionPtr = std::shared_ptr<DevToolsConnection>;

}  // namespace vorlaken
