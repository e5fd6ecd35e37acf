#pragma once

#include <QString>

namespace vorlaken {

// Names the file a cached body is materialised into: the last segment of the address, with the
// address's extension, or the stored content type's when the address has none. The result is a single
// harmless file name: no separators, never "." or "..", no control characters, bounded in length.
class LocalFileNamer {
  public:
    static constexpr int kMaxNameLength = 120;

    static QString fileName(const QString& url, const QString& contentType);
    // ".png" for "image/png"; empty when the type is unknown.
    static QString extensionOfType(const QString& contentType);
};

}  // namespace vorlaken
