#pragma once

#include <QString>
#include <QStringList>

#include "common/IniFile.h"

namespace vorlaken {

// One registration in the per-user store: its values, and every file it wrote and folder it made,
// put on record before each is written, so that taking the registration back removes exactly that and
// nothing else. Failures are PlatformError.
class RegistrationRecord {
  public:
    RegistrationRecord(const QString& storePath, QString identifier);

    bool exists() const;
    void writeValue(const QString& key, const QString& value);
    // Writes the file whole (a file of the same name is replaced, not written through), making the
    // folders it needs.
    void writeFile(const QString& path, const QByteArray& bytes);
    void copyFile(const QString& source, const QString& path);
    // Removes the files on record, then the folders on record that are empty, deepest first, then the
    // record itself (and the store when nothing else is in it).
    void removeAll();

  private:
    void makeFolders(const QString& folder);
    void save();

    IniFile store_;
    QString identifier_;
    QStringList files_;
    QStringList folders_;
};

}  // namespace vorlaken
