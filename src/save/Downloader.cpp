#include "save/Downloader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace vorlaken {

namespace {

// The system's proxy settings, asked once per scheme, host and port: asking the system can take a
// good part of a millisecond, and the settings do not change within one save run.
class SystemProxies : public QNetworkProxyFactory {
  public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        const QString key =
            query.protocolTag() + u'|' + query.peerHostName() + u'|' + QString::number(query.peerPort());
        auto found = known_.constFind(key);
        if (found != known_.constEnd())
            return found.value();
        const QList<QNetworkProxy> proxies = systemProxyForQuery(query);
        known_.insert(key, proxies);
        return proxies;
    }

  private:
    QHash<QString, QList<QNetworkProxy>> known_;
};

}  // namespace

Downloader::Downloader() : Downloader(Limits{}) {}

Downloader::Downloader(const Limits& limits) : limits_(limits) {
    manager_.setProxyFactory(new SystemProxies);
}

QString Downloader::userAgent() {
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? QCoreApplication::applicationName() : QFileInfo(path).fileName();
}

void Downloader::readCookies(Browser& browser, const QStringList& urls) {
    cookies_.clear();
    try {
        const QStringList headers = browser.cookieHeaders(urls);
        for (qsizetype i = 0; i < urls.size() && i < headers.size(); ++i) {
            if (!headers[i].isEmpty())
                cookies_.insert(urls[i], headers[i]);
        }
    } catch (const AppError&) {
        // A browser that does not answer simply sends no cookies.
        cookies_.clear();
    }
}

std::unique_ptr<Transfer> Downloader::start(const QString& url) {
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    const QString cookie = cookies_.value(url);
    if (!cookie.isEmpty())
        request.setRawHeader("Cookie", cookie.toUtf8());
    return std::make_unique<Transfer>(std::unique_ptr<QNetworkReply>(manager_.get(request)), limits_);
}

StoreOutcome Downloader::downloadToFile(const QString& url, const QString& target,
                                        const std::function<bool()>& stopRequested) {
    return start(url)->storeTo(target, stopRequested);
}

}  // namespace vorlaken
