#include "SimpleCacheWriter.h"

#include <QCryptographicHash>
#include <QFile>
#include <QtEndian>

#include <zlib.h>

namespace vorlaken::test {

namespace {

constexpr quint64 kHeaderMagic = 0xfcfb6d1ba7725c30ULL;
constexpr quint64 kEndMagic = 0xf4fa6f45970d41d8ULL;

template <typename T>
void append(QByteArray* bytes, T value) {
    char raw[sizeof(T)];
    qToLittleEndian(value, raw);
    bytes->append(raw, sizeof(T));
}

quint32 crcOf(const QByteArray& bytes) {
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

void appendEnd(QByteArray* bytes, quint32 flags, quint32 crc, qint32 streamSize) {
    append<quint64>(bytes, kEndMagic);
    append<quint32>(bytes, flags);
    append<quint32>(bytes, crc);
    append<qint32>(bytes, streamSize);
    append<quint32>(bytes, 0);
}

void appendPickleString(QByteArray* bytes, const QByteArray& text) {
    append<qint32>(bytes, qint32(text.size()));
    bytes->append(text);
    bytes->append(QByteArray((4 - text.size() % 4) % 4, '\0'));
}

quint32 get16(const uchar* p) {
    return quint32(p[0]) | (quint32(p[1]) << 8);
}

}  // namespace

quint32 SimpleCacheWriter::keyHash(const QByteArray& key) {
    // Paul Hsieh's SuperFastHash, as Chromium persists it.
    int len = int(key.size());
    if (len <= 0) {
        return 0;
    }
    const uchar* data = reinterpret_cast<const uchar*>(key.constData());
    quint32 hash = quint32(len);
    const int rem = len & 3;
    for (len >>= 2; len > 0; --len) {
        hash += get16(data);
        const quint32 tmp = (get16(data + 2) << 11) ^ hash;
        hash = (hash << 16) ^ tmp;
        data += 4;
        hash += hash >> 11;
    }
    switch (rem) {
        case 3:
            hash += get16(data);
            hash ^= hash << 16;
            hash ^= quint32(qint32(static_cast<signed char>(data[2]))) << 18;
            hash += hash >> 11;
            break;
        case 2:
            hash += get16(data);
            hash ^= hash << 11;
            hash += hash >> 17;
            break;
        case 1:
            hash += quint32(qint32(static_cast<signed char>(data[0])));
            hash ^= hash << 10;
            hash += hash >> 1;
            break;
        default:
            break;
    }
    hash ^= hash << 3;
    hash += hash >> 5;
    hash ^= hash << 4;
    hash += hash >> 17;
    hash ^= hash << 25;
    hash += hash >> 6;
    return hash;
}

QString SimpleCacheWriter::fileName(const QByteArray& key) {
    const QByteArray sha = QCryptographicHash::hash(key, QCryptographicHash::Sha1);
    return QStringLiteral("%1_0").arg(qFromLittleEndian<quint64>(sha.constData()), 16, 16, QLatin1Char('0'));
}

QByteArray SimpleCacheWriter::entryBytes(const QByteArray& key, const QByteArray& body,
                                         const QByteArray& responseInfo) {
    QByteArray bytes;
    bytes.reserve(24 + key.size() + body.size() + responseInfo.size() + 80);
    append<quint64>(&bytes, kHeaderMagic);
    append<quint32>(&bytes, 5);
    append<quint32>(&bytes, quint32(key.size()));
    append<quint32>(&bytes, keyHash(key));
    append<quint32>(&bytes, 0);
    bytes.append(key);
    bytes.append(body);
    appendEnd(&bytes, 1, crcOf(body), 0);
    bytes.append(responseInfo);
    bytes.append(QCryptographicHash::hash(key, QCryptographicHash::Sha256));
    appendEnd(&bytes, 3, crcOf(responseInfo), qint32(responseInfo.size()));
    return bytes;
}

QByteArray SimpleCacheWriter::responseInfo(const QByteArray& rawHeaders, qint64 timeMicros) {
    QByteArray payload;
    append<qint32>(&payload, qint32(0x80040003));  // version 3, extra flags follow
    append<qint32>(&payload, 6);
    append<qint64>(&payload, timeMicros);  // request, response and original response time
    append<qint64>(&payload, timeMicros);
    append<qint64>(&payload, timeMicros);
    appendPickleString(&payload, rawHeaders);
    appendPickleString(&payload, "127.0.0.1");
    append<quint16>(&payload, 80);
    payload.append(QByteArray(2, '\0'));
    QByteArray pickle;
    append<quint32>(&pickle, quint32(payload.size()));
    return pickle + payload;
}

QByteArray SimpleCacheWriter::keyFor(const QString& url, const QString& site) {
    return QStringLiteral("1/0/_dk_%1 %1 %2").arg(site, url).toUtf8();
}

bool SimpleCacheWriter::write(const QString& folder, const QByteArray& key, const QByteArray& body,
                              const QByteArray& responseInfo) {
    QFile file(folder + QLatin1Char('/') + fileName(key));
    const QByteArray bytes = entryBytes(key, body, responseInfo);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace vorlaken::test
