#include "SolidPng.h"

#include <QBuffer>
#include <QImage>

namespace vorlaken::test {

QByteArray SolidPng(QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace vorlaken::test
