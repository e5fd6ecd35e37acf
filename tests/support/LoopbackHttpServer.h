#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QString>
#include <QThread>

namespace vorlaken::test {

// What the server answers for one path.
struct HttpRoute {
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;  // extra response headers
    // When set ("name=value"), requests without that cookie in their Cookie header get 403.
    QByteArray requiredCookie;
    // Milliseconds to wait before answering; other connections are served meanwhile.
    int delayMs = 0;
    // When larger than the body: announce this Content-Length, send the body, then drop the connection.
    qint64 announcedLength = -1;

    // Hostile answers. endless: no Content-Length, the body and then filler for as long as the peer
    // reads. dripBytes > 0: the body goes out dripBytes at a time, one piece every dripIntervalMs.
    // reset: the connection ends with a TCP reset right after the body. noLength: no Content-Length
    // header; the end of the connection ends the body.
    bool endless = false;
    // When not -1: a body of this many bytes in all, announced as its Content-Length: the body above
    // and then filler made as the peer reads, so a picture of gigabytes needs no file and little memory.
    qint64 generatedLength = -1;
    int dripBytes = 0;
    int dripIntervalMs = 1000;
    bool reset = false;
    bool noLength = false;
};

// One request as the server received it. Header names are lower case.
struct HttpRequestRecord {
    QByteArray method;
    QString path;  // as sent, query included
    QMap<QByteArray, QByteArray> headers;
};

class LoopbackHttpWorker;

// A small HTTP/1.1 server on 127.0.0.1 for tests and benchmarks. It runs on its own thread, so code
// under test may block the calling thread (synchronous transfers, local event loops) and still be
// answered. Every response closes its connection. Pages can reach it as http://127.0.0.1:PORT and, as a
// second origin for cross-site frames, as http://localhost:PORT.
class LoopbackHttpServer {
  public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Listens on an ephemeral port. False when no port could be had.
    bool listen();
    quint16 port() const { return port_; }
    // http://127.0.0.1:PORT + path ("/a.html").
    QString url(const QString& path = QStringLiteral("/")) const;
    // http://localhost:PORT + path: the same server as another origin.
    QString localhostUrl(const QString& path = QStringLiteral("/")) const;

    // Serves files below this folder for paths without a route.
    void setRoot(const QString& folder);
    // Routes are matched on the path with its query first, then without it.
    void addRoute(const QString& path, const HttpRoute& route);
    void addPage(const QString& path, const QByteArray& body,
                 const QByteArray& contentType = "text/html; charset=utf-8");
    void addNotFound(const QString& path);
    void addCookieRequired(const QString& path, const QByteArray& cookie, const QByteArray& body,
                           const QByteArray& contentType);
    void addTruncated(const QString& path, const QByteArray& body, qint64 announcedLength,
                      const QByteArray& contentType);
    void addDelayed(const QString& path, int delayMs, const QByteArray& body,
                    const QByteArray& contentType = "text/html; charset=utf-8");
    // Starts with head and never ends.
    void addEndless(const QString& path, const QByteArray& head, const QByteArray& contentType);
    // Starts with head and ends after length bytes in all, the length announced.
    void addGenerated(const QString& path, const QByteArray& head, qint64 length,
                      const QByteArray& contentType);
    // Announces announcedLength (when not -1) and sends the body bytesPerPiece at a time.
    void addDrip(const QString& path, const QByteArray& body, int bytesPerPiece, int intervalMs,
                 qint64 announcedLength, const QByteArray& contentType);
    // Announces announcedLength, sends the body and resets the connection.
    void addReset(const QString& path, const QByteArray& body, qint64 announcedLength,
                  const QByteArray& contentType);

    QList<HttpRequestRecord> requests() const;
    // Requests whose path (query ignored) equals this one.
    QList<HttpRequestRecord> requestsFor(const QString& path) const;
    void clearRequests();

  private:
    friend class LoopbackHttpWorker;
    bool findRoute(const QString& target, HttpRoute* route) const;
    QString rootFolder() const;
    void record(const HttpRequestRecord& request);

    mutable QMutex mutex_;
    QMap<QString, HttpRoute> routes_;
    QString root_;
    QList<HttpRequestRecord> requests_;
    QThread thread_;
    LoopbackHttpWorker* worker_ = nullptr;
    quint16 port_ = 0;
};

}  // namespace vorlaken::test
