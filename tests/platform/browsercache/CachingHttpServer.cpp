#include "CachingHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace vorlaken::test {

bool CachingHttpServer::listen() {
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return server_.listen(QHostAddress::LocalHost);
}

QString CachingHttpServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
}

void CachingHttpServer::serve(QTcpSocket* socket) {
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n")) {
        return;
    }
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = words.size() >= 2 ? QString::fromLatin1(words.at(1)) : QString();
    hits_[path] += 1;
    const Resource resource = resources_.value(path, Resource{404, "text/plain", "not found"});
    QByteArray answer = "HTTP/1.1 " + QByteArray::number(resource.status) +
                        (resource.status == 200 ? " OK\r\n" : " Not Found\r\n");
    if (!resource.contentType.isEmpty()) {
        answer += "Content-Type: " + resource.contentType + "\r\n";
    }
    if (!resource.contentEncoding.isEmpty()) {
        answer += "Content-Encoding: " + resource.contentEncoding + "\r\n";
    }
    answer += "Content-Length: " + QByteArray::number(resource.body.size()) + "\r\n";
    answer += "Cache-Control: max-age=86400\r\nLast-Modified: Mon, 01 Jan 2024 00:00:00 GMT\r\n";
    // A strong validator and byte ranges: what lets a browser keep a cut-off body to resume it.
    answer += "ETag: \"" + QByteArray::number(qHash(resource.body), 16) + "\"\r\nAccept-Ranges: bytes\r\n";
    answer += "Connection: close\r\n\r\n";
    answer += resource.sendOnly >= 0 ? resource.body.left(resource.sendOnly) : resource.body;
    socket->write(answer);
    socket->disconnectFromHost();
}

}  // namespace vorlaken::test
