#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "support/LoopbackHttpServer.h"

using vorlaken::test::LoopbackHttpServer;

namespace {

struct Answer {
    int status = 0;
    QByteArray body;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray contentType;
};

Answer fetch(const QString& url, const QByteArray& cookie = QByteArray()) {
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(url)};
    if (!cookie.isEmpty()) {
        request.setRawHeader("Cookie", cookie);
    }
    QNetworkReply* reply = manager.get(request);
    QSignalSpy done(reply, &QNetworkReply::finished);
    done.wait(5000);
    Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
                  reply->error(), reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()};
    delete reply;
    return answer;
}

}  // namespace

class LoopbackHttpServerTest : public QObject {
    Q_OBJECT

  private slots:
    void answersRoutesAndFiles_data();
    void answersRoutesAndFiles();
    void shortBodyIsAnError();
    void delayedRouteDoesNotBlockOthers();
    void recordsRequests();
};

void LoopbackHttpServerTest::answersRoutesAndFiles_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("cookie");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("page") << "/page.html" << QByteArray() << 200 << QByteArray("<p>hi</p>");
    QTest::newRow("route ignores query")
        << "/page.html?x=1" << QByteArray() << 200 << QByteArray("<p>hi</p>");
    QTest::newRow("not found route") << "/gone.png" << QByteArray() << 404 << QByteArray("not found");
    QTest::newRow("unknown path") << "/nothing" << QByteArray() << 404 << QByteArray("not found");
    QTest::newRow("cookie missing") << "/secret.png" << QByteArray() << 403 << QByteArray("forbidden");
    QTest::newRow("cookie wrong") << "/secret.png" << QByteArray("s=2") << 403 << QByteArray("forbidden");
    QTest::newRow("cookie present") << "/secret.png" << QByteArray("a=b; s=1") << 200
                                    << QByteArray("PNGDATA");
    QTest::newRow("file") << "/sub/file.txt" << QByteArray() << 200 << QByteArray("from disk");
    QTest::newRow("no escape from root")
        << "/../outside.txt" << QByteArray() << 404 << QByteArray("not found");
}

void LoopbackHttpServerTest::answersRoutesAndFiles() {
    QFETCH(QString, path);
    QFETCH(QByteArray, cookie);
    QFETCH(int, status);
    QFETCH(QByteArray, body);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("root/sub")));
    QFile file(dir.filePath(QStringLiteral("root/sub/file.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("from disk");
    file.close();
    QFile outside(dir.filePath(QStringLiteral("outside.txt")));
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.write("secret");
    outside.close();

    LoopbackHttpServer server;
    server.setRoot(dir.filePath(QStringLiteral("root")));
    server.addPage(QStringLiteral("/page.html"), "<p>hi</p>");
    server.addNotFound(QStringLiteral("/gone.png"));
    server.addCookieRequired(QStringLiteral("/secret.png"), "s=1", "PNGDATA", "image/png");
    QVERIFY(server.listen());
    QVERIFY(server.port() != 0);

    const Answer answer = fetch(server.url(path), cookie);
    QCOMPARE(answer.status, status);
    QCOMPARE(answer.body, body);
}

void LoopbackHttpServerTest::shortBodyIsAnError() {
    LoopbackHttpServer server;
    server.addTruncated(QStringLiteral("/short.gif"), "GIF89a", 1000, "image/gif");
    QVERIFY(server.listen());
    const Answer answer = fetch(server.url(QStringLiteral("/short.gif")));
    QVERIFY(answer.error != QNetworkReply::NoError);
}

void LoopbackHttpServerTest::delayedRouteDoesNotBlockOthers() {
    LoopbackHttpServer server;
    server.addDelayed(QStringLiteral("/slow"), 1500, "slow");
    server.addPage(QStringLiteral("/fast"), "fast");
    QVERIFY(server.listen());

    QNetworkAccessManager manager;
    QElapsedTimer clock;
    clock.start();
    QNetworkReply* slow = manager.get(QNetworkRequest(QUrl(server.url(QStringLiteral("/slow")))));
    QNetworkReply* fast = manager.get(QNetworkRequest(QUrl(server.localhostUrl(QStringLiteral("/fast")))));
    QSignalSpy fastDone(fast, &QNetworkReply::finished);
    QVERIFY(fastDone.wait(5000));
    QCOMPARE(fast->readAll(), QByteArray("fast"));
    QVERIFY(!slow->isFinished());
    QSignalSpy slowDone(slow, &QNetworkReply::finished);
    QVERIFY(slowDone.wait(5000));
    QCOMPARE(slow->readAll(), QByteArray("slow"));
    QVERIFY(clock.elapsed() >= 1400);
    delete slow;
    delete fast;
}

void LoopbackHttpServerTest::recordsRequests() {
    LoopbackHttpServer server;
    server.addPage(QStringLiteral("/a"), "a");
    QVERIFY(server.listen());
    fetch(server.url(QStringLiteral("/a?q=1")), "k=v");
    fetch(server.url(QStringLiteral("/b")));
    QCOMPARE(server.requests().size(), 2);
    const auto forA = server.requestsFor(QStringLiteral("/a"));
    QCOMPARE(forA.size(), 1);
    QCOMPARE(forA[0].method, QByteArray("GET"));
    QCOMPARE(forA[0].path, QStringLiteral("/a?q=1"));
    QCOMPARE(forA[0].headers.value("cookie"), QByteArray("k=v"));
    server.clearRequests();
    QVERIFY(server.requests().isEmpty());
}

QTEST_GUILESS_MAIN(LoopbackHttpServerTest)
#include "tst_LoopbackHttpServer.moc"
