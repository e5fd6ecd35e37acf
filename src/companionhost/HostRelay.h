#pragma once

#include <functional>
#include <memory>
#include <unordered_map>

#include <QHash>
#include <QLocalServer>
#include <QObject>

#include "platform/companion/NativeMessageReader.h"

class QLocalSocket;

namespace vorlaken {

// Relays between the extension (one browser profile) and the copies of grabnest that connect to this
// host's local socket. Every request of grabnest goes to the extension as it came, once it has been
// checked (size, an id of its own, an operation); every answer goes back to the connection that asked,
// and to nobody else. The extension's toolbar button starts grabnest.
class HostRelay : public QObject {
    Q_OBJECT
  public:
    // Requests one connection may have waiting at a time.
    static constexpr int kMaxWaiting = 256;

    HostRelay(std::function<void(const QByteArray&)> toExtension, std::function<void()> onButton,
              QObject* parent = nullptr);
    ~HostRelay() override;

    // Listens on a socket of its own in the folder (made private to the user when missing). False
    // when that cannot be done.
    bool listen(const QString& folder);
    QString socketPath() const { return server_.fullServerName(); }

    void fromExtension(const NativeMessage& message);

  private:
    void onNewConnection();
    void fromClient(QLocalSocket* client, const NativeMessage& message);
    void refuse(QLocalSocket* client, double id, const QString& why);
    void dropClient(QLocalSocket* client);

    std::function<void(const QByteArray&)> toExtension_;
    std::function<void()> onButton_;
    QLocalServer server_;
    std::unordered_map<QLocalSocket*, std::unique_ptr<NativeMessageReader>> readers_;
    // Request id -> the connection waiting for its answer.
    QHash<qint64, QLocalSocket*> waiting_;
};

}  // namespace vorlaken
