#include "DevToolsCollection.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "platform/devtools/DevToolsElement.h"
#include "platform/devtools/PageScripts.h"

namespace vorlaken {

DevToolsCollection::DevToolsCollection(FrameContext frame, QString expression)
    : frame_(std::move(frame)), expression_(std::move(expression)) {}

int DevToolsCollection::length() {
    return frame_.evaluate(PageScripts::program(QStringLiteral("return (%1).length;").arg(expression_)))
        .toInt();
}

ElementPtr DevToolsCollection::item(int index) {
    if (index < 0) {
        return nullptr;
    }
    const QString element = QStringLiteral("(%1)[%2]").arg(expression_).arg(index);
    if (index >= itemsRead_ &&
        !frame_.evaluate(PageScripts::program(QStringLiteral("return !!%1;").arg(element))).toBool()) {
        return nullptr;
    }
    return std::make_shared<DevToolsElement>(frame_, element);
}

std::vector<ElementData> DevToolsCollection::read(unsigned fields) {
    const QJsonArray rows = frame_.evaluate(PageScripts::readCollection(expression_, fields)).toArray();
    itemsRead_ = int(rows.size());
    std::vector<ElementData> data;
    data.reserve(rows.size());
    for (const QJsonValue& row : rows) {
        data.push_back(PageScripts::parseRow(row, fields));
    }
    return data;
}

void DevToolsCollection::setChecked(const std::vector<int>& indexes, bool checked) {
    QJsonArray positions;
    for (int index : indexes) {
        positions.append(index);
    }
    const QString list = QString::fromUtf8(QJsonDocument(positions).toJson(QJsonDocument::Compact));
    frame_.evaluate(PageScripts::program(
        QStringLiteral("const items = %1;"
                       " for (const i of %2) { const e = items[i]; if (e) e.checked = %3; }"
                       " return true;")
            .arg(expression_, list, checked ? "true" : "false")));
}

}  // namespace vorlaken
