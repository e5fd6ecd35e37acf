#include "BodyEncoding.h"

#include <brotli/encode.h>
#include <zlib.h>
#include <zstd.h>

namespace vorlaken::test {

namespace {

QByteArray zlibWith(const QByteArray& body, int windowBits) {
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        return {};
    }
    QByteArray out(qsizetype(deflateBound(&stream, uLong(body.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.constData()));
    stream.avail_in = uInt(body.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return result == Z_STREAM_END ? out : QByteArray();
}

}  // namespace

QByteArray BodyEncoding::gzip(const QByteArray& body) {
    return zlibWith(body, 15 + 16);
}

QByteArray BodyEncoding::deflate(const QByteArray& body, bool raw) {
    return zlibWith(body, raw ? -15 : 15);
}

QByteArray BodyEncoding::brotli(const QByteArray& body) {
    size_t size = BrotliEncoderMaxCompressedSize(size_t(body.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    if (!BrotliEncoderCompress(BROTLI_DEFAULT_QUALITY, BROTLI_DEFAULT_WINDOW, BROTLI_MODE_GENERIC,
                               size_t(body.size()), reinterpret_cast<const uint8_t*>(body.constData()), &size,
                               reinterpret_cast<uint8_t*>(out.data()))) {
        return {};
    }
    out.truncate(qsizetype(size));
    return out;
}

QByteArray BodyEncoding::zstd(const QByteArray& body) {
    QByteArray out(qsizetype(ZSTD_compressBound(size_t(body.size()))), Qt::Uninitialized);
    const size_t size =
        ZSTD_compress(out.data(), size_t(out.size()), body.constData(), size_t(body.size()), 3);
    if (ZSTD_isError(size)) {
        return {};
    }
    out.truncate(qsizetype(size));
    return out;
}

}  // namespace vorlaken::test
