#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// Names the file a cached body is materialised into: the last segment of the address, ending in the
// extension of the content type when the type is known (the address's own ending stays when it fits
// the type), else as the address ends. The result is a single
// harmless file name: no separators, never "." or "..", no control characters, bounded in length.
class LocalFileNamer {
  public:
    static constexpr int kMaxNameLength = 120;

    static QString fileName(const QString& url, const QString& contentType);
    // Every ending that fits a type, without dots, the preferred first; empty when the type is unknown.
    static QStringList extensionsOfType(const QString& contentType);
};

}  // namespace vorlaken
