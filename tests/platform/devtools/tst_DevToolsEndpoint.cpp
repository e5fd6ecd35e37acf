#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/devtools/DevToolsEndpoint.h"

using namespace vorlaken;

class DevToolsEndpointTest : public QObject {
    Q_OBJECT

  private slots:
    void environmentValueIsLoopbackOnly_data();
    void environmentValueIsLoopbackOnly();
    void portFilesNewestFirstThenDefault();
};

void DevToolsEndpointTest::environmentValueIsLoopbackOnly_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("endpoint");  // empty: refused

    QTest::newRow("ipv4 loopback") << "http://127.0.0.1:9333"
                                   << "http://127.0.0.1:9333";
    QTest::newRow("other loopback address") << "http://127.0.0.2:9333/"
                                            << "http://127.0.0.2:9333";
    QTest::newRow("localhost") << "http://localhost:9333"
                               << "http://127.0.0.1:9333";
    QTest::newRow("ipv6 loopback") << "http://[::1]:9333"
                                   << "http://[::1]:9333";
    QTest::newRow("private address") << "http://192.168.1.5:9222"
                                     << "";
    QTest::newRow("host name") << "http://example.com:9222"
                               << "";
    QTest::newRow("loopback look-alike") << "http://127.0.0.1.example.com:9222"
                                         << "";
    QTest::newRow("no port") << "http://127.0.0.1"
                             << "";
    QTest::newRow("not http") << "ws://127.0.0.1:9222"
                              << "";
    QTest::newRow("garbage") << "::::"
                             << "";
}

void DevToolsEndpointTest::environmentValueIsLoopbackOnly() {
    QFETCH(QString, value);
    QFETCH(QString, endpoint);
    QTemporaryDir config;
    // A port file is ignored once the variable is set, even when the variable is refused.
    QVERIFY(QDir(config.path()).mkpath(QStringLiteral("chromium")));
    QFile file(config.filePath(QStringLiteral("chromium/DevToolsActivePort")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("4444\n/devtools/browser/x\n");
    file.close();

    const std::vector<DevToolsEndpoint> candidates = DevToolsEndpointCandidates(value, config.path());
    if (endpoint.isEmpty()) {
        QVERIFY(candidates.empty());
    } else {
        QCOMPARE(candidates.size(), std::size_t(1));
        QCOMPARE(candidates[0].url.toString(), endpoint);
        QVERIFY(candidates[0].profileDir.isEmpty());
    }
}

void DevToolsEndpointTest::portFilesNewestFirstThenDefault() {
    QTemporaryDir config;
    const auto writePort = [&config](const QString& folder, const QByteArray& text, int ageSeconds) {
        QDir(config.path()).mkpath(folder);
        QFile file(QDir(config.filePath(folder)).filePath(QStringLiteral("DevToolsActivePort")));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        file.flush();
        file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                         QFileDevice::FileModificationTime);
    };
    writePort(QStringLiteral("chromium"), "1111\n/devtools/browser/a\n", 100);
    writePort(QStringLiteral("BraveSoftware/Brave-Browser"), "2222\n/devtools/browser/b\n", 10);
    writePort(QStringLiteral("google-chrome"), "not a port\n", 1);
    writePort(QStringLiteral("unknown-browser"), "3333\n", 1);

    const std::vector<DevToolsEndpoint> candidates = DevToolsEndpointCandidates(QString(), config.path());
    QCOMPARE(candidates.size(), std::size_t(3));
    QCOMPARE(candidates[0].url.toString(), QStringLiteral("http://127.0.0.1:2222"));
    QCOMPARE(candidates[0].profileDir, config.filePath(QStringLiteral("BraveSoftware/Brave-Browser")));
    QCOMPARE(candidates[1].url.toString(), QStringLiteral("http://127.0.0.1:1111"));
    QCOMPARE(candidates[1].profileDir, config.filePath(QStringLiteral("chromium")));
    QCOMPARE(candidates[2].url.toString(), QStringLiteral("http://127.0.0.1:9222"));
    QVERIFY(candidates[2].profileDir.isEmpty());
}

QTEST_GUILESS_MAIN(DevToolsEndpointTest)
#include "tst_DevToolsEndpoint.moc"
