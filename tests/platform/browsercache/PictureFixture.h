#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include "CachingHttpServer.h"

namespace vorlaken::test {

// A page with pictures of several types for the browsers to cache: PNG, JPEG, GIF and BMP files, one
// picture without an extension but with a content type, and one picture the server answers with 404.
struct PictureFixture {
    // Paths of the pictures served with 200 and their bytes.
    QMap<QString, QByteArray> pictures;
    QString pagePath = QStringLiteral("/page.html");
    QString missingPath = QStringLiteral("/pics/missing.png");

    // Registers the page and the pictures with the server.
    void install(CachingHttpServer* server);
};

}  // namespace vorlaken::test
