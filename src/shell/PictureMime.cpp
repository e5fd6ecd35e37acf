#include "shell/PictureMime.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeDatabase>
#include <QUrl>

#include "common/Errors.h"

namespace vorlaken {

std::unique_ptr<QMimeData> PictureMime::make(const QString& file) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls({QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath())});
    if (QFileInfo(file).size() > kMaxInlineBytes)
        return data;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw PlatformError(QStringLiteral("The picture file cannot be read: %1").arg(file));
    const QByteArray bytes = in.readAll();
    // The type its bytes show: a server's or a name's word for it may be wrong.
    const QString type = QMimeDatabase().mimeTypeForData(bytes).name();
    QImage image;
    image.loadFromData(bytes);
    if (!type.startsWith(QLatin1String("image/")) && image.isNull())
        throw PlatformError(QStringLiteral("The file holds no picture: %1").arg(file));
    if (type.startsWith(QLatin1String("image/")))
        data->setData(type, bytes);
    if (!image.isNull())
        data->setImageData(image);
    return data;
}

}  // namespace vorlaken
