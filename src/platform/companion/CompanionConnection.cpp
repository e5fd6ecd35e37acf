#include "platform/companion/CompanionConnection.h"

#include <QJsonDocument>
#include <QRandomGenerator>

#include "common/BoundedWait.h"
#include "common/Errors.h"
#include "platform/companion/CompanionNames.h"

namespace vorlaken {

CompanionConnection::CompanionConnection(QString socketPath)
    : socketPath_(std::move(socketPath)),
      reader_(CompanionNames::kMaxFromExtension),
      // Each connection numbers its requests from a place of its own, so that the ids of several
      // connections to one host do not meet (ids stay below 2^53, as JSON numbers must).
      nextId_(qint64(QRandomGenerator::global()->bounded(1u << 30)) << 20) {
    connect(&socket_, &QLocalSocket::readyRead, this, &CompanionConnection::onReadable);
    connect(&socket_, &QLocalSocket::disconnected, this, &CompanionConnection::markGone);
    connect(&socket_, &QLocalSocket::errorOccurred, this,
            [this](QLocalSocket::LocalSocketError) { markGone(); });
}

CompanionConnection::~CompanionConnection() {
    // No signal may reach a half-destroyed connection while the socket closes.
    socket_.disconnect(this);
    socket_.abort();
}

CompanionConnectionPtr CompanionConnection::open(const QString& socketPath, const QDeadlineTimer& deadline) {
    CompanionConnectionPtr connection(new CompanionConnection(socketPath));
    bool connected = false;
    QObject::connect(&connection->socket_, &QLocalSocket::connected, connection.get(),
                     [&connected, c = connection.get()] {
                         connected = true;
                         emit c->progressed();
                     });
    connection->socket_.connectToServer(socketPath);
    connected = connected || connection->socket_.state() == QLocalSocket::ConnectedState;
    connection->waitUntil(deadline, [&connected] { return connected; });
    QObject::disconnect(&connection->socket_, &QLocalSocket::connected, connection.get(), nullptr);
    if (!connected) {
        if (connection->gone_)
            throw BrowserGoneError(QStringLiteral("No browser companion listens at %1.").arg(socketPath));
        throw TimeoutError(QStringLiteral("The browser companion did not accept the connection in time."));
    }
    return connection;
}

qint64 CompanionConnection::send(const QString& operation, QJsonObject params) {
    if (gone_)
        throw BrowserGoneError(QStringLiteral("The browser has gone away."));
    const qint64 id = nextId_++;
    params.insert(QStringLiteral("id"), double(id));
    params.insert(QStringLiteral("op"), operation);
    const QByteArray text = QJsonDocument(params).toJson(QJsonDocument::Compact);
    if (text.size() > CompanionNames::kMaxToExtension)
        throw PageError(QStringLiteral("The request is larger than the browser lets through (%1 bytes).")
                            .arg(text.size()));
    waiting_.insert(id);
    socket_.write(NativeMessageReader::frame(text));
    return id;
}

std::optional<CompanionConnection::Reply> CompanionConnection::take(qint64 id) {
    const auto found = replies_.find(id);
    if (found == replies_.end())
        return std::nullopt;
    Reply reply = found.value();
    replies_.erase(found);
    return reply;
}

QJsonValue CompanionConnection::call(const QString& operation, const QJsonObject& params) {
    const qint64 id = send(operation, params);
    std::optional<Reply> reply;
    waitUntil(QDeadlineTimer(kBoundMs), [&] { return (reply = take(id)).has_value(); });
    if (!reply) {
        waiting_.remove(id);
        if (gone_)
            throw BrowserGoneError(QStringLiteral("The browser has gone away."));
        throw TimeoutError(QStringLiteral("The browser did not answer within %1 ms.").arg(kBoundMs));
    }
    if (reply->gone)
        throw BrowserGoneError(reply->error);
    if (!reply->ok())
        throw PageError(reply->error);
    return reply->result;
}

void CompanionConnection::waitUntil(const QDeadlineTimer& deadline, const std::function<bool()>& done) {
    BoundedWait wait(deadline);
    wait.wakeOn(this, &CompanionConnection::progressed);
    wait.until([this, &done] { return done() || gone_; });
}

void CompanionConnection::onReadable() {
    reader_.append(socket_.readAll());
    bool answered = false;
    while (const auto message = reader_.next()) {
        const qint64 id = qint64(message->object.value(QLatin1String("id")).toDouble(-1));
        if (!waiting_.remove(id))
            continue;  // an answer nobody waits for any more (past its bound)
        Reply reply;
        if (message->object.contains(QLatin1String("error"))) {
            const QJsonObject error = message->object.value(QLatin1String("error")).toObject();
            reply.error = error.value(QLatin1String("message")).toString();
            if (reply.error.isEmpty())
                reply.error = QStringLiteral("The browser refused the request.");
            reply.gone = error.value(QLatin1String("kind")).toString() == QLatin1String("gone");
        } else {
            reply.result = message->object.value(QLatin1String("result"));
        }
        replies_.insert(id, reply);
        answered = true;
    }
    if (reader_.broken()) {
        // What follows a message that cannot be read cannot be trusted either.
        socket_.abort();
        markGone();
    }
    if (answered)
        emit progressed();
}

void CompanionConnection::markGone() {
    if (!gone_) {
        gone_ = true;
        emit progressed();
    }
}

}  // namespace vorlaken
