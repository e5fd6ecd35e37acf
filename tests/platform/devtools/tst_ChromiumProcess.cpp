#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>

#include "support/ChromiumProcess.h"

using vorlaken::test::ChromiumProcess;

namespace {

// Processes whose process group is this one.
int processesInGroup(qint64 group) {
    int count = 0;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!entry.front().isDigit() || !stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray text = stat.readAll();
        // Fields after the command name (which may hold spaces) start after the last ')'.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.value(2).toLongLong() == group) {
            ++count;
        }
    }
    return count;
}

}  // namespace

class ChromiumProcessTest : public QObject {
    Q_OBJECT

  private slots:
    void startsWithEndpointAndLeavesNoProcesses_data();
    void startsWithEndpointAndLeavesNoProcesses();
};

void ChromiumProcessTest::startsWithEndpointAndLeavesNoProcesses_data() {
    QTest::addColumn<bool>("graceful");
    QTest::newRow("close") << true;
    QTest::newRow("kill") << false;
}

void ChromiumProcessTest::startsWithEndpointAndLeavesNoProcesses() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QFETCH(bool, graceful);

    qint64 group = 0;
    QString profile;
    {
        ChromiumProcess chromium;
        QVERIFY2(chromium.start(QStringLiteral("about:blank")), qPrintable(chromium.errorString()));
        QVERIFY(chromium.port() != 0);
        QCOMPARE(chromium.endpoint(), QStringLiteral("http://127.0.0.1:%1").arg(chromium.port()));
        profile = chromium.profileDir();
        QVERIFY(QFile::exists(profile + QStringLiteral("/DevToolsActivePort")));
        group = chromium.processId();

        QNetworkAccessManager manager;
        QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(chromium.endpoint() + "/json/version")));
        QSignalSpy done(reply, &QNetworkReply::finished);
        QVERIFY(done.wait(10000));
        QVERIFY(reply->readAll().contains("webSocketDebuggerUrl"));
        delete reply;

        if (graceful) {
            chromium.close();
        } else {
            chromium.kill();
        }
        QVERIFY(!chromium.isRunning());
    }
    QTRY_COMPARE_WITH_TIMEOUT(processesInGroup(group), 0, 5000);
    QVERIFY(!QDir(profile).exists());
}

QTEST_GUILESS_MAIN(ChromiumProcessTest)
#include "tst_ChromiumProcess.moc"
