#include "save/PictureType.h"

#include <QFile>

#include "save/FileNaming.h"

namespace vorlaken {

QString PictureTypeExtension(const QByteArray& head) {
    if (head.startsWith("BM"))
        return QStringLiteral(".bmp");
    if (head.startsWith("GIF"))
        return QStringLiteral(".gif");
    if (head.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral(".jpg");
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return QStringLiteral(".png");
    if (head.size() >= 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return QStringLiteral(".webp");
    // ISO base media: a leading "ftyp" box whose major brand names AVIF.
    if (head.size() >= 12 && head.mid(4, 4) == "ftyp") {
        const QByteArray brand = head.mid(8, 4);
        if (brand == "avif" || brand == "avis")
            return QStringLiteral(".avif");
    }
    return QString();
}

QString RecognisePictureType(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return file;
    const QByteArray head = in.read(12);
    in.close();
    if (head.size() < 8)
        return file;
    const QString extension = PictureTypeExtension(head);
    if (extension.isEmpty())
        return file;

    const qsizetype slash = file.lastIndexOf(u'/');
    const QString folder = file.left(slash + 1);
    QString name = file.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    name = (dot < 0 ? name : name.left(dot)) + extension;
    if (folder + name == file)
        return file;
    while (NameTaken(folder + name))
        name.prepend(u'_');
    // QFile::rename refuses to replace an existing file.
    return QFile::rename(file, folder + name) ? folder + name : file;
}

}  // namespace vorlaken
