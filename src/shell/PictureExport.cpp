#include "shell/PictureExport.h"

#include <QDir>

#include "common/Errors.h"
#include "shell/PictureMime.h"

namespace vorlaken {

PictureExport::PictureExport(Desktop& desktop, Sources sources, const PictureFile::Limits& limits)
    : desktop_(desktop), sources_(std::move(sources)), limits_(limits) {}

QString PictureExport::folder() {
    if (!dir_) {
        dir_ =
            std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/grabnest-pictures-XXXXXX"));
        if (!dir_->isValid()) {
            const QString why = dir_->errorString();
            dir_.reset();
            throw PlatformError(QStringLiteral("No folder for the picture can be made: %1").arg(why));
        }
        files_ = std::make_unique<PictureFile>(dir_->path(), limits_);
    }
    return dir_->path();
}

std::unique_ptr<QMimeData> PictureExport::dataFor(const QString& pictureUrl, const QString& pageUrl) {
    try {
        folder();
        BrowserCache* cache = sources_.cache ? sources_.cache() : nullptr;
        Browser* attached = sources_.attached ? sources_.attached() : nullptr;
        return PictureMime::make(files_->fileFor(pictureUrl, pageUrl, cache, attached));
    } catch (const AppError& error) {
        desktop_.showMessage(error.text());
        return nullptr;
    }
}

bool PictureExport::copy(const QString& pictureUrl, const QString& pageUrl) {
    std::unique_ptr<QMimeData> data = dataFor(pictureUrl, pageUrl);
    if (!data)
        return false;
    desktop_.setClipboardPicture(std::move(data));
    return true;
}

}  // namespace vorlaken
