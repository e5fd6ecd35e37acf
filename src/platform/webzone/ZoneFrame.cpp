#include "platform/webzone/ZoneFrame.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/webzone/ZoneDocument.h"

namespace vorlaken {

ZoneFrame::ZoneFrame(std::shared_ptr<const ScriptRunner> runner, QString windowExpression)
    : runner_(std::move(runner)), window_(std::move(windowExpression)) {}

DocumentPtr ZoneFrame::document() {
    ZoneDocument::requireHtml(*runner_, window_);
    return std::make_shared<ZoneDocument>(runner_, window_);
}

QString ZoneFrame::locationUrl() {
    return runner_->run(QStringLiteral("return %1.location.href;").arg(window_)).toString();
}

void ZoneFrame::navigate(const QString& url) {
    runner_->run(QStringLiteral("%1.location.href=%2;").arg(window_, ScriptRunner::quote(url)));
}

void ZoneFrame::goBack() {
    runner_->run(QStringLiteral("%1.history.back();").arg(window_));
}
void ZoneFrame::reload() {
    runner_->run(QStringLiteral("%1.location.reload();").arg(window_));
}

void ZoneFrame::openInNewWindow(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

}  // namespace vorlaken
