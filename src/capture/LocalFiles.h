#pragma once

#include <QString>

namespace vorlaken {

// True when a browser reading this address would reach the local file system: a file: URL in any
// letter case, with blanks or control characters around it or tabs and line breaks inside (a browser
// drops them), also behind blob: or filesystem: wrappers.
bool ReachesLocalFiles(const QString& url);

// Browsers show a local picture only on a local page, so a page on the web cannot hand its visitor's
// files to the program: a picture that reaches local files is taken only from a document that is
// itself local. documentUrl is the address of the document (top page or frame) the picture is in.
bool MayTakePicture(const QString& pictureUrl, const QString& documentUrl);

}  // namespace vorlaken
