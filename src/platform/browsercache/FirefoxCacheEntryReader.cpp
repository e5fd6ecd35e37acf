#include "FirefoxCacheEntryReader.h"

#include <QtEndian>

#include "ResponseHead.h"
#include "StoredBody.h"

namespace vorlaken {

namespace {

constexpr qint64 kFieldCount = 8;  // version .. flags, 32 bits each

}  // namespace

QString FirefoxCacheEntryReader::urlOfKey(const QByteArray& key) {
    qsizetype pos = 0;
    while (pos < key.size()) {
        if (key.at(pos) == ':') {
            const QString url = QString::fromUtf8(key.mid(pos + 1));
            const bool web = url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                             url.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
            return web && url.size() > 8 ? url : QString();
        }
        // Skip this tag up to its terminating comma; a doubled comma belongs to the tag's value.
        while (pos < key.size()) {
            if (key.at(pos) == ',') {
                if (pos + 1 < key.size() && key.at(pos + 1) == ',') {
                    pos += 2;
                    continue;
                }
                ++pos;
                break;
            }
            ++pos;
        }
    }
    return {};
}

std::optional<CacheRecord> FirefoxCacheEntryReader::read(ByteSource& source, ReadFailure* failure) {
    ReadFailure ignored = ReadFailure::Unreadable;
    ReadFailure& why = failure != nullptr ? *failure : ignored;
    why = ReadFailure::Unreadable;
    const qint64 size = source.size();
    if (size < 4) {
        return std::nullopt;
    }
    const QByteArray last = source.read(size - 4, 4);
    if (last.size() != 4) {
        return std::nullopt;
    }
    const qint64 metaOffset = qFromBigEndian<quint32>(last.constData());
    if (metaOffset > size - 4 || size - 4 - metaOffset > kMaxMetadataSize) {
        return std::nullopt;
    }
    const QByteArray meta = source.read(metaOffset, size - 4 - metaOffset);
    if (meta.size() != size - 4 - metaOffset) {
        return std::nullopt;
    }
    const qint64 chunks = (metaOffset + kChunkSize - 1) / kChunkSize;
    const qint64 headerAt = 4 + 2 * chunks;
    if (headerAt + 4 * kFieldCount > meta.size()) {
        return std::nullopt;
    }
    const auto field = [&](int index) {
        return qFromBigEndian<quint32>(meta.constData() + headerAt + 4 * index);
    };
    const quint32 version = field(0);
    if (version < 2 || version > 4) {
        return std::nullopt;
    }
    const quint32 lastFetched = field(2);
    const qint64 keySize = field(6);
    const qint64 keyAt = headerAt + 4 * kFieldCount;
    if (keySize <= 0 || keySize + 1 > meta.size() - keyAt || meta.at(keyAt + keySize) != '\0') {
        return std::nullopt;
    }
    const QString url = urlOfKey(meta.mid(keyAt, keySize));
    if (url.isEmpty()) {
        why = ReadFailure::NotWeb;
        return std::nullopt;
    }

    QByteArray responseHead;
    bool altData = false;
    qsizetype pos = keyAt + keySize + 1;
    while (pos < meta.size()) {
        const qsizetype nameEnd = meta.indexOf('\0', pos);
        if (nameEnd < 0) {
            break;
        }
        const qsizetype valueEnd = meta.indexOf('\0', nameEnd + 1);
        if (valueEnd < 0) {
            break;
        }
        const QByteArrayView name = QByteArrayView(meta).sliced(pos, nameEnd - pos);
        if (name == "response-head") {
            responseHead = meta.mid(nameEnd + 1, valueEnd - nameEnd - 1);
        } else if (name == "alt-data") {
            altData = true;
        }
        pos = valueEnd + 1;
    }
    const ResponseHead head = ResponseHead::parse(responseHead);

    CacheRecord record;
    record.format = CacheRecord::Format::Firefox;
    record.sourceUrl = url;
    record.lastUsedMs = qint64(lastFetched) * 1000;
    record.bodyOffset = 0;
    record.bodyLength = metaOffset;
    record.chunkHashes.reserve(chunks);
    for (qint64 i = 0; i < chunks; ++i) {
        record.chunkHashes.append(qFromBigEndian<quint16>(meta.constData() + 4 + 2 * i));
    }
    StoredBody::assess(head, source, &record);
    if (altData) {
        // Compiled scripts stored behind the body: never a picture, and the body's end is elsewhere.
        record.usable = false;
    }
    return record;
}

}  // namespace vorlaken
