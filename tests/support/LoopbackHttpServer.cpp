#include "LoopbackHttpServer.h"

#include <sys/socket.h>

#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QMimeDatabase>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace vorlaken::test {

namespace {

QByteArray reasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 304:
            return "Not Modified";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

QString pathWithoutQuery(const QString& target) {
    const qsizetype mark = target.indexOf(QLatin1Char('?'));
    return mark < 0 ? target : target.left(mark);
}

bool hasCookie(const QByteArray& cookieHeader, const QByteArray& wanted) {
    for (const QByteArray& part : cookieHeader.split(';')) {
        if (part.trimmed() == wanted.trimmed()) {
            return true;
        }
    }
    return false;
}

}  // namespace

// Lives on the server's thread: accepts connections, parses requests and answers them.
class LoopbackHttpWorker : public QObject {
  public:
    explicit LoopbackHttpWorker(LoopbackHttpServer* owner) : owner_(owner) {
        connect(&server_, &QTcpServer::newConnection, this, [this] { acceptAll(); });
    }

    quint16 listen() {
        if (!server_.listen(QHostAddress::LocalHost, 0)) {
            return 0;
        }
        return server_.serverPort();
    }

  private:
    void acceptAll() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { readFrom(socket); });
        }
    }

    void readFrom(QTcpSocket* socket) {
        if (socket->property("answered").toBool()) {
            socket->readAll();
            return;
        }
        QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
        socket->setProperty("buffer", buffer);
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0) {
            return;
        }
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        HttpRequestRecord request;
        request.method = requestLine.value(0);
        request.path = QString::fromLatin1(requestLine.value(1));
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0) {
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
            }
        }
        const qint64 bodyLength = request.headers.value("content-length").toLongLong();
        if (buffer.size() - (headerEnd + 4) < bodyLength) {
            return;  // wait for the rest of the request body
        }
        socket->setProperty("answered", true);
        owner_->record(request);

        HttpRoute route;
        if (!owner_->findRoute(request.path, &route)) {
            route = fileRoute(request.path);
        } else if (!route.requiredCookie.isEmpty() &&
                   !hasCookie(request.headers.value("cookie"), route.requiredCookie)) {
            route = HttpRoute{};
            route.status = 403;
            route.contentType = "text/plain";
            route.body = "forbidden";
        }
        const bool head = request.method == "HEAD";
        if (route.delayMs > 0) {
            QTimer::singleShot(route.delayMs, socket, [socket, route, head] { answer(socket, route, head); });
        } else {
            answer(socket, route, head);
        }
    }

    HttpRoute fileRoute(const QString& target) const {
        HttpRoute route;
        const QString root = owner_->rootFolder();
        const QString relative = QUrl::fromPercentEncoding(pathWithoutQuery(target).toLatin1());
        QFileInfo info(QDir(root).filePath(QDir::cleanPath(QStringLiteral("./") + relative)));
        if (info.isDir()) {
            info.setFile(QDir(info.filePath()).filePath(QStringLiteral("index.html")));
        }
        const QString rootPath = QFileInfo(root).canonicalFilePath();
        const QString filePath = info.canonicalFilePath();
        QFile file(filePath);
        if (root.isEmpty() || filePath.isEmpty() || !filePath.startsWith(rootPath + QLatin1Char('/')) ||
            !file.open(QIODevice::ReadOnly)) {
            route.status = 404;
            route.contentType = "text/plain";
            route.body = "not found";
            return route;
        }
        route.body = file.readAll();
        route.contentType = QMimeDatabase().mimeTypeForFile(info).name().toLatin1();
        return route;
    }

    static void answer(QTcpSocket* socket, const HttpRoute& route, bool head) {
        const qint64 length = route.generatedLength >= 0
                                  ? route.generatedLength
                                  : qMax<qint64>(route.announcedLength, route.body.size());
        QByteArray response =
            "HTTP/1.1 " + QByteArray::number(route.status) + ' ' + reasonPhrase(route.status) + "\r\n";
        if (!route.contentType.isEmpty()) {
            response += "Content-Type: " + route.contentType + "\r\n";
        }
        if (!route.endless && !route.noLength) {
            response += "Content-Length: " + QByteArray::number(length) + "\r\n";
        }
        response += "Connection: close\r\nCache-Control: no-store\r\n";
        for (const auto& header : route.headers) {
            response += header.first + ": " + header.second + "\r\n";
        }
        response += "\r\n";
        if (head) {
            socket->write(response);
            socket->disconnectFromHost();
            return;
        }
        if (route.endless || route.generatedLength >= 0) {
            const QByteArray head = route.body.left(qMax<qint64>(length, 0));
            socket->write(response + head);
            stream(socket, route.endless ? -1 : length - head.size());
            return;
        }
        if (route.dripBytes > 0) {
            socket->write(response);
            drip(socket, route);
            return;
        }
        socket->write(response + route.body);
        if (route.reset) {
            resetConnection(socket);
            return;
        }
        // Closing after the write also serves the short-body route: the peer sees the connection end
        // before the announced length arrived.
        socket->disconnectFromHost();
    }

    // Sends filler, without end when remaining is -1. Keeps a few pieces queued, so the server's memory
    // stays small however fast the peer reads.
    static void stream(QTcpSocket* socket, qint64 remaining) {
        static const QByteArray piece(64 * 1024, 'x');
        auto left = std::make_shared<qint64>(remaining);
        auto topUp = [socket, left] {
            while (socket->state() == QAbstractSocket::ConnectedState &&
                   socket->bytesToWrite() < 4 * piece.size()) {
                if (*left < 0) {
                    socket->write(piece);
                    continue;
                }
                if (*left == 0) {
                    socket->disconnectFromHost();
                    return;
                }
                const qint64 n = qMin<qint64>(*left, piece.size());
                socket->write(piece.constData(), n);
                *left -= n;
            }
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, topUp);
        topUp();
    }

    static void drip(QTcpSocket* socket, const HttpRoute& route) {
        auto* timer = new QTimer(socket);
        timer->setInterval(route.dripIntervalMs);
        auto sent = std::make_shared<qsizetype>(0);
        const QByteArray body = route.body;
        const int piece = route.dripBytes;
        connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body, piece] {
            if (*sent >= body.size()) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            socket->write(body.mid(*sent, piece));
            *sent += piece;
        });
        timer->start();
    }

    // A linger time of zero makes the close a reset instead of an orderly end.
    static void resetConnection(QTcpSocket* socket) {
        socket->waitForBytesWritten(5000);
        const struct linger noLinger = {1, 0};
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &noLinger, sizeof noLinger);
        socket->abort();
    }

    LoopbackHttpServer* owner_;
    QTcpServer server_{this};
};

