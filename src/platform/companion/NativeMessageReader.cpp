#include "platform/companion/NativeMessageReader.h"

#include <cstdint>
#include <cstring>

#include <QJsonDocument>
#include <QJsonParseError>

namespace vorlaken {

namespace {

constexpr qsizetype kLengthBytes = sizeof(std::uint32_t);

}  // namespace

NativeMessageReader::NativeMessageReader(qsizetype maxBytes) : maxBytes_(maxBytes) {}

void NativeMessageReader::append(const QByteArray& bytes) {
    if (broken())
        return;
    // What was handed out already goes before the buffer grows, so that a long stream does not pile up.
    if (start_ > 0 && start_ * 2 >= buffer_.size()) {
        buffer_.remove(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes);
}

std::optional<NativeMessage> NativeMessageReader::next() {
    if (broken() || buffer_.size() - start_ < kLengthBytes)
        return std::nullopt;
    std::uint32_t length = 0;
    std::memcpy(&length, buffer_.constData() + start_, kLengthBytes);
    if (qint64(length) > qint64(maxBytes_)) {
        error_ =
            QStringLiteral("A message of %1 bytes is beyond the bound of %2.").arg(length).arg(maxBytes_);
        return std::nullopt;
    }
    if (buffer_.size() - start_ - kLengthBytes < qsizetype(length))
        return std::nullopt;
    NativeMessage message;
    message.text = buffer_.mid(start_ + kLengthBytes, qsizetype(length));
    start_ += kLengthBytes + qsizetype(length);
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(message.text, &parse);
    if (parse.error != QJsonParseError::NoError || !document.isObject()) {
        error_ = QStringLiteral("A message is not a JSON object.");
        return std::nullopt;
    }
    message.object = document.object();
    return message;
}

QByteArray NativeMessageReader::frame(const QByteArray& text) {
    const std::uint32_t length = std::uint32_t(text.size());
    QByteArray framed(kLengthBytes, Qt::Uninitialized);
    std::memcpy(framed.data(), &length, kLengthBytes);
    return framed + text;
}

QByteArray NativeMessageReader::frame(const QJsonObject& object) {
    return frame(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

}  // namespace vorlaken
