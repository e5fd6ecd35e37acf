#include "BodiesFixture.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>

#include "BodyEncoding.h"

namespace vorlaken::test {

namespace {

// Noise does not compress: the PNG is as long as its pixels, so half of it is a clear half.
QByteArray noisePng(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, random.generate() | 0xff000000u);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A 1x1 lossless WebP.
const QByteArray kWebp = QByteArray::fromBase64("UklGRhoAAABXRUJQVlA4TA0AAAAvAAAAEAcQERGIiP4HAA==");

const QByteArray kSvg =
    "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"90\" height=\"60\">"
    "<rect width=\"90\" height=\"60\" fill=\"teal\"/></svg>\n";

}  // namespace

void BodiesFixture::install(CachingHttpServer* server) {
    const QByteArray gzipPng = noisePng(24, 16, 1);
    const QByteArray brPng = noisePng(20, 16, 2);
    const QByteArray zstdPng = noisePng(16, 16, 3);
    const QByteArray phpPng = noisePng(12, 10, 4);
    const QByteArray v2Png = noisePng(10, 12, 5);
    const QByteArray cutPng = noisePng(64, 48, 6);
    cutLength = cutPng.size();
    pictures = {
        {QStringLiteral("/enc/gzip.png"), {gzipPng, QStringLiteral("gzip.png")}},
        {QStringLiteral("/enc/br.png"), {brPng, QStringLiteral("br.png")}},
        {QStringLiteral("/enc/zstd.png"), {zstdPng, QStringLiteral("zstd.png")}},
        {QStringLiteral("/enc/pic.svg"), {kSvg, QStringLiteral("pic.svg")}},
        {QStringLiteral("/x/webp.jpg"), {kWebp, QStringLiteral("webp.webp")}},
        {QStringLiteral("/img.php?id=1"), {phpPng, QStringLiteral("img.png")}},
        {QStringLiteral("/pics/abc.v2"), {v2Png, QStringLiteral("abc.png")}},
    };
    server->add(QStringLiteral("/enc/gzip.png"), {200, "image/png", BodyEncoding::gzip(gzipPng), "gzip"});
    server->add(QStringLiteral("/enc/br.png"), {200, "image/png", BodyEncoding::brotli(brPng), "br"});
    server->add(QStringLiteral("/enc/zstd.png"), {200, "image/png", BodyEncoding::zstd(zstdPng), "zstd"});
    server->add(QStringLiteral("/enc/pic.svg"), {200, "image/svg+xml", BodyEncoding::gzip(kSvg), "gzip"});
    server->add(QStringLiteral("/x/webp.jpg"), {200, "image/webp", kWebp});
    server->add(QStringLiteral("/img.php?id=1"), {200, "image/png", phpPng});
    server->add(QStringLiteral("/pics/abc.v2"), {200, "application/octet-stream", v2Png});
    server->add(cutPath, {200, "image/png", cutPng, {}, cutLength / 2});
    QByteArray page = "<html><body>";
    for (const QString& path : paths()) {
        if (path != pagePath) {
            page += "<img src=\"" + path.toLatin1() + "\">";
        }
    }
    page += "</body></html>";
    server->add(pagePath, {200, "text/html", page});
    server->add(QStringLiteral("/favicon.ico"), {404, "text/plain", "none"});
}

QStringList BodiesFixture::paths() const {
    QStringList all = pictures.keys();
    all << cutPath << pagePath;
    return all;
}

}  // namespace vorlaken::test
