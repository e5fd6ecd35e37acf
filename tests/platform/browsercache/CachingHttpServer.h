#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>

namespace vorlaken::test {

// A loopback HTTP server whose answers browsers may keep in their disk caches (the shared test server
// forbids caching). It runs on the thread that created it; tests wait with QTRY_* so it gets served.
class CachingHttpServer : public QObject {
    Q_OBJECT
  public:
    struct Resource {
        Resource() = default;
        Resource(int status, QByteArray contentType, QByteArray body, QByteArray contentEncoding = {},
                 qint64 sendOnly = -1)
            : status(status),
              contentType(std::move(contentType)),
              body(std::move(body)),
              contentEncoding(std::move(contentEncoding)),
              sendOnly(sendOnly) {}

        int status = 200;
        QByteArray contentType;
        QByteArray body;
        QByteArray contentEncoding;  // sent as Content-Encoding when not empty; body is already encoded
        qint64 sendOnly = -1;        // announces the whole body but closes after this many bytes
    };

    bool listen();
    QString url(const QString& path) const;
    void add(const QString& path, const Resource& resource) { resources_.insert(path, resource); }
    int hits(const QString& path) const { return hits_.value(path); }

  private:
    void serve(QTcpSocket* socket);

    QTcpServer server_;
    QHash<QString, Resource> resources_;
    QHash<QString, int> hits_;
};

}  // namespace vorlaken::test
