// The native-messaging host program as browsers run it: the test plays the extension on the host's
// standard input and output, and grabnest on its local socket.
#include <csignal>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "platform/companion/CompanionNames.h"
#include "platform/companion/NativeMessageReader.h"
#include "support/CompanionRuntime.h"

using namespace vorlaken;
using vorlaken::test::CompanionRuntime;

namespace {

QJsonObject object(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object();
}

// One end of a framed stream: the host's pipes, or a connection to its socket.
class Peer {
  public:
    explicit Peer(QIODevice& device, qsizetype max = CompanionNames::kMaxFromExtension)
        : device_(device), reader_(max) {}

    void send(const QByteArray& json) {
        device_.write(NativeMessageReader::frame(json));
        device_.waitForBytesWritten(1000);
    }
    // The next message within the time, or an empty object.
    QJsonObject next(int timeoutMs = 5000) {
        QJsonObject got;
        (void)QTest::qWaitFor(
            [&] {
                reader_.append(device_.readAll());
                if (const auto message = reader_.next()) {
                    got = message->object;
                    text_ = message->text;
                    return true;
                }
                return false;
            },
            timeoutMs);
        return got;
    }
    const QByteArray& lastText() const { return text_; }

  private:
    QIODevice& device_;
    NativeMessageReader reader_;
    QByteArray text_;
};

class Host {
  public:
    Host(const CompanionRuntime& runtime, const QString& program = CompanionRuntime::hostProgram(),
         const QStringList& args = {CompanionNames::chromiumOrigin(), QStringLiteral("--parent-window=0")}) {
        process.setProcessEnvironment(runtime.environment());
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, args);
    }
    ~Host() {
        process.kill();
        process.waitForFinished(3000);
    }
    QProcess process;
};

QString socketOf(const CompanionRuntime& runtime, qint64 pid) {
    return QDir(runtime.socketFolder()).filePath(QStringLiteral("host-%1.socket").arg(pid));
}

}  // namespace

class NativeHostTest : public QObject {
    Q_OBJECT

  private slots:
    void relaysRequestsAndAnswersToTheirOwnConnection();
    void refusesWhatIsNotARequest();
    void endsWithTheBrowserAndLeavesNoSocket();
    void refusesOtherCallers();
    void buttonStartsGrabnestBesideIt();
};

void NativeHostTest::relaysRequestsAndAnswersToTheirOwnConnection() {
    CompanionRuntime runtime;
    Host host(runtime);
    QVERIFY(host.process.waitForStarted());
    Peer extension(host.process);
    QCOMPARE(extension.next().value(QLatin1String("event")).toString(), QStringLiteral("ready"));

    QLocalSocket first;
    QLocalSocket second;
    first.connectToServer(socketOf(runtime, host.process.processId()));
    second.connectToServer(socketOf(runtime, host.process.processId()));
    QVERIFY(first.waitForConnected(3000));
    QVERIFY(second.waitForConnected(3000));
    Peer one(first);
    Peer two(second);

    // Requests reach the extension as they were sent.
    const QByteArray request =
        R"({"id":7,"op":"document","tab":3,"frame":0,"text":"<a href=\"x\">\u00e9</a>"})";
    one.send(request);
    QCOMPARE(extension.next(), object(request));
    QCOMPARE(extension.lastText(), request);
    two.send(R"({"id":8,"op":"title","tab":3,"frame":0})");
    QCOMPARE(extension.next().value(QLatin1String("id")).toInt(), 8);

    // Answers go to the connection that asked, in the order they come; one without a request is dropped.
    extension.send(R"({"id":99,"result":"nobody asked"})");
    extension.send(R"({"id":8,"result":"for two"})");
    extension.send(R"({"id":7,"result":["for one"]})");
    QCOMPARE(two.next().value(QLatin1String("result")).toString(), QStringLiteral("for two"));
    QCOMPARE(one.next().value(QLatin1String("result")).toArray().at(0).toString(), QStringLiteral("for one"));
    QVERIFY(one.next(300).isEmpty());
    QVERIFY(two.next(300).isEmpty());

    // An id answered once is free again.
    one.send(R"({"id":7,"op":"url","tab":3,"frame":0})");
    QCOMPARE(extension.next().value(QLatin1String("op")).toString(), QStringLiteral("url"));
}

