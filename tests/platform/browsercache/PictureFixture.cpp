#include "PictureFixture.h"

#include <QBuffer>
#include <QImage>

namespace vorlaken::test {

namespace {

QByteArray encoded(int width, int height, QRgb color, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A 1x1 GIF; Qt writes no GIF.
const QByteArray kGif = QByteArray::fromHex(
    "47494638396101000100800000ff000000000021f90401000000002c00000000010001000002024401003b");

}  // namespace

void PictureFixture::install(CachingHttpServer* server) {
    pictures = {
        {QStringLiteral("/pics/red.png"), encoded(30, 20, qRgb(255, 0, 0), "PNG")},
        {QStringLiteral("/pics/photo.jpg"), encoded(40, 30, qRgb(0, 128, 255), "JPG")},
        {QStringLiteral("/pics/dot.gif"), kGif},
        {QStringLiteral("/pics/box.bmp"), encoded(8, 6, qRgb(0, 200, 0), "BMP")},
        {QStringLiteral("/pics/noext"), encoded(12, 12, qRgb(90, 90, 90), "PNG")},
    };
    const QMap<QString, QByteArray> types = {
        {QStringLiteral("/pics/red.png"), "image/png"}, {QStringLiteral("/pics/photo.jpg"), "image/jpeg"},
        {QStringLiteral("/pics/dot.gif"), "image/gif"}, {QStringLiteral("/pics/box.bmp"), "image/bmp"},
        {QStringLiteral("/pics/noext"), "image/png"},
    };
    QByteArray page = "<html><body>";
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
        server->add(it.key(), {200, types.value(it.key()), it.value()});
        page += "<img src=\"" + it.key().toLatin1() + "\">";
    }
    page += "<img src=\"" + missingPath.toLatin1() + "\"></body></html>";
    server->add(pagePath, {200, "text/html", page});
    server->add(QStringLiteral("/favicon.ico"), {404, "text/plain", "none"});
}

}  // namespace vorlaken::test
