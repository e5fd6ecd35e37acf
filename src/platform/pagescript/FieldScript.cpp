#include "platform/pagescript/FieldScript.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace vorlaken::FieldScript {

namespace {

QString run(const QString& body) {
    return QStringLiteral("(() => {") + helpers() + body + QStringLiteral("\n})()");
}

}  // namespace

QString helpers() {
    // Read once: every script of every back-end starts with it.
    static const QString text = [] {
        QFile file(QStringLiteral(":/vorlaken/pagescript/fields.js"));
        if (!file.open(QIODevice::ReadOnly)) {
            qFatal("The field script is missing from the program's resources.");
        }
        return QString::fromUtf8(file.readAll());
    }();
    return text;
}

QString readCollection(const QString& collectionExpression, unsigned fields) {
    const bool inOrder = collectionExpression.endsWith(QLatin1String("getElementsByTagName('*')"));
    return run(QStringLiteral("const items = %1; if (!items) throw new Error('The collection is gone.');\n"
                              "return R(items, %2, %3);")
                   .arg(collectionExpression)
                   .arg(fields)
                   .arg(inOrder ? QStringLiteral("true") : QStringLiteral("false")));
}

QString taggedElements(const QString& documentExpression, const QStringList& tagNames) {
    QJsonArray names;
    for (const QString& name : tagNames) {
        names.append(name);
    }
    const QString list = QString::fromUtf8(QJsonDocument(names).toJson(QJsonDocument::Compact));
    return QStringLiteral(
               "Array.prototype.filter.call(%1.getElementsByTagName('*'),"
               " function (e) { return %2.indexOf(String(e.tagName).toUpperCase()) >= 0; })")
        .arg(documentExpression, list);
}

QString readElement(const QString& elementExpression, unsigned fields) {
    return run(
        QStringLiteral("const el = %1; if (!el) throw new Error('The element is no longer in the page.');\n"
                       "return D(el, %2, null);")
            .arg(elementExpression)
            .arg(fields));
}

ElementData parseRow(const QJsonValue& value, unsigned fields) {
    const QJsonArray row = value.toArray();
    ElementData data;
    int at = 0;
    auto next = [&row, &at] { return row.at(at++); };
    if (fields & kTagName)
        data.tagName = next().toString();
    if (fields & kSrc)
        data.src = next().toString();
    if (fields & kHref)
        data.href = next().toString();
    if (fields & kHrefAttribute)
        data.hrefAttribute = next().toString();
    if (fields & kWidth)
        data.width = next().toInt();
    if (fields & kHeight)
        data.height = next().toInt();
    if (fields & kType)
        data.type = next().toString();
    if (fields & kValue)
        data.value = next().toString();
    if (fields & kChecked)
        data.checked = next().toBool();
    if (fields & kSourceIndex)
        data.sourceIndex = next().toInt(-1);
    if (fields & kParentTagName)
        data.parentTagName = next().toString();
    if (fields & kParentHrefAttribute)
        data.parentHrefAttribute = next().toString();
    if (fields & kOuterHtml)
        data.outerHtml = next().toString();
    if (fields & kOuterText)
        data.outerText = next().toString();
    if (fields & kInnerHtml)
        data.innerHtml = next().toString();
    if (fields & kLinkAddress)
        data.linkAddress = next().toString();
    if (fields & kParentLinkAddress)
        data.parentLinkAddress = next().toString();
    if (fields & kComplete)
        data.complete = next().toBool(true);
    if (fields & kLargestSrc)
        data.largestSrc = next().toString();
    if (fields & kNaturalWidth)
        data.naturalWidth = next().toInt();
    if (fields & kNaturalHeight)
        data.naturalHeight = next().toInt();
    if (fields & kParentOuterHtml)
        data.parentOuterHtml = next().toString();
    return data;
}

}  // namespace vorlaken::FieldScript
