#pragma once

#include <QJsonValue>
#include <QString>
#include <QStringList>

#include "capture/PageModel.h"

namespace vorlaken {

// The one script that reads element fields (ElementField) out of a page, whichever back-end runs it, so
// that the attached browser and the program's own web zones report every field alike.
namespace FieldScript {

// Statements that define the read helpers (fields.js): S (text property), N (whole pixels), U (upper
// case), A (attribute or empty), L (link address), D (the fields of a mask as one row), R (the rows of a
// collection).
QString helpers();

// An expression whose value is the requested fields of every item of the collection: an array of rows.
QString readCollection(const QString& collectionExpression, unsigned fields);
// An expression whose value is the requested fields of one element: one row. Throws in the page when
// the element is gone.
QString readElement(const QString& elementExpression, unsigned fields);
// A row of the two expressions above, as ElementData.
ElementData parseRow(const QJsonValue& row, unsigned fields);
// An expression whose value is the elements of documentExpression whose upper-case tag name is one of
// tagNames, in document order (an array; the read helpers need not be defined where it runs).
QString taggedElements(const QString& documentExpression, const QStringList& tagNames);

}  // namespace FieldScript
}  // namespace vorlaken
