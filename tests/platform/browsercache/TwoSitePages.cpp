#include "TwoSitePages.h"

#include <QFile>

#include "CacheListing.h"

namespace vorlaken::test {

QString TwoSitePages::install(CachingHttpServer& server, const QByteArray& picture) const {
    server.add(picturePath, {200, "image/png", picture});
    const QString shared = server.url(picturePath);
    const QString second = server.url(QStringLiteral("/two.html"))
                               .replace(QStringLiteral("127.0.0.1"), QStringLiteral("localhost"));
    server.add(firstPage, {200, "text/html",
                           "<html><body><img src=\"" + shared.toUtf8() + "\" onload=\"location.href='" +
                               second.toUtf8() + "'\"></body></html>"});
    server.add(QStringLiteral("/two.html"),
               {200, "text/html", "<html><body><img src=\"" + shared.toUtf8() + "\"></body></html>"});
    server.add(QStringLiteral("/favicon.ico"), {404, "text/plain", "none"});
    return shared;
}

QList<QByteArray> ListedBodiesOf(BrowserCache& cache, const QString& url) {
    QList<QByteArray> bodies;
    for (const BrowserCache::Entry& entry : listAll(cache)) {
        if (entry.sourceUrl != url)
            continue;
        QFile body(entry.localFileName);
        bodies.append(cache.materialize(entry) && body.open(QIODevice::ReadOnly) ? body.readAll()
                                                                                 : QByteArray());
    }
    return bodies;
}

}  // namespace vorlaken::test
