#include "FirefoxCacheHash.h"

namespace vorlaken {

namespace {

void mix(quint32& a, quint32& b, quint32& c) {
    a -= b;
    a -= c;
    a ^= (c >> 13);
    b -= c;
    b -= a;
    b ^= (a << 8);
    c -= a;
    c -= b;
    c ^= (b >> 13);
    a -= b;
    a -= c;
    a ^= (c >> 12);
    b -= c;
    b -= a;
    b ^= (a << 16);
    c -= a;
    c -= b;
    c ^= (b >> 5);
    a -= b;
    a -= c;
    a ^= (c >> 3);
    b -= c;
    b -= a;
    b ^= (a << 10);
    c -= a;
    c -= b;
    c ^= (b >> 15);
}

quint32 word(const uchar* k) {
    return quint32(k[0]) | (quint32(k[1]) << 8) | (quint32(k[2]) << 16) | (quint32(k[3]) << 24);
}

}  // namespace

quint32 FirefoxCacheHash::hash(QByteArrayView data, quint32 seed) {
    const uchar* k = reinterpret_cast<const uchar*>(data.data());
    qsizetype left = data.size();
    quint32 a = 0x9e3779b9;
    quint32 b = 0x9e3779b9;
    quint32 c = seed;
    while (left >= 12) {
        a += word(k);
        b += word(k + 4);
        c += word(k + 8);
        mix(a, b, c);
        k += 12;
        left -= 12;
    }
    c += quint32(data.size());
    // The remaining bytes; the lowest byte of c holds the length.
    switch (left) {
        case 11:
            c += quint32(k[10]) << 24;
            [[fallthrough]];
        case 10:
            c += quint32(k[9]) << 16;
            [[fallthrough]];
        case 9:
            c += quint32(k[8]) << 8;
            [[fallthrough]];
        case 8:
            b += quint32(k[7]) << 24;
            [[fallthrough]];
        case 7:
            b += quint32(k[6]) << 16;
            [[fallthrough]];
        case 6:
            b += quint32(k[5]) << 8;
            [[fallthrough]];
        case 5:
            b += k[4];
            [[fallthrough]];
        case 4:
            a += quint32(k[3]) << 24;
            [[fallthrough]];
        case 3:
            a += quint32(k[2]) << 16;
            [[fallthrough]];
        case 2:
            a += quint32(k[1]) << 8;
            [[fallthrough]];
        case 1:
            a += k[0];
            break;
        default:
            break;
    }
    mix(a, b, c);
    return c;
}

}  // namespace vorlaken
