#pragma once

#include <QString>

#include "common/Errors.h"

namespace vorlaken {

// A "%" not followed by two hexadecimal digits. Its text is the one the user sees.
class UrlDecodeError : public AppError {
  public:
    UrlDecodeError() : AppError(QStringLiteral("Invalid hex digit in URL")) {}
};

// Decodes "%XX" escapes (as UTF-8 bytes) and "+" (a blank); throws UrlDecodeError on a malformed escape.
QString UrlDecode(const QString& text);

}  // namespace vorlaken
