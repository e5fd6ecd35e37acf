#include "platform/webzone/ZoneDocument.h"

#include "platform/pagescript/FieldScript.h"
#include "platform/webzone/ZoneCollection.h"
#include "platform/webzone/ZoneElement.h"

namespace vorlaken {

ZoneDocument::ZoneDocument(std::shared_ptr<const ScriptRunner> runner, QString windowExpression)
    : runner_(std::move(runner)), document_(windowExpression + QStringLiteral(".document")) {}

void ZoneDocument::requireHtml(const ScriptRunner& runner, const QString& windowExpression) {
    const bool html = runner
                          .run(QStringLiteral("var d=%1.document; return !!(d && d.documentElement && "
                                              "/html/i.test(d.contentType||''));")
                                   .arg(windowExpression))
                          .toBool();
    if (!html)
        throw PageError(QStringLiteral("The zone shows no HTML document."));
}

QString ZoneDocument::url() {
    return runner_->run(QStringLiteral("return %1.URL;").arg(document_)).toString();
}

QString ZoneDocument::title() {
    return runner_->run(QStringLiteral("return %1.title;").arg(document_)).toString();
}

ElementPtr ZoneDocument::body() {
    if (!runner_->run(QStringLiteral("return !!%1.body;").arg(document_)).toBool())
        throw PageError(QStringLiteral("The document has no body."));
    return std::make_shared<ZoneElement>(runner_, document_ + QStringLiteral(".body"));
}

CollectionPtr ZoneDocument::collection(const QString& member) const {
    return std::make_shared<ZoneCollection>(runner_, document_ + member);
}

CollectionPtr ZoneDocument::images() {
    return collection(QStringLiteral(".images"));
}
CollectionPtr ZoneDocument::links() {
    return collection(QStringLiteral(".links"));
}
CollectionPtr ZoneDocument::forms() {
    return collection(QStringLiteral(".forms"));
}
CollectionPtr ZoneDocument::all() {
    return collection(QStringLiteral(".getElementsByTagName('*')"));
}
CollectionPtr ZoneDocument::tagged(const QStringList& tagNames) {
    return std::make_shared<ZoneCollection>(runner_, FieldScript::taggedElements(document_, tagNames));
}

}  // namespace vorlaken
