#include "PageScripts.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "platform/pagescript/FieldScript.h"

namespace vorlaken::PageScripts {

QString literal(const QString& text) {
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

QString program(const QString& body) {
    return QStringLiteral("(() => {") + FieldScript::helpers() + body + QStringLiteral("\n})()");
}

QString bindElement(const QString& elementExpression) {
    return QStringLiteral(
               "const el = %1; if (!el) throw new Error('The element is no longer in the page.');\n")
        .arg(elementExpression);
}

QString readCollection(const QString& collectionExpression, unsigned fields) {
    return FieldScript::readCollection(collectionExpression, fields);
}

QString readElement(const QString& elementExpression, unsigned fields) {
    return FieldScript::readElement(elementExpression, fields);
}

ElementData parseRow(const QJsonValue& value, unsigned fields) {
    return FieldScript::parseRow(value, fields);
}

QString formElements(const QString& elementExpression) {
    // A control named "elements" would hide the form's own property; the prototype's getter cannot be hidden.
    return QStringLiteral(
               "((f) => f instanceof HTMLFormElement ? "
               "Object.getOwnPropertyDescriptor(HTMLFormElement.prototype, "
               "'elements').get.call(f) : [])(%1)")
        .arg(elementExpression);
}

QString allElements() {
    return QStringLiteral("document.getElementsByTagName('*')");
}

QString taggedElements(const QStringList& tagNames) {
    return FieldScript::taggedElements(QStringLiteral("document"), tagNames);
}

}  // namespace vorlaken::PageScripts
