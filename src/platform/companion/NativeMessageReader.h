#pragma once

#include <optional>

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace vorlaken {

// One message of the native-messaging framing: its JSON text as it came and the object it holds.
struct NativeMessage {
    QByteArray text;
    QJsonObject object;
};

// Splits a byte stream framed the way browsers talk to native-messaging hosts (a 32-bit length in the
// machine's byte order before each UTF-8 JSON text) into messages. Every message is checked before it is
// handed on: a length beyond the bound, or a text that is not a JSON object, breaks the stream for good,
// since nothing after it can be trusted to start where a message starts.
class NativeMessageReader {
  public:
    explicit NativeMessageReader(qsizetype maxBytes);

    void append(const QByteArray& bytes);
    // The next complete message; empty while none is complete or once the stream is broken.
    std::optional<NativeMessage> next();
    bool broken() const { return !error_.isEmpty(); }
    // Why the stream broke.
    const QString& error() const { return error_; }

    // The text with its length in front.
    static QByteArray frame(const QByteArray& text);
    static QByteArray frame(const QJsonObject& object);

  private:
    qsizetype maxBytes_;
    QByteArray buffer_;
    qsizetype start_ = 0;
    QString error_;
};

}  // namespace vorlaken
