#pragma once

#include <QByteArrayView>
#include <QString>

namespace vorlaken {

// Tells a picture's type from its first bytes, so that a body named by its address or labelled with a
// generic type still gets the name of what it is.
class PictureSniffer {
  public:
    // How many first bytes typeOf looks at, at most.
    static constexpr qsizetype kSniffLength = 1024;

    // "image/png", "image/jpeg", "image/gif", "image/bmp", "image/webp", "image/avif", "image/x-icon"
    // or "image/svg+xml"; empty when the bytes are none of these.
    static QString typeOf(QByteArrayView firstBytes);
    // True for a missing type or one that says nothing about the content.
    static bool isGenericType(const QString& contentType);
    // The type a body is: the sniffed binary picture type when the bytes show one (browsers show what
    // the bytes are, whatever the label), a sniffed SVG only where the label says nothing, else the
    // stored type.
    static QString effectiveType(const QString& storedType, const QString& sniffedType);
};

}  // namespace vorlaken
