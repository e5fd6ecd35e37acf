#include "platform/companion/CompanionCollection.h"

#include "platform/companion/CompanionElement.h"
#include "platform/pagescript/FieldScript.h"

namespace vorlaken {

CompanionCollection::CompanionCollection(CompanionTarget target, QJsonArray locator)
    : target_(std::move(target)), locator_(std::move(locator)) {}

int CompanionCollection::length() {
    return target_.callOn(locator_, QStringLiteral("length")).toInt();
}

ElementPtr CompanionCollection::item(int index) {
    if (index < 0)
        return nullptr;
    const QJsonArray element = CompanionTarget::item(locator_, index);
    if (index >= itemsRead_ && !target_.callOn(element, QStringLiteral("exists")).toBool())
        return nullptr;
    return std::make_shared<CompanionElement>(target_, element);
}

std::vector<ElementData> CompanionCollection::read(unsigned fields) {
    const QJsonArray rows =
        target_.callOn(locator_, QStringLiteral("readItems"), {{QStringLiteral("fields"), int(fields)}})
            .toArray();
    itemsRead_ = int(rows.size());
    std::vector<ElementData> data;
    data.reserve(rows.size());
    for (const QJsonValue& row : rows)
        data.push_back(FieldScript::parseRow(row, fields));
    return data;
}

void CompanionCollection::setChecked(const std::vector<int>& indexes, bool checked) {
    QJsonArray positions;
    for (int index : indexes)
        positions.append(index);
    target_.callOn(locator_, QStringLiteral("setCheckedItems"),
                   {{QStringLiteral("indexes"), positions}, {QStringLiteral("checked"), checked}});
}

}  // namespace vorlaken
