#include "DevToolsElement.h"

#include "platform/devtools/DevToolsCollection.h"
#include "platform/devtools/PageScripts.h"

namespace vorlaken {

DevToolsElement::DevToolsElement(FrameContext frame, QString expression)
    : frame_(std::move(frame)), expression_(std::move(expression)) {}

ElementData DevToolsElement::read(unsigned fields) {
    return PageScripts::parseRow(frame_.evaluate(PageScripts::readElement(expression_, fields)), fields);
}

QJsonValue DevToolsElement::run(const QString& statements, bool userGesture) {
    return frame_.evaluate(PageScripts::program(PageScripts::bindElement(expression_) + statements),
                           userGesture);
}

QString DevToolsElement::tagName() {
    return read(kTagName).tagName;
}

ElementPtr DevToolsElement::parentElement() {
    if (!run(QStringLiteral("return !!el.parentElement;")).toBool()) {
        return nullptr;
    }
    return std::make_shared<DevToolsElement>(frame_, QStringLiteral("(%1).parentElement").arg(expression_));
}

QString DevToolsElement::getAttribute(const QString& name) {
    return run(QStringLiteral("return A(el, %1);").arg(PageScripts::literal(name))).toString();
}

int DevToolsElement::sourceIndex() {
    return read(kSourceIndex).sourceIndex;
}

QString DevToolsElement::src() {
    return read(kSrc).src;
}

QString DevToolsElement::href() {
    return read(kHref).href;
}

int DevToolsElement::width() {
    return read(kWidth).width;
}

int DevToolsElement::height() {
    return read(kHeight).height;
}

QString DevToolsElement::type() {
    return read(kType).type;
}

QString DevToolsElement::value() {
    return read(kValue).value;
}

bool DevToolsElement::checked() {
    return read(kChecked).checked;
}

void DevToolsElement::setChecked(bool checked) {
    run(QStringLiteral("el.checked = %1; return true;").arg(checked ? "true" : "false"));
}

QString DevToolsElement::outerHtml() {
    return read(kOuterHtml).outerHtml;
}

QString DevToolsElement::outerText() {
    return read(kOuterText).outerText;
}

QString DevToolsElement::innerHtml() {
    return read(kInnerHtml).innerHtml;
}

void DevToolsElement::setInnerHtml(const QString& html) {
    run(QStringLiteral("el.innerHTML = %1; return true;").arg(PageScripts::literal(html)));
}

void DevToolsElement::setContentEditable(bool editable) {
    run(QStringLiteral("el.contentEditable = %1; return true;").arg(editable ? "'true'" : "'false'"));
}

void DevToolsElement::setBgColor(const QString& color) {
    run(QStringLiteral(
            "const c = %1; if ('bgColor' in el) el.bgColor = c; else el.setAttribute('bgcolor', c);"
            " return true;")
            .arg(PageScripts::literal(color)));
}

void DevToolsElement::setStyleAttribute(const QString& name, const QString& value) {
    // Names may come in the script form (backgroundColor) or the style sheet form (background-color).
    run(QStringLiteral(
            "const n = %1.replace(/[A-Z]/g, m => '-' + m.toLowerCase()); const v = %2;"
            " if (v === '') el.style.removeProperty(n); else el.style.setProperty(n, v); return true;")
            .arg(PageScripts::literal(name), PageScripts::literal(value)));
}

void DevToolsElement::click() {
    run(QStringLiteral("el.click(); return true;"), true);
}

CollectionPtr DevToolsElement::formElements() {
    return std::make_shared<DevToolsCollection>(frame_, PageScripts::formElements(expression_));
}

}  // namespace vorlaken
