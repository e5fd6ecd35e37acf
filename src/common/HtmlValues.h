#pragma once

#include <QString>

namespace vorlaken {

// Values from pages, caches and file systems as they go into the HTML we write. Every one of them is
// data: it never closes the attribute or element it sits in, and it reads back unchanged.

// A value between double quotes, ready to follow "name=".
QString QuotedAttribute(const QString& value);

// The address of a local file by its full path, every character that has a meaning in an address
// percent-encoded (a "%" in the name becomes "%25"), so the browser finds exactly that file.
QString LocalFileAddress(const QString& path);

// A bare file name as a relative address for a page in the same folder. Nothing of the name can
// become a scheme, a query or a fragment; it is already safe inside quotes and as text.
QString FileNameReference(const QString& fileName);

// The value as a browser writes it back when it serializes an attribute: only "&", the double quote
// and the no-break space are replaced. Used to find an address in markup the browser gave us.
QString SerializedAttributeValue(const QString& value);

}  // namespace vorlaken
