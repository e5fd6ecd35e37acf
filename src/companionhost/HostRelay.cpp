#include "companionhost/HostRelay.h"

#include <unistd.h>
#include <cmath>

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QLocalSocket>

#include "platform/companion/CompanionNames.h"

namespace vorlaken {

namespace {

// Ids travel as JSON numbers; beyond 2^53 they would not come back the same.
bool isId(const QJsonValue& value) {
    const double id = value.toDouble(std::nan(""));
    return value.isDouble() && std::trunc(id) == id && std::fabs(id) <= 9007199254740991.0;
}

constexpr qsizetype kMaxOperationName = 64;

}  // namespace

HostRelay::HostRelay(std::function<void(const QByteArray&)> toExtension, std::function<void()> onButton,
                     QObject* parent)
    : QObject(parent), toExtension_(std::move(toExtension)), onButton_(std::move(onButton)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &HostRelay::onNewConnection);
}

HostRelay::~HostRelay() {
    // Clients go first, while the server (their parent) and this relay still stand.
    for (auto& [client, reader] : readers_)
        client->disconnect(this);
    server_.close();
}

bool HostRelay::listen(const QString& folder) {
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder,
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return false;
    const QString path = QDir(folder).filePath(QStringLiteral("host-%1.socket").arg(::getpid()));
    QLocalServer::removeServer(path);
    return server_.listen(path);
}

void HostRelay::onNewConnection() {
    while (QLocalSocket* client = server_.nextPendingConnection()) {
        readers_.emplace(client, std::make_unique<NativeMessageReader>(CompanionNames::kMaxToExtension));
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            const auto found = readers_.find(client);
            if (found == readers_.end())
                return;
            NativeMessageReader& reader = *found->second;
            reader.append(client->readAll());
            while (const auto message = reader.next())
                fromClient(client, *message);
            if (reader.broken()) {
                // Nothing after a bad message can be read; the connection ends here.
                dropClient(client);
                client->abort();
            }
        });
        connect(client, &QLocalSocket::disconnected, this, [this, client] {
            dropClient(client);
            client->deleteLater();
        });
    }
}

void HostRelay::fromClient(QLocalSocket* client, const NativeMessage& message) {
    const QJsonValue id = message.object.value(QLatin1String("id"));
    const QJsonValue operation = message.object.value(QLatin1String("op"));
    if (!isId(id)) {
        refuse(client, 0, QStringLiteral("A request needs a number as its id."));
        return;
    }
    const qint64 key = qint64(id.toDouble());
    if (!operation.isString() || operation.toString().isEmpty() ||
        operation.toString().size() > kMaxOperationName) {
        refuse(client, id.toDouble(), QStringLiteral("A request needs an operation."));
        return;
    }
    if (waiting_.contains(key)) {
        refuse(client, id.toDouble(), QStringLiteral("Another request has this id."));
        return;
    }
    if (waiting_.keys(client).size() >= kMaxWaiting) {
        refuse(client, id.toDouble(), QStringLiteral("Too many requests wait for the browser."));
        return;
    }
    waiting_.insert(key, client);
    toExtension_(message.text);
}

void HostRelay::fromExtension(const NativeMessage& message) {
    const QJsonValue id = message.object.value(QLatin1String("id"));
    if (isId(id)) {
        QLocalSocket* client = waiting_.take(qint64(id.toDouble()));
        if (client && client->state() == QLocalSocket::ConnectedState)
            client->write(NativeMessageReader::frame(message.text));
        return;
    }
    if (message.object.value(QLatin1String("event")).toString() == QLatin1String("button"))
        onButton_();
}

void HostRelay::refuse(QLocalSocket* client, double id, const QString& why) {
    client->write(NativeMessageReader::frame(QJsonObject{
        {QStringLiteral("id"), id},
        {QStringLiteral("error"),
         QJsonObject{{QStringLiteral("kind"), QStringLiteral("page")}, {QStringLiteral("message"), why}}}}));
}

void HostRelay::dropClient(QLocalSocket* client) {
    readers_.erase(client);
    for (auto it = waiting_.begin(); it != waiting_.end();) {
        if (it.value() == client)
            it = waiting_.erase(it);
        else
            ++it;
    }
}

}  // namespace vorlaken
