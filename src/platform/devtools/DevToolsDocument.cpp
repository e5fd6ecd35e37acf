#include "DevToolsDocument.h"

#include "platform/devtools/DevToolsCollection.h"
#include "platform/devtools/DevToolsElement.h"
#include "platform/devtools/PageScripts.h"

namespace vorlaken {

namespace {

// Within one command the prefetched values are as good as new ones; a document object kept longer
// reads the page again.
constexpr qint64 kFreshMs = 500;

}  // namespace

DevToolsDocument::DevToolsDocument(FrameContext frame, std::optional<Prefetch> prefetch)
    : frame_(std::move(frame)) {
    if (prefetch) {
        url_ = FreshOnce(prefetch->url, kFreshMs);
        title_ = FreshOnce(prefetch->title, kFreshMs);
    }
}

QString DevToolsDocument::url() {
    if (const auto fresh = url_.take()) {
        return *fresh;
    }
    return frame_.evaluate(QStringLiteral("document.URL")).toString();
}

QString DevToolsDocument::title() {
    if (const auto fresh = title_.take()) {
        return *fresh;
    }
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

CollectionPtr DevToolsDocument::tagged(const QStringList& tagNames) {
    return collection(PageScripts::taggedElements(tagNames));
}

}  // namespace vorlaken
