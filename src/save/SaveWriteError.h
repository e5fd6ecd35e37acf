#pragma once

#include "common/Errors.h"
#include "save/FileNaming.h"

namespace vorlaken {

// The target folder refused a write (disk full, folder removed or made read-only): the run ends, and
// the user is told which folder and why.
class SaveWriteError : public PlatformError {
  public:
    SaveWriteError(const QString& folder, const QString& reason)
        : PlatformError(QStringLiteral("Can not write to directory: ") + PathForMessage(folder) +
                        (reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + u')') +
                        QStringLiteral(", saving stopped")) {}
};

}  // namespace vorlaken
