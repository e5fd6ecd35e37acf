#include "platform/webzone/ZoneCollection.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "platform/pagescript/FieldScript.h"
#include "platform/webzone/ZoneElement.h"

namespace vorlaken {

ZoneCollection::ZoneCollection(std::shared_ptr<const ScriptRunner> runner, QString expression)
    : runner_(std::move(runner)), expression_(std::move(expression)) {}

int ZoneCollection::length() {
    return runner_
        ->run(QStringLiteral("var c=%1; if(!c) throw 'no collection'; return c.length;").arg(expression_))
        .toInt();
}

ElementPtr ZoneCollection::item(int index) {
    if (index < 0)
        return nullptr;
    const QString expression = QStringLiteral("(%1)[%2]").arg(expression_).arg(index);
    const bool exists = runner_->run(QStringLiteral("return !!(%1);").arg(expression)).toBool();
    if (!exists)
        return nullptr;
    return std::make_shared<ZoneElement>(runner_, expression);
}

std::vector<ElementData> ZoneCollection::read(unsigned fields) {
    const QJsonValue answer =
        runner_->run(QStringLiteral("return %1;").arg(FieldScript::readCollection(expression_, fields)));
    std::vector<ElementData> items;
    const QJsonArray array = answer.toArray();
    items.reserve(array.size());
    for (const QJsonValue& value : array)
        items.push_back(FieldScript::parseRow(value, fields));
    return items;
}

void ZoneCollection::setChecked(const std::vector<int>& indexes, bool checked) {
    if (indexes.empty())
        return;
    QJsonArray list;
    for (int index : indexes)
        list.append(index);
    const QString json = QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
    runner_->run(QStringLiteral("var c=%1; if(!c) throw 'no collection'; var ix=%2;"
                                "for(var i=0;i<ix.length;i++){var e=c[ix[i]]; if(e) e.checked=%3;}")
                     .arg(expression_, json, checked ? QStringLiteral("true") : QStringLiteral("false")));
}

}  // namespace vorlaken
