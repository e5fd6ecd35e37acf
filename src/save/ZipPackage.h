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

    // Writes the archive and returns its name; empty, with no archive left, when nothing could be
    // added or the archive could not be completed (then failure, when given, says so).
    static QString write(const SaveRunData& run, const QString& indexPage, const QDateTime& now,
                         QString* failure = nullptr);
};

}  // namespace vorlaken
