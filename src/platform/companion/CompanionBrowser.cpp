#include "platform/companion/CompanionBrowser.h"

#include "platform/companion/CompanionDocument.h"
#include "platform/pagescript/KeyMapping.h"

namespace vorlaken {

CompanionBrowser::CompanionBrowser(CompanionTarget target) : target_(std::move(target)) {}

DocumentPtr CompanionBrowser::document() {
    const QJsonArray found = target_.call(QStringLiteral("document")).toArray();
    const QString type = found.at(0).toString();
    if (type != QLatin1String("text/html") && type != QLatin1String("application/xhtml+xml"))
        throw PageError(QStringLiteral("The frame shows no HTML document (%1).").arg(type));
    return std::make_shared<CompanionDocument>(
        target_, CompanionDocument::Prefetch{found.at(1).toString(), found.at(2).toString()});
}

QString CompanionBrowser::locationUrl() {
    return target_.call(QStringLiteral("location")).toString();
}

void CompanionBrowser::navigate(const QString& url) {
    target_.call(QStringLiteral("navigate"), {{QStringLiteral("url"), url}});
}

void CompanionBrowser::goBack() {
    target_.call(QStringLiteral("goBack"));
}

void CompanionBrowser::reload() {
    target_.call(QStringLiteral("reload"));
}

void CompanionBrowser::openInNewWindow(const QString& url) {
    target_.call(QStringLiteral("openWindow"), {{QStringLiteral("url"), url}});
}

std::vector<BrowserPtr> CompanionBrowser::frames() {
    std::vector<BrowserPtr> browsers;
    for (const QJsonValue& id : target_.call(QStringLiteral("frames")).toArray())
        browsers.push_back(std::make_shared<CompanionBrowser>(target_.frame(qint64(id.toDouble()))));
    return browsers;
}

void CompanionBrowser::postKey(int virtualKey, bool down) {
    const KeyEventFields key = KeyForVirtualKey(virtualKey);
    const QString type =
        !down ? QStringLiteral("keyUp")
              : (key.text.isEmpty() ? QStringLiteral("rawKeyDown") : QStringLiteral("keyDown"));
    target_.call(QStringLiteral("key"), {{QStringLiteral("type"), type},
                                         {QStringLiteral("key"), key.key},
                                         {QStringLiteral("code"), key.code},
                                         {QStringLiteral("text"), key.text},
                                         {QStringLiteral("keyCode"), virtualKey}});
}

QString CompanionBrowser::cookieHeader(const QString& url) {
    return target_.call(QStringLiteral("cookieHeader"), {{QStringLiteral("url"), url}}).toString();
}

}  // namespace vorlaken
