// libFuzzer target: Content-Encoding decoding of a stored body. The first byte picks the codings, the
// rest is the stored body, fed in blocks of a size the second byte picks.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "platform/browsercache/BodyDecoder.h"
#include "platform/browsercache/PictureSniffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    static const char* const kEncodings[] = {"gzip",     "deflate",       "br", "zstd", "gzip, br",
                                             "br, zstd", "deflate, gzip", ""};
    const QString encoding = QString::fromLatin1(kEncodings[data[0] % 8]);
    const qsizetype block = 1 + data[1];
    const QByteArray stored(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    constexpr qint64 kBound = 1 << 20;
    vorlaken::BodyDecoder decoder(*vorlaken::BodyDecoder::codingsOf(encoding), kBound);
    QByteArray out;
    for (qsizetype at = 0; at < stored.size(); at += block) {
        if (!decoder.feed(QByteArrayView(stored).sliced(at, qMin(block, stored.size() - at)), &out)) {
            break;
        }
        if (out.size() > kBound) {
            std::abort();
        }
    }
    decoder.finish();
    const QByteArray start = vorlaken::BodyDecoder::decodeStart(
        *vorlaken::BodyDecoder::codingsOf(encoding), stored, vorlaken::PictureSniffer::kSniffLength);
    if (start.size() > vorlaken::PictureSniffer::kSniffLength) {
        std::abort();
    }
    vorlaken::PictureSniffer::typeOf(start);
    return 0;
}
