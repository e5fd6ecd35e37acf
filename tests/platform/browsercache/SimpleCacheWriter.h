#pragma once

#include <QByteArray>
#include <QString>

namespace vorlaken::test {

// Writes entry files of Chromium's simple cache the way Chromium does, for benchmarks and for tests
// that need caches of a given shape. The browser cache tests check its output byte for byte against
// files a real Chromium wrote.
class SimpleCacheWriter {
  public:
    // "<16 hex digits>_0": the first eight bytes of the key's SHA-1, little-endian.
    static QString fileName(const QByteArray& key);
    // The whole entry file: header, key, body, end record, response info, key SHA-256, end record.
    static QByteArray entryBytes(const QByteArray& key, const QByteArray& body,
                                 const QByteArray& responseInfo);
    // A pickled response info holding these NUL-separated header lines ("HTTP/1.1 200 OK\0...\0\0").
    static QByteArray responseInfo(const QByteArray& rawHeaders, qint64 timeMicros);
    // The key Chromium uses today for an address loaded by a page of the same site.
    static QByteArray keyFor(const QString& url, const QString& site);
    // Writes the entry into folder; false when the file could not be written.
    static bool write(const QString& folder, const QByteArray& key, const QByteArray& body,
                      const QByteArray& responseInfo);
    // The key hash of the header (Chromium's persistent hash of the key).
    static quint32 keyHash(const QByteArray& key);
};

}  // namespace vorlaken::test
