#include "DevToolsConnection.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QNetworkProxy>

#include "common/BoundedWait.h"
#include "common/Errors.h"

namespace vorlaken {

namespace {

QString worldKey(const QString& sessionId, const QString& frameId) {
    return sessionId + QLatin1Char('/') + frameId;
}

}  // namespace

DevToolsConnection::DevToolsConnection(int boundMs) : boundMs_(boundMs) {
    socket_.setProxy(QNetworkProxy::NoProxy);
    connect(&socket_, &QWebSocket::textMessageReceived, this, &DevToolsConnection::onMessage);
    connect(&socket_, &QWebSocket::disconnected, this, &DevToolsConnection::markGone);
    connect(&socket_, QOverload<QAbstractSocket::SocketError>::of(&QWebSocket::error), this,
            [this](QAbstractSocket::SocketError) { markGone(); });
}

DevToolsConnection::~DevToolsConnection() {
    // No signal may reach a half-destroyed connection while the socket closes.
    socket_.disconnect(this);
    socket_.abort();
}

std::shared_ptr<DevToolsConnection> DevToolsConnection::open(const QUrl& webSocketUrl, int boundMs) {
    std::shared_ptr<DevToolsConnection> connection(new DevToolsConnection(boundMs));
    bool connected = false;
    QObject::connect(&connection->socket_, &QWebSocket::connected, connection.get(),
                     [&connected, c = connection.get()] {
                         connected = true;
                         emit c->progressed();
                     });
    connection->socket_.open(webSocketUrl);
    connection->waitUntil(QDeadlineTimer(boundMs), [&connected] { return connected; });
    QObject::disconnect(&connection->socket_, &QWebSocket::connected, connection.get(), nullptr);
    if (!connected) {
        if (connection->gone_) {
            throw BrowserGoneError(QStringLiteral("The browser's DevTools endpoint refused the connection."));
        }
        throw TimeoutError(QStringLiteral("The browser did not accept the DevTools connection in time."));
    }
    return connection;
}

int DevToolsConnection::send(const QString& method, const QJsonObject& params, const QString& sessionId) {
    if (gone_) {
        throw BrowserGoneError(QStringLiteral("The browser has gone away."));
    }
    const int id = nextId_++;
    QJsonObject message{{QStringLiteral("id"), id}, {QStringLiteral("method"), method}};
    if (!params.isEmpty()) {
        message.insert(QStringLiteral("params"), params);
    }
    if (!sessionId.isEmpty()) {
        message.insert(QStringLiteral("sessionId"), sessionId);
    }
    socket_.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    return id;
}

QJsonObject DevToolsConnection::call(const QString& method, const QJsonObject& params,
                                     const QString& sessionId) {
    const Reply reply = callAll({Command{method, params, sessionId}}).front();
    if (!reply.ok()) {
        throw PageError(reply.error);
    }
    return reply.result;
}

std::vector<DevToolsConnection::Reply> DevToolsConnection::callAll(const std::vector<Command>& commands) {
    std::vector<int> ids;
    ids.reserve(commands.size());
    for (const Command& command : commands) {
        ids.push_back(send(command.method, command.params, command.sessionId));
    }
    waitForReplies(ids);
    std::vector<Reply> replies;
    replies.reserve(ids.size());
    for (int id : ids) {
        replies.push_back(replies_.take(id));
    }
    return replies;
}

void DevToolsConnection::post(const QString& method, const QJsonObject& params, const QString& sessionId) {
    send(method, params, sessionId);  // its answer is dropped when it arrives
    // Handed to the system at once: a connection closed right after a post still delivers it.
    socket_.flush();
}

void DevToolsConnection::waitForReplies(const std::vector<int>& ids) {
    for (int id : ids) {
        waiting_.insert(id);
    }
    auto allIn = [this, &ids] {
        for (int id : ids) {
            if (!replies_.contains(id)) {
                return false;
            }
        }
        return true;
    };
    waitUntil(QDeadlineTimer(boundMs_), allIn);
    const bool complete = allIn();
    if (!complete) {
        for (int id : ids) {
            waiting_.remove(id);
            replies_.remove(id);
        }
        if (gone_) {
            throw BrowserGoneError(QStringLiteral("The browser has gone away."));
        }
        throw TimeoutError(QStringLiteral("The browser did not answer within %1 ms.").arg(boundMs_));
    }
}

void DevToolsConnection::waitUntil(const QDeadlineTimer& deadline, const std::function<bool()>& done) {
    // The wait wakes on every message the connection receives.
    BoundedWait wait(deadline);
    wait.wakeOn(this, &DevToolsConnection::progressed);
    wait.until([this, &done] { return done() || !isOpen(); });
}

void DevToolsConnection::onMessage(const QString& text) {
    const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
    if (message.contains(QLatin1String("id"))) {
        const int id = message.value(QLatin1String("id")).toInt();
        if (!waiting_.remove(id)) {
            return;  // an answer nobody waits for any more (posted, or past its bound)
        }
        Reply reply;
        if (message.contains(QLatin1String("error"))) {
            reply.error =
                message.value(QLatin1String("error")).toObject().value(QLatin1String("message")).toString();
            if (reply.error.isEmpty()) {
                reply.error = QStringLiteral("The browser refused the command.");
            }
        } else {
            reply.result = message.value(QLatin1String("result")).toObject();
        }
        replies_.insert(id, reply);
        emit progressed();
        return;
    }
    onEvent(message.value(QLatin1String("method")).toString(),
            message.value(QLatin1String("params")).toObject(),
            message.value(QLatin1String("sessionId")).toString());
}

void DevToolsConnection::onEvent(const QString& method, const QJsonObject& params,
                                 const QString& fromSession) {
    if (method == QLatin1String("Target.attachedToTarget")) {
        const QJsonObject info = params.value(QLatin1String("targetInfo")).toObject();
        const QString sessionId = params.value(QLatin1String("sessionId")).toString();
        if (info.value(QLatin1String("type")).toString() == QLatin1String("iframe")) {
            frameSessions_.insert(sessionId, info.value(QLatin1String("targetId")).toString());
        } else {
            // Workers and the like are of no interest; let them run unobserved.
            post(QStringLiteral("Target.detachFromTarget"), {{QStringLiteral("sessionId"), sessionId}});
        }
    } else if (method == QLatin1String("Target.detachedFromTarget")) {
        const QString sessionId = params.value(QLatin1String("sessionId")).toString();
        const QString frameId = frameSessions_.take(sessionId);
        forgetIsolatedWorld(sessionId, frameId);
    } else if ((method == QLatin1String("Inspector.detached") ||
                method == QLatin1String("Inspector.targetCrashed")) &&
               fromSession.isEmpty()) {
        // The page is closed or its renderer died: nothing will answer any more.
        markGone();
    }
}

void DevToolsConnection::markGone() {
    if (!gone_) {
        gone_ = true;
        emit progressed();
    }
}

void DevToolsConnection::attachFrameSessions() {
    if (framesAttached_) {
        return;
    }
    // Existing cross-process frames are announced before this command's answer.
    call(QStringLiteral("Target.setAutoAttach"), {{QStringLiteral("autoAttach"), true},
                                                  {QStringLiteral("waitForDebuggerOnStart"), false},
                                                  {QStringLiteral("flatten"), true}});
    framesAttached_ = true;
}

int DevToolsConnection::isolatedWorld(const QString& sessionId, const QString& frameId) const {
    return worlds_.value(worldKey(sessionId, frameId), 0);
}

void DevToolsConnection::rememberIsolatedWorld(const QString& sessionId, const QString& frameId,
                                               int contextId) {
    worlds_.insert(worldKey(sessionId, frameId), contextId);
}

void DevToolsConnection::forgetIsolatedWorld(const QString& sessionId, const QString& frameId) {
    worlds_.remove(worldKey(sessionId, frameId));
}

}  // namespace vorlaken
