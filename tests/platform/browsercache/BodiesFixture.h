#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include "CachingHttpServer.h"

namespace vorlaken::test {

// A page whose pictures reach the browser the awkward ways real sites send them: compressed with each
// Content-Encoding, cut off in the middle, labelled with another type or a generic one, or at
// addresses whose ending says nothing (or the wrong thing) about the picture.
struct BodiesFixture {
    struct Picture {
        QByteArray bytes;  // what the picture is once decoded
        QString name;      // the file name its materialised copy gets
    };
    // The pictures the browser keeps whole, by path (with query); the cut-off one is not among them.
    QMap<QString, Picture> pictures;
    QString pagePath = QStringLiteral("/bodies.html");
    QString cutPath = QStringLiteral("/cut/half.png");
    qint64 cutLength = 0;  // the whole cut-off picture's length; the server sends half of it

    void install(CachingHttpServer* server);
    // Every path the page loads.
    QStringList paths() const;
};

}  // namespace vorlaken::test
