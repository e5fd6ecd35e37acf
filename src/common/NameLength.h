#pragma once

#include <QString>

namespace vorlaken {

// The longest name a Linux file system takes, in bytes of its UTF-8 form.
inline constexpr qsizetype kMaxNameBytes = 255;

// The longest start of text whose UTF-8 form has at most maxBytes bytes; never splits a character.
QString CutToBytes(const QString& text, qsizetype maxBytes);

// A file name shortened to at most maxBytes bytes of UTF-8: the end of its stem goes, so a leading
// number stays, and its extension (from the last ".") is kept unless that alone is very long.
QString FitNameBytes(const QString& name, qsizetype maxBytes = kMaxNameBytes);

}  // namespace vorlaken
