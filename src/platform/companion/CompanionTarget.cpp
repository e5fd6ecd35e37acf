#include "platform/companion/CompanionTarget.h"

namespace vorlaken {

CompanionTarget::CompanionTarget(CompanionConnectionPtr connection, qint64 tab, qint64 frame)
    : connection_(std::move(connection)), tab_(tab), frame_(frame) {}

QJsonValue CompanionTarget::call(const QString& operation, QJsonObject params) const {
    params.insert(QStringLiteral("tab"), double(tab_));
    params.insert(QStringLiteral("frame"), double(frame_));
    return connection_->call(operation, params);
}

QJsonValue CompanionTarget::callOn(const QJsonArray& locator, const QString& operation,
                                   QJsonObject params) const {
    params.insert(QStringLiteral("locator"), locator);
    return call(operation, std::move(params));
}

QJsonArray CompanionTarget::root(const QString& name) {
    return QJsonArray{QJsonArray{name}};
}

QJsonArray CompanionTarget::step(QJsonArray locator, const QString& name) {
    locator.append(QJsonArray{name});
    return locator;
}

QJsonArray CompanionTarget::item(QJsonArray locator, int index) {
    locator.append(QJsonArray{QStringLiteral("item"), index});
    return locator;
}

}  // namespace vorlaken
