#pragma once

#include <QByteArrayView>

namespace vorlaken {

// The hash Firefox's cache2 keeps for each 256 KiB chunk of a body (Bob Jenkins' lookup2, seed 0;
// the chunk hash is its low 16 bits).
class FirefoxCacheHash {
  public:
    static quint32 hash(QByteArrayView data, quint32 seed = 0);
    static quint16 chunkHash(QByteArrayView chunk) { return quint16(hash(chunk) & 0xffff); }
};

}  // namespace vorlaken
