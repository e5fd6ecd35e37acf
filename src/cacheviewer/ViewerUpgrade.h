#pragma once

#include <QDateTime>

#include "common/Desktop.h"
#include "common/ProgramDir.h"

namespace vorlaken {

// The viewer's start of the outside updater "upgrade" with its own state file.
class ViewerUpgrade {
  public:
    ViewerUpgrade(const ProgramDir& programDir, Desktop& desktop, quint64 windowHandle)
        : programDir_(programDir), desktop_(desktop), windowHandle_(windowHandle) {}

    // Starts the updater when its last update is older than 15 days; silent when it is missing.
    void AutoUpgradeCheck(const QDateTime& now);
    void UpgradeNow();

  private:
    QString updater() const;

    const ProgramDir& programDir_;
    Desktop& desktop_;
    quint64 windowHandle_;
};

}  // namespace vorlaken
