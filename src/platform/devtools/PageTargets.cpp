#include "PageTargets.h"

#include <memory>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTimer>

#include "common/Errors.h"
#include "common/Termination.h"

namespace vorlaken {

std::vector<PageTarget> ListPageTargets(const QUrl& endpoint, int boundMs) {
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QUrl listUrl = endpoint;
    listUrl.setPath(QStringLiteral("/json/list"));
    std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(listUrl)));
    QEventLoop loop;
    QTimer::singleShot(boundMs, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    Termination::quitOnTermination(loop);
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!reply->isFinished()) {
        reply->abort();
        throw TimeoutError(QStringLiteral("The browser's DevTools endpoint did not answer in time."));
    }
    if (reply->error() != QNetworkReply::NoError) {
        throw BrowserGoneError(reply->errorString());
    }
    std::vector<PageTarget> pages;
    for (const QJsonValue& value : QJsonDocument::fromJson(reply->readAll()).array()) {
        const QJsonObject target = value.toObject();
        const QString id = target.value(QLatin1String("id")).toString();
        const QString url = target.value(QLatin1String("url")).toString();
        // The browser's own pages (DevTools windows) are not what the user looks at.
        if (target.value(QLatin1String("type")).toString() != QLatin1String("page") || id.isEmpty() ||
            url.startsWith(QLatin1String("devtools://"))) {
            continue;
        }
        QUrl socket = endpoint;
        socket.setScheme(QStringLiteral("ws"));
        socket.setPath(QStringLiteral("/devtools/page/") + id);
        pages.push_back({id, url, socket});
    }
    return pages;
}

}  // namespace vorlaken
