#pragma once

#include <QString>

namespace vorlaken {

// The nine characters never allowed in a folder or file name part, the blank included.
inline constexpr char16_t kForbiddenNameChars[] = u"<>*|/\\:? ";

// Replaces each forbidden character by "_" and changes nothing else.
QString SanitizeName(const QString& text);

// The site part of an address, cleaned for use as a folder name ("h_8080" for port 8080 of host h).
QString DomainOfUrl(const QString& url);

// Left to right, case-sensitive, non-overlapping; inserted text is never searched again.
QString ReplaceAllText(const QString& text, const QString& search, const QString& replacement);

// Escapes a value from a page for use in generated HTML text or a quoted attribute: markup characters,
// both quotes and CR become references.
QString HtmlEscape(const QString& value);
// The same, appended to out.
void AppendHtmlEscaped(QString& out, QStringView value);

}  // namespace vorlaken