LoopbackHttpServer::LoopbackHttpServer() {
    thread_.setObjectName(QStringLiteral("LoopbackHttpServer"));
    worker_ = new LoopbackHttpWorker(this);
    worker_->moveToThread(&thread_);
    thread_.start();
}

LoopbackHttpServer::~LoopbackHttpServer() {
    // The worker and its sockets belong to the server's thread and end there.
    QMetaObject::invokeMethod(
        worker_, [this] { delete worker_; }, Qt::BlockingQueuedConnection);
    worker_ = nullptr;
    thread_.quit();
    thread_.wait();
}

bool LoopbackHttpServer::listen() {
    if (port_ != 0) {
        return true;
    }
    quint16 port = 0;
    QMetaObject::invokeMethod(
        worker_, [this, &port] { port = worker_->listen(); }, Qt::BlockingQueuedConnection);
    port_ = port;
    return port_ != 0;
}

QString LoopbackHttpServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

QString LoopbackHttpServer::localhostUrl(const QString& path) const {
    return QStringLiteral("http://localhost:%1%2").arg(port_).arg(path);
}

void LoopbackHttpServer::setRoot(const QString& folder) {
    QMutexLocker lock(&mutex_);
    root_ = folder;
}

void LoopbackHttpServer::addRoute(const QString& path, const HttpRoute& route) {
    QMutexLocker lock(&mutex_);
    routes_.insert(path, route);
}

