#include "DevToolsDocument.h"

#include "platform/devtools/DevToolsCollection.h"
#include "platform/devtools/DevToolsElement.h"
#include "platform/devtools/PageScripts.h"

namespace vorlaken {

DevToolsDocument::DevToolsDocument(FrameContext frame) : frame_(std::move(frame)) {}

QString DevToolsDocument::url() {
    return frame_.evaluate(QStringLiteral("document.URL")).toString();
}

QString DevToolsDocument::title() {
    return frame_.evaluate(QStringLiteral("document.title")).toString();
}

ElementPtr DevToolsDocument::body() {
    if (!frame_.evaluate(QStringLiteral("!!document.body")).toBool()) {
        return nullptr;
    }
    return std::make_shared<DevToolsElement>(frame_, QStringLiteral("document.body"));
}

CollectionPtr DevToolsDocument::collection(const QString& expression) const {
    return std::make_shared<DevToolsCollection>(frame_, expression);
}

CollectionPtr DevToolsDocument::images() {
    return collection(QStringLiteral("document.images"));
}

CollectionPtr DevToolsDocument::links() {
    return collection(QStringLiteral("document.links"));
}

CollectionPtr DevToolsDocument::forms() {
    return collection(QStringLiteral("document.forms"));
}

CollectionPtr DevToolsDocument::all() {
    return collection(PageScripts::allElements());
}

}  // namespace vorlaken
