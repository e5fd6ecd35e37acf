#include <QTest>

#include "BodyEncoding.h"
#include "platform/browsercache/BodyDecoder.h"
#include "platform/browsercache/LocalFileNamer.h"
#include "platform/browsercache/PictureSniffer.h"
#include "platform/browsercache/ResponseHead.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

QByteArray sample() {
    QByteArray text;
    for (int i = 0; i < 20000; ++i) {
        text += QByteArray::number(i * 7919 % 1000) + ',';
    }
    return text;
}

// Decodes in small blocks, as the copy does with large bodies. Null when decoding failed.
QByteArray decodeAll(const QString& encoding, const QByteArray& stored, qint64 maxOutput = 1 << 24) {
    const std::optional<std::vector<BodyDecoder::Coding>> codings = BodyDecoder::codingsOf(encoding);
    if (!codings) {
        return {};
    }
    BodyDecoder decoder(*codings, maxOutput);
    QByteArray out("");
    for (qsizetype at = 0; at < stored.size(); at += 1000) {
        if (!decoder.feed(QByteArrayView(stored).sliced(at, qMin<qsizetype>(1000, stored.size() - at)),
                          &out)) {
            return {};
        }
    }
    return decoder.finish() ? out : QByteArray();
}

}  // namespace

// Content-Encoding decoding of stored bodies, telling a picture's type from its bytes, and the names
// that follow from the type.
class BodyDecodingTest : public QObject {
    Q_OBJECT

  private slots:
    void decodes_data() {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("decodes");
        const QByteArray body = sample();
        const QByteArray gzip = BodyEncoding::gzip(body);
        QTest::newRow("none") << "" << body << true;
        QTest::newRow("identity") << "identity" << body << true;
        QTest::newRow("gzip") << "gzip" << gzip << true;
        QTest::newRow("x-gzip, upper case") << "X-GZIP" << gzip << true;
        QTest::newRow("deflate, zlib-wrapped") << "deflate" << BodyEncoding::deflate(body) << true;
        QTest::newRow("deflate, bare") << "deflate" << BodyEncoding::deflate(body, true) << true;
        QTest::newRow("br") << "br" << BodyEncoding::brotli(body) << true;
        QTest::newRow("zstd") << "zstd" << BodyEncoding::zstd(body) << true;
        QTest::newRow("gzip then br") << "gzip, br" << BodyEncoding::brotli(gzip) << true;
        QTest::newRow("gzip cut short") << "gzip" << gzip.left(gzip.size() / 2) << false;
        QTest::newRow("br cut short") << "br" << BodyEncoding::brotli(body).chopped(10) << false;
        QTest::newRow("zstd cut short") << "zstd" << BodyEncoding::zstd(body).chopped(10) << false;
        QByteArray damaged = gzip;
        damaged[damaged.size() / 2] = char(damaged.at(damaged.size() / 2) ^ 0x5a);
        QTest::newRow("gzip damaged") << "gzip" << damaged << false;
        QTest::newRow("stored plain, labelled gzip") << "gzip" << body << false;
        QTest::newRow("unknown coding") << "compress" << body << false;
        QTest::newRow("br labelled zstd") << "zstd" << BodyEncoding::brotli(body) << false;
    }

