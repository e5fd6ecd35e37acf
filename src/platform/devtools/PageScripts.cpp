#include "PageScripts.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace vorlaken::PageScripts {

namespace {

// S: a text property (SVG animated strings included); N: a size in whole pixels; A: an attribute or
// empty; D: the fields of mask F of element e (pos maps elements to their source index).
const char kHelpers[] = R"JS(
const S = v => typeof v === 'string' ? v : (v && typeof v.baseVal === 'string' ? v.baseVal : (v == null ? '' : String(v)));
const N = v => typeof v === 'number' && isFinite(v) ? Math.trunc(v) : 0;
const U = v => S(v).toUpperCase();
const A = (e, n) => (e && e.getAttribute && e.getAttribute(n)) || '';
const I = e => Array.prototype.indexOf.call(document.getElementsByTagName('*'), e);
const D = (e, F, pos) => {
  const r = [];
  const p = e.parentElement;
  if (F & 1) r.push(U(e.tagName));
  if (F & 2) r.push(S(e.src));
  if (F & 4) r.push(S(e.href));
  if (F & 8) r.push(A(e, 'href'));
  if (F & 16) r.push(N(e.width));
  if (F & 32) r.push(N(e.height));
  if (F & 64) r.push(S(e.type).toLowerCase());
  if (F & 128) r.push(S(e.value));
  if (F & 256) r.push(!!e.checked);
  if (F & 512) r.push(pos ? (pos.has(e) ? pos.get(e) : -1) : I(e));
  if (F & 1024) r.push(p ? U(p.tagName) : '');
  if (F & 2048) r.push(A(p, 'href'));
  if (F & 4096) r.push(S(e.outerHTML));
  if (F & 8192) r.push(S(e.outerText !== undefined ? e.outerText : e.textContent));
  if (F & 16384) r.push(S(e.innerHTML));
  if (F & 32768) r.push(e.complete !== false);
  return r;
};
)JS";

}  // namespace

QString literal(const QString& text) {
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

QString program(const QString& body) {
    return QStringLiteral("(() => {") + QLatin1String(kHelpers) + body + QStringLiteral("\n})()");
}

QString bindElement(const QString& elementExpression) {
    return QStringLiteral(
               "const el = %1; if (!el) throw new Error('The element is no longer in the page.');\n")
        .arg(elementExpression);
}

QString readCollection(const QString& collectionExpression, unsigned fields) {
    // In the collection of all elements an item's position is its source index; other collections
    // look their items up in a map of all elements made once per read.
    const QString positions =
        collectionExpression == allElements()
            ? QStringLiteral(
                  "const at = (F & 512) ? { i: 0, has: () => true, get() { return this.i; } } : null;")
            : QStringLiteral(
                  "const at = (F & 512) ? new Map() : null; if (at) {"
                  " const all = document.getElementsByTagName('*');"
                  " for (let i = 0; i < all.length; i++) at.set(all[i], i); }");
    return program(QStringLiteral("const items = %1; const F = %2;\n%3\n"
                                  "const out = new Array(items.length);\n"
                                  "for (let i = 0; i < items.length; i++) {"
                                  " if (at) at.i = i; out[i] = D(items[i], F, at); }\n"
                                  "return out;")
                       .arg(collectionExpression)
                       .arg(fields)
                       .arg(positions));
}

QString readElement(const QString& elementExpression, unsigned fields) {
    return program(bindElement(elementExpression) + QStringLiteral("return D(el, %1, null);").arg(fields));
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
    if (fields & kComplete)
        data.complete = next().toBool(true);
    return data;
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

}  // namespace vorlaken::PageScripts
