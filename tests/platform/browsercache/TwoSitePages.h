#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "CachingHttpServer.h"
#include "common/BrowserCache.h"

namespace vorlaken::test {

// Two pages of two sites showing one picture: a page on 127.0.0.1 that goes on, once its picture is
// there, to a page on localhost showing the same picture. Browsers that split their caches by site keep
// the picture once for each.
struct TwoSitePages {
    QString firstPage = QStringLiteral("/one.html");
    QString picturePath = QStringLiteral("/pics/shared.png");

    // Registers both pages and the picture with the server; returns the picture's address.
    QString install(CachingHttpServer& server, const QByteArray& picture) const;
};

// The bodies of the entries a cache lists for that address, each materialised and read back (empty
// where that failed).
QList<QByteArray> ListedBodiesOf(BrowserCache& cache, const QString& url);

}  // namespace vorlaken::test
