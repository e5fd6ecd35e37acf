#include "companionhost/StdioChannel.h"

#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace vorlaken {

namespace {

constexpr int kIn = STDIN_FILENO;
constexpr int kOut = STDOUT_FILENO;

}  // namespace

StdioChannel::StdioChannel(qsizetype maxIncoming, QObject* parent)
    : QObject(parent), notifier_(kIn, QSocketNotifier::Read), reader_(maxIncoming) {
    connect(&notifier_, &QSocketNotifier::activated, this, &StdioChannel::onReadable);
}

void StdioChannel::onReadable() {
    char buffer[64 * 1024];
    const ssize_t got = ::read(kIn, buffer, sizeof buffer);
    if (got < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (got <= 0) {
        close();
        return;
    }
    reader_.append(QByteArray(buffer, qsizetype(got)));
    while (const auto message = reader_.next())
        emit received(*message);
    if (reader_.broken()) {
        std::fprintf(stderr, "grabnest-host: %s\n", qPrintable(reader_.error()));
        close();
    }
}

void StdioChannel::send(const QByteArray& text) {
    if (closed_)
        return;
    const QByteArray framed = NativeMessageReader::frame(text);
    qsizetype written = 0;
    while (written < framed.size()) {
        const ssize_t put = ::write(kOut, framed.constData() + written, std::size_t(framed.size() - written));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            close();
            return;
        }
        written += put;
    }
}

void StdioChannel::close() {
    if (closed_)
        return;
    closed_ = true;
    notifier_.setEnabled(false);
    emit closed();
}

}  // namespace vorlaken
