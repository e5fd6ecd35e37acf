#include "shell/PictureUnderPoint.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QUrl>

#include "common/Errors.h"
#include "platform/webzone/SilentPage.h"
#include "platform/webzone/WebZone.h"

namespace vorlaken {

namespace {

// The mouse waits for this answer; the zone's usual bound, which a machine under load needs at times.
constexpr int kBoundMs = 3000;

// The image p<n> under the point and the hidden field h<n> beside it, as PreviewPage writes them.
const QString kScript = QStringLiteral(
    "var e=document.elementFromPoint(%1,%2);"
    "if(!e||e.tagName!=='IMG')return null;"
    "var m=/^p([0-9]+)$/.exec(e.getAttribute('name')||'');"
    "if(!m)return null;"
    "var h=document.getElementsByName('h'+m[1])[0];"
    "return {src:e.src,page:(h&&h.type==='hidden')?h.value:''};");

}  // namespace

PictureUnderPoint::PictureUnderPoint(WebZone& zone, const QString& templatePath)
    : zone_(zone), templatePath_(QFileInfo(templatePath).absoluteFilePath()) {}

bool PictureUnderPoint::showsPreviewPage() const {
    const QUrl shown = QUrl(zone_.locationUrl()).adjusted(QUrl::RemoveFragment);
    return shown.isLocalFile() && QFileInfo(shown.toLocalFile()).absoluteFilePath() == templatePath_;
}

std::optional<PointedPicture> PictureUnderPoint::at(const QPoint& point) const {
    if (!zone_.view() || !showsPreviewPage())
        return std::nullopt;
    // The page's coordinates are the view's divided by its zoom.
    const double zoom = zone_.view()->zoomFactor() > 0 ? zone_.view()->zoomFactor() : 1.0;
    try {
        const ScriptRunner runner(zone_.page(), kBoundMs);
        const QJsonValue answer =
            runner.run(kScript.arg(QString::number(point.x() / zoom), QString::number(point.y() / zoom)));
        if (!answer.isObject())
            return std::nullopt;
        const QJsonObject found = answer.toObject();
        const QString src = found.value(QLatin1String("src")).toString();
        if (src.isEmpty())
            return std::nullopt;
        return PointedPicture{src, found.value(QLatin1String("page")).toString()};
    } catch (const PageError&) {
        return std::nullopt;
    }
}

}  // namespace vorlaken
