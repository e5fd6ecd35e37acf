#include "platform/webzone/ZoneElement.h"

#include "platform/pagescript/FieldScript.h"
#include "platform/webzone/ZoneCollection.h"

namespace vorlaken {

ZoneElement::ZoneElement(std::shared_ptr<const ScriptRunner> runner, QString expression)
    : runner_(std::move(runner)), expression_(std::move(expression)) {}

QJsonValue ZoneElement::onElement(const QString& body) const {
    return runner_->run(
        QStringLiteral("var el=%1; if(!el) throw 'The element is gone.'; %2").arg(expression_, body));
}

ElementData ZoneElement::field(unsigned mask) const {
    return FieldScript::parseRow(
        runner_->run(QStringLiteral("return %1;").arg(FieldScript::readElement(expression_, mask))), mask);
}

QString ZoneElement::tagName() {
    return field(kTagName).tagName;
}

ElementPtr ZoneElement::parentElement() {
    const QString parent = QStringLiteral("(%1).parentElement").arg(expression_);
    if (!onElement(QStringLiteral("return !!el.parentElement;")).toBool())
        return nullptr;
    return std::make_shared<ZoneElement>(runner_, parent);
}

QString ZoneElement::getAttribute(const QString& name) {
    return onElement(QStringLiteral("var v=el.getAttribute(%1); return v===null?'':String(v);")
                         .arg(ScriptRunner::quote(name)))
        .toString();
}

int ZoneElement::sourceIndex() {
    return field(kSourceIndex).sourceIndex;
}
QString ZoneElement::src() {
    return field(kSrc).src;
}
QString ZoneElement::href() {
    return field(kHref).href;
}
int ZoneElement::width() {
    return field(kWidth).width;
}
int ZoneElement::height() {
    return field(kHeight).height;
}
QString ZoneElement::type() {
    return field(kType).type;
}
QString ZoneElement::value() {
    return field(kValue).value;
}
bool ZoneElement::checked() {
    return field(kChecked).checked;
}
QString ZoneElement::outerHtml() {
    return field(kOuterHtml).outerHtml;
}
QString ZoneElement::outerText() {
    return field(kOuterText).outerText;
}
QString ZoneElement::innerHtml() {
    return field(kInnerHtml).innerHtml;
}

void ZoneElement::setChecked(bool checked) {
    onElement(
        QStringLiteral("el.checked=%1;").arg(checked ? QStringLiteral("true") : QStringLiteral("false")));
}

void ZoneElement::setInnerHtml(const QString& html) {
    onElement(QStringLiteral("el.innerHTML=%1;").arg(ScriptRunner::quote(html)));
}

void ZoneElement::setContentEditable(bool editable) {
    onElement(QStringLiteral("el.contentEditable=%1;")
                  .arg(editable ? QStringLiteral("'true'") : QStringLiteral("'inherit'")));
}

void ZoneElement::setBgColor(const QString& color) {
    onElement(QStringLiteral("el.setAttribute('bgcolor',%1);").arg(ScriptRunner::quote(color)));
}

void ZoneElement::setStyleAttribute(const QString& name, const QString& value) {
    onElement(QStringLiteral(
                  "var n=%1,v=%2; if(v==='') el.style.removeProperty(n); else el.style.setProperty(n,v);")
                  .arg(ScriptRunner::quote(name), ScriptRunner::quote(value)));
}

void ZoneElement::click() {
    onElement(QStringLiteral("el.click();"));
}

CollectionPtr ZoneElement::formElements() {
    if (!onElement(QStringLiteral("return !!el.elements;")).toBool())
        throw PageError(QStringLiteral("The element is not a form."));
    return std::make_shared<ZoneCollection>(runner_, QStringLiteral("(%1).elements").arg(expression_));
}

}  // namespace vorlaken
