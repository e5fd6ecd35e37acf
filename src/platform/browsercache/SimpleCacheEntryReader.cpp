#include "SimpleCacheEntryReader.h"

#include <cstring>

#include <QtEndian>

#include <zlib.h>

#include "ResponseHead.h"
#include "StoredBody.h"

namespace vorlaken {

namespace {

struct EndRecord {
    quint32 flags = 0;
    quint32 crc = 0;
    qint32 streamSize = 0;
};

std::optional<EndRecord> readEndRecord(ByteSource& source, qint64 offset) {
    const QByteArray bytes = source.read(offset, SimpleCacheEntryReader::kEndRecordSize);
    if (bytes.size() != SimpleCacheEntryReader::kEndRecordSize) {
        return std::nullopt;
    }
    const uchar* p = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint64>(p) != SimpleCacheEntryReader::kEndMagic) {
        return std::nullopt;
    }
    EndRecord record;
    record.flags = qFromLittleEndian<quint32>(p + 8);
    record.crc = qFromLittleEndian<quint32>(p + 12);
    record.streamSize = qFromLittleEndian<qint32>(p + 16);
    return record;
}

bool isWebAddress(const QString& text) {
    return text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

}  // namespace

QString SimpleCacheEntryReader::urlOfKey(const QByteArray& key) {
    // Addresses in keys are escaped and hold no space; whatever precedes the last space is partition.
    const qsizetype space = key.lastIndexOf(' ');
    const QByteArray last = space >= 0 ? key.mid(space + 1) : key;
    // Before the address only the prefix: digits, slashes, letters and underscores, never a colon, so
    // the first scheme found is where the address starts.
    qsizetype at = 0;
    while (at < last.size() && last.at(at) != ':') {
        const QByteArrayView rest = QByteArrayView(last).sliced(at);
        if (rest.startsWith("http://") || rest.startsWith("https://")) {
            break;
        }
        ++at;
    }
    if (at > 32) {
        return {};  // no prefix Chromium writes is that long
    }
    const QString url = QString::fromUtf8(last.mid(at));
    if (!isWebAddress(url) || url.size() <= 8) {
        return {};
    }
    return url;
}

quint32 SimpleCacheEntryReader::flagsOfResponseInfo(const QByteArray& pickle) {
    return pickle.size() >= 8 ? qFromLittleEndian<quint32>(pickle.constData() + 4) : 0;
}

qint64 SimpleCacheEntryReader::timeOfResponseInfo(const QByteArray& pickle) {
    // flags, [extra flags], request time, response time: microseconds since 1601-01-01 UTC.
    constexpr qint64 kWindowsToUnixMicroseconds = 11644473600000000LL;
    const qsizetype timesAt = (flagsOfResponseInfo(pickle) & kInfoExtraFlags) ? 12 : 8;
    if (pickle.size() < timesAt + 16) {
        return 0;
    }
    const qint64 latest = qMax(qFromLittleEndian<qint64>(pickle.constData() + timesAt),
                               qFromLittleEndian<qint64>(pickle.constData() + timesAt + 8));
    // Times before 2000 or after 2100 are no times a browser wrote.
    if (latest < kWindowsToUnixMicroseconds + 946684800000000LL ||
        latest > kWindowsToUnixMicroseconds + 4102444800000000LL) {
        return 0;
    }
    return (latest - kWindowsToUnixMicroseconds) / 1000;
}

QByteArray SimpleCacheEntryReader::headersOfResponseInfo(const QByteArray& pickle) {
    // The pickle is a payload size followed by 4-byte aligned fields; the head is a length-prefixed
    // string starting with "HTTP/". The fields before it changed between versions, so look for it.
    for (qsizetype at = 8; at + 5 <= pickle.size(); at += 4) {
        if (std::memcmp(pickle.constData() + at, "HTTP/", 5) != 0) {
            continue;
        }
        const qint32 length = qFromLittleEndian<qint32>(pickle.constData() + at - 4);
        if (length > 0 && length <= pickle.size() - at) {
            return pickle.mid(at, length);
        }
    }
    return {};
}

std::optional<CacheRecord> SimpleCacheEntryReader::read(ByteSource& source, ReadFailure* failure) {
    ReadFailure ignored = ReadFailure::Unreadable;
    ReadFailure& why = failure != nullptr ? *failure : ignored;
    why = ReadFailure::Unreadable;
    const qint64 size = source.size();
    if (size < kHeaderSize + 2 * kEndRecordSize) {
        return std::nullopt;
    }
    const QByteArray header = source.read(0, kHeaderSize);
    if (header.size() != kHeaderSize) {
        return std::nullopt;
    }
    const uchar* h = reinterpret_cast<const uchar*>(header.constData());
    if (qFromLittleEndian<quint64>(h) != kHeaderMagic || qFromLittleEndian<quint32>(h + 8) != kVersion) {
        return std::nullopt;
    }
    const quint32 keyLength = qFromLittleEndian<quint32>(h + 12);
    if (keyLength == 0 || keyLength > quint32(kMaxKeyLength) ||
        qint64(keyLength) > size - kHeaderSize - 2 * kEndRecordSize) {
        return std::nullopt;
    }
    const QString url = urlOfKey(source.read(kHeaderSize, keyLength));
    if (url.isEmpty()) {
        why = ReadFailure::NotWeb;
        return std::nullopt;
    }

    const std::optional<EndRecord> end0 = readEndRecord(source, size - kEndRecordSize);
    if (!end0 || end0->streamSize < 0 || end0->streamSize > kMaxHeadersLength) {
        return std::nullopt;
    }
    const qint64 shaSize = (end0->flags & kFlagKeySha) ? kKeyShaSize : 0;
    const qint64 stream0Offset = size - kEndRecordSize - shaSize - end0->streamSize;
    const qint64 end1Offset = stream0Offset - kEndRecordSize;
    const qint64 bodyOffset = kHeaderSize + qint64(keyLength);
    if (end1Offset < bodyOffset) {
        return std::nullopt;
    }
    const std::optional<EndRecord> end1 = readEndRecord(source, end1Offset);
    if (!end1) {
        return std::nullopt;
    }
    const QByteArray stream0 = source.read(stream0Offset, end0->streamSize);
    if (stream0.size() != end0->streamSize) {
        return std::nullopt;
    }
    if ((end0->flags & kFlagCrc) && quint32(crc32(0, reinterpret_cast<const Bytef*>(stream0.constData()),
                                                  uInt(stream0.size()))) != end0->crc) {
        return std::nullopt;
    }
    const ResponseHead head = ResponseHead::parse(headersOfResponseInfo(stream0));

    CacheRecord record;
    record.format = CacheRecord::Format::ChromiumSimple;
    record.sourceUrl = url;
    record.bodyOffset = bodyOffset;
    record.bodyLength = end1Offset - bodyOffset;
    record.bodyHasCrc = (end1->flags & kFlagCrc) != 0;
    record.bodyCrc = end1->crc;
    record.lastUsedMs = timeOfResponseInfo(stream0);
    // Chromium keeps a body that broke off, to resume it later, and marks its response info.
    record.truncated = (flagsOfResponseInfo(stream0) & kInfoTruncated) != 0;
    StoredBody::assess(head, source, &record);
    return record;
}

}  // namespace vorlaken
