#pragma once

#include <QString>

namespace vorlaken {

// True for a file: URL in any letter case, with blanks or control characters around it or tabs and line
// breaks inside (a browser drops them), also behind blob: or filesystem: wrappers.
bool IsLocalAddress(const QString& url);

// True when reading this address may reach the local file system: a local address, or one without a
// scheme, which whoever reads it resolves against its own base (the preview's is the program folder).
// Browsers give such addresses only where a page's base cannot resolve them (a data: frame).
bool ReachesLocalFiles(const QString& url);

// Browsers show a local picture only on a local page, so a page on the web cannot hand its visitor's
// files to the program: a picture that reaches local files is taken only from a document that is
// itself local. documentUrl is the address of the document (top page or frame) the picture is in.
bool MayTakePicture(const QString& pictureUrl, const QString& documentUrl);

}  // namespace vorlaken