    void decodes() {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, stored);
        QFETCH(bool, decodes);
        const QByteArray decoded = decodeAll(encoding, stored);
        QCOMPARE(!decoded.isNull(), decodes);
        if (decodes) {
            QCOMPARE(decoded, sample());
        }
    }

    void outputIsBounded_data() {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("stored");
        // Sixteen MiB of zeros pack into a few kilobytes.
        const QByteArray zeros(16 << 20, '\0');
        QTest::newRow("gzip") << "gzip" << BodyEncoding::gzip(zeros);
        QTest::newRow("br") << "br" << BodyEncoding::brotli(zeros);
        QTest::newRow("zstd") << "zstd" << BodyEncoding::zstd(zeros);
    }

    void outputIsBounded() {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, stored);
        QVERIFY(stored.size() < 100000);
        QVERIFY(decodeAll(encoding, stored, 1 << 20).isNull());
        QCOMPARE(decodeAll(encoding, stored, 1 << 25).size(), 16 << 20);
    }

    void startOfAnEncodedBodyTellsItsType() {
        const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + sample();
        const QByteArray stored = BodyEncoding::gzip(png);
        const QByteArray start = BodyDecoder::decodeStart(*BodyDecoder::codingsOf(QStringLiteral("gzip")),
                                                          QByteArrayView(stored).first(200), 64);
        QCOMPARE(start, png.left(64));
        QCOMPARE(PictureSniffer::typeOf(start), QStringLiteral("image/png"));
    }

    void sniffs_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("type");
        QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "image/png";
        QTest::newRow("jpeg") << QByteArray("\xff\xd8\xff\xe0\0\x10JFIF", 10) << "image/jpeg";
        QTest::newRow("gif") << QByteArray("GIF89a\1\0\1\0") << "image/gif";
        QTest::newRow("webp") << QByteArray::fromBase64("UklGRhoAAABXRUJQVlA4TA0AAAAvAAAAEAcQERGIiP4HAA==")
                              << "image/webp";
        QTest::newRow("avif") << QByteArray(
                                     "\0\0\0\x1c"
                                     "ftypavif\0\0\0\0avifmif1miaf",
                                     28)
                              << "image/avif";
        QTest::newRow("avif as compatible brand") << QByteArray(
                                                         "\0\0\0\x18"
                                                         "ftypmif1\0\0\0\0mif1avif",
                                                         24)
                                                  << "image/avif";
        QTest::newRow("mp4 is no avif") << QByteArray(
                                               "\0\0\0\x18"
                                               "ftypisom\0\0\0\0isomavc1",
                                               24)
                                        << "";
        QTest::newRow("bmp") << QByteArray("BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18) << "image/bmp";
        QTest::newRow("text starting BM") << QByteArray("BMW cars for sale, cheap") << "";
        QTest::newRow("icon") << QByteArray("\0\0\1\0\1\0\x10\x10", 8) << "image/x-icon";
        QTest::newRow("svg") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"/>") << "image/svg+xml";
        QTest::newRow("svg after prolog")
            << QByteArray("\xef\xbb\xbf<?xml version=\"1.0\"?>\n<!-- drawn -->\n<!DOCTYPE svg>\n<svg>")
            << "image/svg+xml";
        QTest::newRow("html") << QByteArray("<!DOCTYPE html><html><svg></svg></html>") << "";
        QTest::newRow("svgfoo element") << QByteArray("<svgfoo>") << "";
        QTest::newRow("empty") << QByteArray() << "";
    }

    void sniffs() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, type);
        QCOMPARE(PictureSniffer::typeOf(bytes), type);
    }

    void effectiveType_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("sniffed");
        QTest::addColumn<QString>("effective");
        QTest::newRow("bytes beat a wrong picture type") << "image/jpeg"
                                                         << "image/webp"
                                                         << "image/webp";
        QTest::newRow("bytes beat a generic type") << "application/octet-stream"
                                                   << "image/png"
                                                   << "image/png";
        QTest::newRow("svg fills a missing type") << ""
                                                  << "image/svg+xml"
                                                  << "image/svg+xml";
        QTest::newRow("svg does not relabel html") << "text/html"
                                                   << "image/svg+xml"
                                                   << "text/html";
        QTest::newRow("nothing sniffed") << "text/css"
                                         << ""
                                         << "text/css";
    }

    void effectiveType() {
        QFETCH(QString, stored);
        QFETCH(QString, sniffed);
        QFETCH(QString, effective);
        QCOMPARE(PictureSniffer::effectiveType(stored, sniffed), effective);
    }

    void namesCarryTheTypesExtension_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::newRow("script address") << "http://h/img.php?id=1"
                                        << "image/png"
                                        << "img.png";
        QTest::newRow("odd ending") << "http://h/pics/abc.v2"
                                    << "image/png"
                                    << "abc.png";
        QTest::newRow("wrong ending") << "http://h/x/webp.jpg"
                                      << "image/webp"
                                      << "webp.webp";
        QTest::newRow("fitting ending stays") << "http://h/a/photo.JPEG"
                                              << "image/jpeg"
                                              << "photo.JPEG";
        QTest::newRow("no ending") << "http://h/a/pic"
                                   << "image/gif"
                                   << "pic.gif";
        QTest::newRow("page") << "http://h/index.html"
                              << "text/html"
                              << "index.html";
        QTest::newRow("unknown type keeps the address") << "http://h/a/data.v2"
                                                        << ""
                                                        << "data.v2";
        QTest::newRow("only an ending") << "http://h/.php"
                                        << "image/png"
                                        << "cached.png";
    }

    void namesCarryTheTypesExtension() {
        QFETCH(QString, url);
        QFETCH(QString, type);
        QFETCH(QString, name);
        QCOMPARE(LocalFileNamer::fileName(url, type), name);
    }

    void responseHeadFields() {
        QByteArray text;
        for (const char* line : {"HTTP/1.1 200 OK", "Content-Type: Image/PNG; q=1", "content-encoding: gzip",
                                 "Content-Encoding: br", "Content-Length: 1280", ""}) {
            text += QByteArray(line) + '\0';
        }
        const ResponseHead head = ResponseHead::parse(text);
        QCOMPARE(head.status, 200);
        QCOMPARE(head.contentType, QStringLiteral("image/png"));
        QCOMPARE(head.contentEncoding, QStringLiteral("gzip, br"));
        QCOMPARE(head.contentLength, 1280);
        QCOMPARE(ResponseHead::parse("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n")
                     .contentLength,
                 -1);
        QCOMPARE(ResponseHead::parse("HTTP/1.1 200 OK\r\nContent-Length: -5\r\n").contentLength, -1);
    }
};

QTEST_GUILESS_MAIN(BodyDecodingTest)
#include "tst_bodydecoding.moc"
