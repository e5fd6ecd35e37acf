#pragma once

#include <QString>

namespace vorlaken {

// The extension (".bmp", ".gif", ".jpg", ".png", ".webp", ".avif") the first bytes of a picture show,
// or empty when none matches.
QString PictureTypeExtension(const QByteArray& head);

// Renames the file after the type its first bytes show. A taken name gets "_" in front until it is
// free; nothing existing is ever replaced. Returns the name the file has afterwards.
QString RecognisePictureType(const QString& file);

}  // namespace vorlaken
