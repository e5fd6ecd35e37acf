#pragma once

#include <memory>

#include <QMimeData>
#include <QString>

namespace vorlaken {

// What a picture file is handed to other programs as, by drag and drop or the clipboard: its file
// (text/uri-list), its bytes under the type they show, and the decoded image.
class PictureMime {
  public:
    // Above this size only the file goes: the bytes and the image would be held in memory.
    static constexpr qint64 kMaxInlineBytes = 64 * 1024 * 1024;

    // Throws PlatformError when the file cannot be read or holds no picture.
    static std::unique_ptr<QMimeData> make(const QString& file);
};

}  // namespace vorlaken
