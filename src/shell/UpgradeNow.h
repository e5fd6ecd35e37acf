#pragma once

#include <QString>

namespace vorlaken {

class Desktop;
class ProgramDir;

// "Upgrade Now": starts the updater beside the program with the main window's handle, then minimises
// the program; without an updater says so.
void UpgradeNow(const ProgramDir& dir, Desktop& desktop, quint64 windowHandle);

}  // namespace vorlaken
