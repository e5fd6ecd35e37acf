#pragma once

#include <QDateTime>
#include <QString>

#include "save/SaveRunData.h"

namespace vorlaken {

// The zip package of a run: the stored pictures and then, when one was made, the index page.
class ZipPackage {
  public:
    // The archive's name: the index page's with ".zip", or the stamp rule's when there is no page or
    // that name is taken. Empty when no free name is left.
    static QString archiveName(const QString& folder, const QString& indexPage, const QDateTime& now);

    // Writes the archive and returns its name; no archive exists when nothing could be added.
    static QString write(const SaveRunData& run, const QString& indexPage, const QDateTime& now);
};

}  // namespace vorlaken
