#pragma once

#include <QByteArray>

namespace vorlaken::test {

// Encodes bodies the way servers send them with Content-Encoding.
class BodyEncoding {
  public:
    static QByteArray gzip(const QByteArray& body);
    // The zlib-wrapped stream; raw = true gives the bare deflate stream some servers send instead.
    static QByteArray deflate(const QByteArray& body, bool raw = false);
    static QByteArray brotli(const QByteArray& body);
    static QByteArray zstd(const QByteArray& body);
};

}  // namespace vorlaken::test