void NativeHostTest::refusesWhatIsNotARequest() {
    CompanionRuntime runtime;
    Host host(runtime);
    QVERIFY(host.process.waitForStarted());
    Peer extension(host.process);
    QVERIFY(!extension.next().isEmpty());
    QLocalSocket socket;
    socket.connectToServer(socketOf(runtime, host.process.processId()));
    QVERIFY(socket.waitForConnected(3000));
    Peer client(socket);

    const struct {
        QByteArray request;
        QString error;
    } refused[] = {
        {R"({"op":"url"})", QStringLiteral("A request needs a number as its id.")},
        {R"({"id":"1","op":"url"})", QStringLiteral("A request needs a number as its id.")},
        {R"({"id":1.5,"op":"url"})", QStringLiteral("A request needs a number as its id.")},
        {R"({"id":2})", QStringLiteral("A request needs an operation.")},
        {R"({"id":3,"op":""})", QStringLiteral("A request needs an operation.")},
    };
    for (const auto& c : refused) {
        client.send(c.request);
        const QJsonObject answer = client.next();
        QCOMPARE(answer.value(QLatin1String("error")).toObject().value(QLatin1String("message")).toString(),
                 c.error);
    }
    // Two requests waiting under one id: the second is refused, the first still goes through.
    client.send(R"({"id":4,"op":"url"})");
    client.send(R"({"id":4,"op":"title"})");
    QCOMPARE(
        client.next().value(QLatin1String("error")).toObject().value(QLatin1String("message")).toString(),
        QStringLiteral("Another request has this id."));
    QCOMPARE(extension.next().value(QLatin1String("op")).toString(), QStringLiteral("url"));
    QVERIFY(extension.next(300).isEmpty());

    // A message that is no JSON object, or longer than the browser lets through, ends the connection
    // (what follows it cannot be read), and the host goes on for the others.
    for (const QByteArray& bad :
         {QByteArray("[1,2]"), QByteArray("{\"id\":5,"),
          "{\"id\":6,\"op\":\"x\",\"pad\":\"" + QByteArray(CompanionNames::kMaxToExtension, 'a') + "\"}"}) {
        QLocalSocket doomed;
        doomed.connectToServer(socketOf(runtime, host.process.processId()));
        QVERIFY(doomed.waitForConnected(3000));
        Peer(doomed).send(bad);
        QVERIFY(doomed.state() == QLocalSocket::UnconnectedState || doomed.waitForDisconnected(3000));
    }
    QVERIFY(extension.next(300).isEmpty());
    client.send(R"({"id":9,"op":"url"})");
    QCOMPARE(extension.next().value(QLatin1String("id")).toInt(), 9);
}

void NativeHostTest::endsWithTheBrowserAndLeavesNoSocket() {
    // The browser closes the pipe, or ends the host with a signal.
    for (const bool bySignal : {false, true}) {
        CompanionRuntime runtime;
        Host host(runtime);
        QVERIFY(host.process.waitForStarted());
        Peer extension(host.process);
        QVERIFY(!extension.next().isEmpty());
        const QString socket = socketOf(runtime, host.process.processId());
        QVERIFY(QFile::exists(socket));
        QLocalSocket client;
        client.connectToServer(socket);
        QVERIFY(client.waitForConnected(3000));
        if (bySignal)
            ::kill(pid_t(host.process.processId()), SIGTERM);
        else
            host.process.closeWriteChannel();
        QVERIFY(host.process.waitForFinished(5000));
        QCOMPARE(host.process.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFile::exists(socket));
        QVERIFY(client.state() == QLocalSocket::UnconnectedState || client.waitForDisconnected(3000));
    }
    // A stream from the extension that breaks ends the host too.
    CompanionRuntime runtime;
    Host host(runtime);
    QVERIFY(host.process.waitForStarted());
    Peer extension(host.process);
    QVERIFY(!extension.next().isEmpty());
    extension.send("not json");
    QVERIFY(host.process.waitForFinished(5000));
    QVERIFY(!QFile::exists(socketOf(runtime, host.process.processId())));
}

void NativeHostTest::refusesOtherCallers() {
    const QStringList others[] = {{},
                                  {QStringLiteral("chrome-extension://abcdefghijklmnopabcdefghijklmnop/")},
                                  {QStringLiteral("/home/u/.mozilla/native-messaging-hosts/x.json"),
                                   QStringLiteral("other@example.org")}};
    for (const QStringList& args : others) {
        CompanionRuntime runtime;
        Host host(runtime, CompanionRuntime::hostProgram(), args);
        QVERIFY(host.process.waitForFinished(5000));
        QCOMPARE(host.process.exitCode(), 1);
        QVERIFY(!QDir(runtime.socketFolder()).exists() || QDir(runtime.socketFolder()).isEmpty());
    }
    // Firefox names the manifest, then our extension.
    CompanionRuntime runtime;
    Host host(runtime, CompanionRuntime::hostProgram(),
              {QStringLiteral("/home/u/.mozilla/native-messaging-hosts/org.vorlaken.grabnest.json"),
               QLatin1String(CompanionNames::kFirefoxExtensionId)});
    Peer extension(host.process);
    QCOMPARE(extension.next().value(QLatin1String("event")).toString(), QStringLiteral("ready"));
}

void NativeHostTest::buttonStartsGrabnestBesideIt() {
    // The host starts the grabnest of its own folder; this one only says that it ran, and from where.
    QTemporaryDir folder;
    const QString host = folder.filePath(QStringLiteral("grabnest-host"));
    QVERIFY(QFile::copy(CompanionRuntime::hostProgram(), host));
    QFile grabnest(folder.filePath(QStringLiteral("grabnest")));
    QVERIFY(grabnest.open(QIODevice::WriteOnly));
    grabnest.write("#!/bin/sh\nd=\"$(dirname \"$0\")\"\npwd > \"$d/starting\" && mv \"$d/starting\" \"$d/started\"\n");
    grabnest.close();
    QVERIFY(grabnest.setPermissions(grabnest.permissions() | QFileDevice::ExeOwner));

    CompanionRuntime runtime;
    Host running(runtime, host);
    Peer extension(running.process);
    QVERIFY(!extension.next().isEmpty());
    const QString started = folder.filePath(QStringLiteral("started"));
    extension.send(R"({"event":"other"})");
    extension.send(R"({"event":"button"})");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 5000);
    QFile marker(started);
    QVERIFY(marker.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(marker.readAll()).trimmed(), QDir::homePath());
}

QTEST_GUILESS_MAIN(NativeHostTest)
#include "tst_nativehost.moc"
