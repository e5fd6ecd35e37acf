#pragma once

#include <vector>

#include <QJsonValue>
#include <QString>

#include "capture/PageModel.h"

namespace vorlaken {

// The JavaScript that page objects run in a frame's isolated world. Elements and collections are
// addressed by expressions (document.images[5], document.forms[0] ...) evaluated afresh by every
// command, so no handle into the page outlives a command.
namespace PageScripts {

// A JavaScript string literal holding the text exactly.
QString literal(const QString& text);

// An expression that runs body (statements ending in a return) with the read helpers in scope.
QString program(const QString& body);

// Statements that bind `el` to the element of the expression or throw when it is gone.
QString bindElement(const QString& elementExpression);

// The requested fields (ElementField mask) of every item of a collection: an array of rows.
QString readCollection(const QString& collectionExpression, unsigned fields);
// The requested fields of one element: one row.
QString readElement(const QString& elementExpression, unsigned fields);
// A row of the two scripts above, as ElementData.
ElementData parseRow(const QJsonValue& row, unsigned fields);

// The controls of a form element (a plain array when it is no form).
QString formElements(const QString& elementExpression);
// The collection of all elements in document order.
QString allElements();
// The elements of the given tag names (upper case) in document order.
QString taggedElements(const QStringList& tagNames);

}  // namespace PageScripts
}  // namespace vorlaken
