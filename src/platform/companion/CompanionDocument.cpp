#include "platform/companion/CompanionDocument.h"

#include <QJsonArray>

#include "platform/companion/CompanionCollection.h"
#include "platform/companion/CompanionElement.h"

namespace vorlaken {

namespace {

// Within one command the prefetched values are as good as new ones; a document object kept longer
// reads the page again.
constexpr qint64 kFreshMs = 500;

}  // namespace

CompanionDocument::CompanionDocument(CompanionTarget target, const Prefetch& prefetch)
    : target_(std::move(target)), url_(prefetch.url, kFreshMs), title_(prefetch.title, kFreshMs) {}

QString CompanionDocument::url() {
    if (const auto fresh = url_.take())
        return *fresh;
    return target_.call(QStringLiteral("url")).toString();
}

QString CompanionDocument::title() {
    if (const auto fresh = title_.take())
        return *fresh;
    return target_.call(QStringLiteral("title")).toString();
}

ElementPtr CompanionDocument::body() {
    const QJsonArray locator = CompanionTarget::root(QStringLiteral("body"));
    if (!target_.callOn(locator, QStringLiteral("exists")).toBool())
        return nullptr;
    return std::make_shared<CompanionElement>(target_, locator);
}

CollectionPtr CompanionDocument::collection(const QString& name) const {
    return std::make_shared<CompanionCollection>(target_, CompanionTarget::root(name));
}

CollectionPtr CompanionDocument::images() {
    return collection(QStringLiteral("images"));
}

CollectionPtr CompanionDocument::links() {
    return collection(QStringLiteral("links"));
}

CollectionPtr CompanionDocument::forms() {
    return collection(QStringLiteral("forms"));
}

CollectionPtr CompanionDocument::all() {
    return collection(QStringLiteral("all"));
}

CollectionPtr CompanionDocument::tagged(const QStringList& tagNames) {
    return std::make_shared<CompanionCollection>(
        target_, QJsonArray{QJsonArray{QStringLiteral("tagged"), QJsonArray::fromStringList(tagNames)}});
}

}  // namespace vorlaken
