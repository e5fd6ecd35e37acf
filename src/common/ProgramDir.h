#pragma once

#include <QString>

namespace vorlaken {

// The folder of the running executable and the one place that decides where the programs' own files
// live. Delivered files (the template, icons, sibling programs) are always read from the executable's
// folder. Files the programs write (settings, category list, warning and temporary pages) go there too
// when it is writable, else into the per-user config folder; reads of those files use the same choice.
// An installed folder (it holds kInstalledMarker, put there by the install rules) is never written to,
// whoever may write there: it belongs to the package manager.
class ProgramDir {
  public:
    static inline const QString kInstalledMarker = QStringLiteral("installed.txt");

    // executableDir: folder of the executable; userDir: fallback for written files.
    ProgramDir(const QString& executableDir, const QString& userDir);

    // The running program's folder, with the per-user folder "~/.config/vorlaken" as fallback.
    static ProgramDir forRunningProgram();

    // Always ends in "/".
    const QString& path() const { return dir_; }
    // A delivered file beside the executable.
    QString deliveredFile(const QString& name) const { return dir_ + name; }
    // A file the programs write and read back; the folder it lies in exists after this call.
    QString writtenFile(const QString& name) const;
    // The folder written files go to, ending in "/".
    QString writableDir() const;

  private:
    QString dir_;
    QString userDir_;
};

}  // namespace vorlaken
