#include "BodyExtractor.h"

#include <QTemporaryFile>

#include <cstdio>

#include <zlib.h>

#include "BodyDecoder.h"
#include "ByteSource.h"
#include "FirefoxCacheHash.h"

namespace vorlaken {

bool BodyExtractor::write(const CacheRecord& record, const QString& target) {
    if (!record.usable || record.truncated || record.bodyOffset < 0 || record.bodyLength < 0) {
        return false;
    }
    const std::optional<std::vector<BodyDecoder::Coding>> codings =
        BodyDecoder::codingsOf(record.contentEncoding);
    if (!codings) {
        return false;
    }
    const bool hashed = record.format == CacheRecord::Format::Firefox;
    if (hashed && record.chunkHashes.size() != (record.bodyLength + kBlock - 1) / kBlock) {
        return false;
    }
    FileByteSource in(record.entryFile);
    if (!in.isOpen() || in.size() < record.bodyOffset + record.bodyLength) {
        return false;
    }
    // The whole copy is checked before it replaces anything. The copy is ours to make again at any
    // time, so it is renamed into place without waiting for the disk (a sync per picture costs a save
    // run of many pictures seconds).
    QTemporaryFile out(target + QLatin1String(".XXXXXX"));
    if (!out.open()) {
        return false;
    }
    BodyDecoder decoder(*codings);
    uLong crc = crc32(0, nullptr, 0);
    qint64 done = 0;
    QByteArray decoded;
    while (done < record.bodyLength) {
        const QByteArray block = in.read(record.bodyOffset + done, qMin(kBlock, record.bodyLength - done));
        if (block.isEmpty()) {
            return false;
        }
        if (hashed && FirefoxCacheHash::chunkHash(block) != record.chunkHashes.at(done / kBlock)) {
            return false;
        }
        crc = crc32(crc, reinterpret_cast<const Bytef*>(block.constData()), uInt(block.size()));
        done += block.size();
        decoded.clear();
        if (!decoder.feed(block, &decoded) || out.write(decoded) != decoded.size()) {
            return false;
        }
    }
    if (record.bodyHasCrc && quint32(crc) != record.bodyCrc) {
        return false;
    }
    if (!decoder.finish() || !out.flush()) {
        return false;
    }
    // rename() replaces whatever has the name, a planted link included, and never follows it.
    if (::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(target).constData()) != 0) {
        return false;
    }
    out.setAutoRemove(false);
    return true;
}

}  // namespace vorlaken
