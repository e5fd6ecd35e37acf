#pragma once

#include <QString>

namespace vorlaken {

class Desktop;
class ProgramDir;

// The message when a companion program is not beside grabnest; the maker's download page follows.
QString CompanionMissingMessage(const QString& program, const QString& downloadPage);

// "webpage link finder" (hrefsift) and "Tidewell" (tidecove): starts the program of that name from the
// program folder, without arguments and without waiting for it; without the file says so. A program
// that fails to start is not reported.
void StartCompanion(const ProgramDir& dir, const QString& program, Desktop& desktop);

}  // namespace vorlaken
