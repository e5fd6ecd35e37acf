#include "platform/pagescript/FieldScript.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace vorlaken::FieldScript {

namespace {

// S: a text property (SVG animated strings included); N: whole pixels; W: the displayed size of a
// picture, or the box of an element without a size of its own; U: upper case; A: an attribute or empty;
// I: the source index; L: the link address; D: the fields of mask F of element e (pos maps elements to
// their source index).
//
// L gives an HREF the way the browser follows it: the anchor's href property, which honours <base>,
// or the same resolution against the element's base for elements without one. A link with a scheme
// of its own other than the web's (javascript:, mailto:, data: ...) is handed on as written. An empty or
// blank HREF is no link at all, and neither is a relative one that the page's base cannot resolve (in a
// data: frame): handed on, it would point wherever its reader stands, such as the program folder.
const char kHelpers[] = R"JS(
const S = v => typeof v === 'string' ? v : (v && typeof v.baseVal === 'string' ? v.baseVal : (v == null ? '' : String(v)));
const N = v => typeof v === 'number' && isFinite(v) ? Math.trunc(v) : 0;
const W = (e, n, box) => typeof e[n] === 'number' ? N(e[n]) : N(e[box]);
const U = v => S(v).toUpperCase();
const A = (e, n) => (e && e.getAttribute && e.getAttribute(n)) || '';
const I = e => Array.prototype.indexOf.call((e.ownerDocument || document).getElementsByTagName('*'), e);
const L = e => {
  const a = A(e, 'href').replace(/^[\u0000-\u0020]+|[\u0000-\u0020]+$/g, '');
  if (!a) return '';
  const scheme = /^([a-z][a-z0-9+.\-]*):/i.exec(a.replace(/[\t\n\r]/g, ''));
  if (scheme && !/^(https?|ftp|file)$/i.test(scheme[1])) return a;
  let r = '';
  if (typeof e.href === 'string') r = e.href;
  else { try { r = new URL(a, e.baseURI).href; } catch (x) { r = a; } }
  return /^[a-z][a-z0-9+.\-]*:/i.test(r) ? r : '';
};
const D = (e, F, pos) => {
  const r = [];
  const p = e.parentElement;
  if (F & 1) r.push(U(e.tagName));
  if (F & 2) r.push(S(e.src));
  if (F & 4) r.push(S(e.href));
  if (F & 8) r.push(A(e, 'href'));
  if (F & 16) r.push(W(e, 'width', 'offsetWidth'));
  if (F & 32) r.push(W(e, 'height', 'offsetHeight'));
  if (F & 64) r.push(S(e.type).toLowerCase());
  if (F & 128) r.push(S(e.value));
  if (F & 256) r.push(!!e.checked);
  if (F & 512) r.push(pos ? (pos.has(e) ? pos.get(e) : -1) : I(e));
  if (F & 1024) r.push(p ? U(p.tagName) : '');
  if (F & 2048) r.push(A(p, 'href'));
  if (F & 4096) r.push(S(e.outerHTML));
  if (F & 8192) r.push(S(e.outerText !== undefined ? e.outerText : e.textContent));
  if (F & 16384) r.push(S(e.innerHTML));
  if (F & 32768) r.push(L(e));
  if (F & 65536) r.push(p ? L(p) : '');
  if (F & 131072) r.push(e.complete !== false);
  return r;
};
)JS";

QString run(const QString& body) {
    return QStringLiteral("(() => {") + helpers() + body + QStringLiteral("\n})()");
}

}  // namespace

QString helpers() {
    return QLatin1String(kHelpers);
}

QString readCollection(const QString& collectionExpression, unsigned fields) {
    // In a collection of all elements an item's position is its source index; other collections look
    // their items up in a map of all elements of their document, made once per read.
    const QString positions =
        collectionExpression.endsWith(QLatin1String("getElementsByTagName('*')"))
            ? QStringLiteral(
                  "const at = (F & 512) ? { i: 0, has: () => true, get() { return this.i; } } : null;")
            : QStringLiteral(
                  "const at = (F & 512) ? new Map() : null; if (at && items.length) {"
                  " const all = (items[0].ownerDocument || document).getElementsByTagName('*');"
                  " for (let i = 0; i < all.length; i++) at.set(all[i], i); }");
    return run(QStringLiteral("const items = %1; if (!items) throw new Error('The collection is gone.');"
                              " const F = %2;\n%3\n"
                              "const out = new Array(items.length);\n"
                              "for (let i = 0; i < items.length; i++) {"
                              " if (at) at.i = i; out[i] = D(items[i], F, at); }\n"
                              "return out;")
                   .arg(collectionExpression)
                   .arg(fields)
                   .arg(positions));
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
    return data;
}

}  // namespace vorlaken::FieldScript
