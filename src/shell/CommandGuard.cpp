#include "shell/CommandGuard.h"

namespace vorlaken {

CommandGuard::Hold::Hold(CommandGuard& guard, const QStringList& controls)
    : guard_(guard), controls_(controls) {
    ++guard_.holds_;
    guard_.locked_ += controls_;
}

CommandGuard::Hold::~Hold() {
    --guard_.holds_;
    for (const QString& control : controls_)
        guard_.locked_.removeOne(control);
}

}  // namespace vorlaken