void LoopbackHttpServer::addPage(const QString& path, const QByteArray& body, const QByteArray& contentType) {
    HttpRoute route;
    route.body = body;
    route.contentType = contentType;
    addRoute(path, route);
}

void LoopbackHttpServer::addNotFound(const QString& path) {
    HttpRoute route;
    route.status = 404;
    route.contentType = "text/plain";
    route.body = "not found";
    addRoute(path, route);
}

void LoopbackHttpServer::addCookieRequired(const QString& path, const QByteArray& cookie,
                                           const QByteArray& body, const QByteArray& contentType) {
    HttpRoute route;
    route.body = body;
    route.contentType = contentType;
    route.requiredCookie = cookie;
    addRoute(path, route);
}

void LoopbackHttpServer::addTruncated(const QString& path, const QByteArray& body, qint64 announcedLength,
                                      const QByteArray& contentType) {
    HttpRoute route;
    route.body = body;
    route.contentType = contentType;
    route.announcedLength = announcedLength;
    addRoute(path, route);
}

void LoopbackHttpServer::addDelayed(const QString& path, int delayMs, const QByteArray& body,
                                    const QByteArray& contentType) {
    HttpRoute route;
    route.body = body;
    route.contentType = contentType;
    route.delayMs = delayMs;
    addRoute(path, route);
}

void LoopbackHttpServer::addEndless(const QString& path, const QByteArray& head,
                                    const QByteArray& contentType) {
    HttpRoute route;
    route.body = head;
    route.contentType = contentType;
    route.endless = true;
    addRoute(path, route);
}

void LoopbackHttpServer::addGenerated(const QString& path, const QByteArray& head, qint64 length,
                                      const QByteArray& contentType) {
    HttpRoute route;
    route.body = head;
    route.contentType = contentType;
    route.generatedLength = length;
    addRoute(path, route);
}

void LoopbackHttpServer::addDrip(const QString& path, const QByteArray& body, int bytesPerPiece,
                                 int intervalMs, qint64 announcedLength, const QByteArray& contentType) {
    HttpRoute route;
    route.body = body;
    route.contentType = contentType;
    route.dripBytes = bytesPerPiece;
    route.dripIntervalMs = intervalMs;
    route.announcedLength = announcedLength;
    route.noLength = announcedLength < 0;
    addRoute(path, route);
}

void LoopbackHttpServer::addReset(const QString& path, const QByteArray& body, qint64 announcedLength,
                                  const QByteArray& contentType) {
    HttpRoute route;
    route.body = body;
    route.contentType = contentType;
    route.announcedLength = announcedLength;
    route.reset = true;
    addRoute(path, route);
}

QList<HttpRequestRecord> LoopbackHttpServer::requests() const {
    QMutexLocker lock(&mutex_);
    return requests_;
}

QList<HttpRequestRecord> LoopbackHttpServer::requestsFor(const QString& path) const {
    QList<HttpRequestRecord> found;
    for (const HttpRequestRecord& request : requests()) {
        if (pathWithoutQuery(request.path) == path) {
            found.append(request);
        }
    }
    return found;
}

void LoopbackHttpServer::clearRequests() {
    QMutexLocker lock(&mutex_);
    requests_.clear();
}

bool LoopbackHttpServer::findRoute(const QString& target, HttpRoute* route) const {
    QMutexLocker lock(&mutex_);
    auto found = routes_.constFind(target);
    if (found == routes_.cend()) {
        found = routes_.constFind(pathWithoutQuery(target));
    }
    if (found == routes_.cend()) {
        return false;
    }
    *route = *found;
    return true;
}

QString LoopbackHttpServer::rootFolder() const {
    QMutexLocker lock(&mutex_);
    return root_;
}

void LoopbackHttpServer::record(const HttpRequestRecord& request) {
    QMutexLocker lock(&mutex_);
    requests_.append(request);
}

}  // namespace vorlaken::test
