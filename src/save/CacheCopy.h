#pragma once

#include <QString>

#include "save/StoreOutcome.h"

namespace vorlaken {

// Copies a picture's cached body into its new file. Unlike a plain file copy it tells a source that
// cannot be read (kFailed: this picture only) from a folder that refuses the bytes (kWriteFailed).
// An empty source is no picture. Nothing but a whole copy is left behind; an existing target is never
// touched.
class CacheCopy {
  public:
    static StoreOutcome copy(const QString& source, const QString& target);

    static constexpr qint64 kPieceSize = 64 * 1024;
};

}  // namespace vorlaken
