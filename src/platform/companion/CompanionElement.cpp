#include "platform/companion/CompanionElement.h"

#include "platform/companion/CompanionCollection.h"
#include "platform/pagescript/FieldScript.h"

namespace vorlaken {

CompanionElement::CompanionElement(CompanionTarget target, QJsonArray locator)
    : target_(std::move(target)), locator_(std::move(locator)) {}

ElementData CompanionElement::read(unsigned fields) {
    return FieldScript::parseRow(
        target_.callOn(locator_, QStringLiteral("readElement"), {{QStringLiteral("fields"), int(fields)}}),
        fields);
}

void CompanionElement::change(const QString& operation, const QJsonObject& params) {
    target_.callOn(locator_, operation, params);
}

QString CompanionElement::tagName() {
    return read(kTagName).tagName;
}

ElementPtr CompanionElement::parentElement() {
    const QJsonArray parent = CompanionTarget::step(locator_, QStringLiteral("parent"));
    if (!target_.callOn(parent, QStringLiteral("exists")).toBool())
        return nullptr;
    return std::make_shared<CompanionElement>(target_, parent);
}

QString CompanionElement::getAttribute(const QString& name) {
    return target_.callOn(locator_, QStringLiteral("attribute"), {{QStringLiteral("name"), name}}).toString();
}

int CompanionElement::sourceIndex() {
    return read(kSourceIndex).sourceIndex;
}

QString CompanionElement::src() {
    return read(kSrc).src;
}

QString CompanionElement::href() {
    return read(kHref).href;
}

int CompanionElement::width() {
    return read(kWidth).width;
}

int CompanionElement::height() {
    return read(kHeight).height;
}

QString CompanionElement::type() {
    return read(kType).type;
}

QString CompanionElement::value() {
    return read(kValue).value;
}

bool CompanionElement::checked() {
    return read(kChecked).checked;
}

void CompanionElement::setChecked(bool checked) {
    change(QStringLiteral("setChecked"), {{QStringLiteral("checked"), checked}});
}

QString CompanionElement::outerHtml() {
    return read(kOuterHtml).outerHtml;
}

QString CompanionElement::outerText() {
    return read(kOuterText).outerText;
}

QString CompanionElement::innerHtml() {
    return read(kInnerHtml).innerHtml;
}

void CompanionElement::setInnerHtml(const QString& html) {
    change(QStringLiteral("setInnerHtml"), {{QStringLiteral("html"), html}});
}

void CompanionElement::setContentEditable(bool editable) {
    change(QStringLiteral("setContentEditable"), {{QStringLiteral("editable"), editable}});
}

void CompanionElement::setBgColor(const QString& color) {
    change(QStringLiteral("setBgColor"), {{QStringLiteral("color"), color}});
}

void CompanionElement::setStyleAttribute(const QString& name, const QString& value) {
    change(QStringLiteral("setStyle"), {{QStringLiteral("name"), name}, {QStringLiteral("value"), value}});
}

void CompanionElement::click() {
    change(QStringLiteral("click"));
}

CollectionPtr CompanionElement::formElements() {
    return std::make_shared<CompanionCollection>(target_,
                                                 CompanionTarget::step(locator_, QStringLiteral("elements")));
}

}  // namespace vorlaken
