#pragma once

#include <QObject>
#include <QSocketNotifier>

#include "platform/companion/NativeMessageReader.h"

namespace vorlaken {

// The host's side of the browser's native-messaging pipe: messages from the extension arrive on
// standard input, messages to it leave on standard output, both framed by their length.
class StdioChannel : public QObject {
    Q_OBJECT
  public:
    explicit StdioChannel(qsizetype maxIncoming, QObject* parent = nullptr);

    // Sends one JSON text (already checked) to the extension.
    void send(const QByteArray& text);

  signals:
    void received(const vorlaken::NativeMessage& message);
    // The browser closed the pipe, or sent what cannot be read: the host has nothing more to do.
    void closed();

  private:
    void onReadable();
    void close();

    QSocketNotifier notifier_;
    NativeMessageReader reader_;
    bool closed_ = false;
};

}  // namespace vorlaken
