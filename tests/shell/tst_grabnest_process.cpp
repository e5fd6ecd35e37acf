// The real grabnest executable: one running copy per user, and its automation on the session bus.
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "ChromiumProcess.h"
#include "LoopbackHttpServer.h"

using namespace vorlaken::test;

namespace {

const QString kService = QStringLiteral("org.vorlaken.Grabnest");

// A copy of grabnest with its delivered files in a program folder of its own.
class Installed {
  public:
    Installed() {
        const QString bin = qEnvironmentVariable("VORLAKEN_BIN_DIR");
        for (const QString& name : {QStringLiteral("grabnest"), QStringLiteral("grabnest.htm")})
            QFile::copy(bin + QLatin1Char('/') + name, program_.filePath(name));
        QFile(runtime_.path())
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ~Installed() {
        for (QProcess* p : processes_) {
            p->kill();
            p->waitForFinished(5000);
            delete p;
        }
    }

    bool ready() const { return QFile::exists(program_.filePath(QStringLiteral("grabnest"))); }
    QString programDir() const { return program_.path(); }
    QString runtimeDir() const { return runtime_.path(); }
    const QList<QProcess*>& processes() const { return processes_; }

    QProcess* start(const QString& devtools) {
        auto* process = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        env.insert(QStringLiteral("VORLAKEN_DEVTOOLS"), devtools);
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->start(program_.filePath(QStringLiteral("grabnest")), {});
        processes_.append(process);
        return process;
    }

  private:
    QTemporaryDir program_;
    QTemporaryDir runtime_;
    QList<QProcess*> processes_;
};

bool serviceUp() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(kService).value();
}

QDBusInterface grabnest() {
    return QDBusInterface(kService, QStringLiteral("/Grabnest"), QStringLiteral("org.vorlaken.Grabnest"),
                          QDBusConnection::sessionBus());
}

QString control(const QString& name) {
    QDBusInterface bus = grabnest();
    QDBusReply<QString> reply = bus.call(QStringLiteral("Control"), name);
    return reply.isValid() ? reply.value() : QStringLiteral("<error %1>").arg(reply.error().message());
}

// grabnest started on a headless Chromium that shows the demo gallery.
struct GalleryRun {
    LoopbackHttpServer server;
    ChromiumProcess chromium;
    Installed grabnestDir;

    // Waits for grabnest's start-up capture; fails the current test when a step does not come about.
    void start() {
        QVERIFY(server.listen());
        server.setRoot(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo"));
        QVERIFY2(chromium.start(server.url(QStringLiteral("/index.html"))),
                 qPrintable(chromium.errorString()));
        QVERIFY(grabnestDir.ready());
        grabnestDir.start(chromium.endpoint());
        QTRY_VERIFY_WITH_TIMEOUT(serviceUp(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(control(QStringLiteral("cLabel")), QStringLiteral("9"), 20000);
    }
};

QStringList listing(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                               QDir::Name);
}

}  // namespace

class GrabnestProcessTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void secondStartRaisesTheFirstAndLeavesNoTrace();
    void getOverTheBusListsWhatThePreviewShows();
    void messagesComeBackInsteadOfWindows();
    void terminationClosesTheWindowAndWritesTheSettings();
    void resultCommandsOverTheBus();
    void saveOverTheBus();
    void terminationDuringASaveLeavesOnlyWholePictures();
};

void GrabnestProcessTest::init() {
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("No session bus (scripts/test provides one).");
    if (serviceUp())
        QSKIP("Another grabnest owns the bus name.");
}

void GrabnestProcessTest::secondStartRaisesTheFirstAndLeavesNoTrace() {
    Installed grabnestDir;
    QVERIFY(grabnestDir.ready());
    QProcess* first = grabnestDir.start(QStringLiteral("http://127.0.0.1:1"));
    QTRY_VERIFY_WITH_TIMEOUT(serviceUp(), 20000);
    const uint firstPid = QDBusConnection::sessionBus().interface()->servicePid(kService).value();
    QCOMPARE(qint64(firstPid), first->processId());

    QDBusInterface bus = grabnest();
    bus.call(QStringLiteral("SetControl"), QStringLiteral("Tfrmgrabnest.minimized"), QStringLiteral("1"));
    QTRY_COMPARE(control(QStringLiteral("Tfrmgrabnest.minimized")), QStringLiteral("1"));
    // Wait until the first copy wrote what it writes at start.
    QTRY_VERIFY(QFile::exists(grabnestDir.programDir() + QStringLiteral("/vorlaken.ini")));
    const QStringList programBefore = listing(grabnestDir.programDir());
    const QStringList runtimeBefore = listing(grabnestDir.runtimeDir());
    QFile ini(grabnestDir.programDir() + QStringLiteral("/vorlaken.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray settingsBefore = ini.readAll();
    ini.close();

    QProcess* second = grabnestDir.start(QStringLiteral("http://127.0.0.1:1"));
    QVERIFY(second->waitForFinished(15000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);

    QTRY_COMPARE(control(QStringLiteral("Tfrmgrabnest.minimized")), QStringLiteral("0"));
    QCOMPARE(QDBusConnection::sessionBus().interface()->servicePid(kService).value(), firstPid);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(listing(grabnestDir.programDir()), programBefore);
    QCOMPARE(listing(grabnestDir.runtimeDir()), runtimeBefore);
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), settingsBefore);
}

void GrabnestProcessTest::getOverTheBusListsWhatThePreviewShows() {
    VORLAKEN_REQUIRE_CHROMIUM();
    GalleryRun run;
    // The start-up capture lists the gallery by itself.
    run.start();
    if (QTest::currentTestFailed())
        return;
    const LoopbackHttpServer& server = run.server;

    QDBusInterface bus = grabnest();
    bus.call(QStringLiteral("SetControl"), QStringLiteral("SpinEdit1"), QStringLiteral("200"));
    QDBusReply<QString> invoked = bus.call(QStringLiteral("Invoke"), QStringLiteral("getbtn"), QString());
    QVERIFY2(invoked.isValid(), qPrintable(invoked.error().message()));
    QCOMPARE(invoked.value(), QString());

    QDBusMessage reply = bus.call(QStringLiteral("Pictures"));
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(reply.signature(), QStringLiteral("a(ssss)"));
    QStringList pictures;
    QStringList links;
    const QDBusArgument rows = reply.arguments().at(0).value<QDBusArgument>();
    rows.beginArray();
    while (!rows.atEnd()) {
        QString pic, size, link, page;
        rows.beginStructure();
        rows >> pic >> size >> link >> page;
        rows.endStructure();
        pictures << pic;
        links << link;
        QCOMPARE(size, QStringLiteral("360*240"));
        QCOMPARE(page, server.url(QStringLiteral("/index.html")));
    }
    rows.endArray();
    QCOMPARE(pictures.size(), 6);
    QCOMPARE(control(QStringLiteral("cLabel")), QStringLiteral("6"));
    QCOMPARE(links.at(0), QString());

    QStringList previewed;
    const QRegularExpression image(QStringLiteral("<img name=\"p(\\d+)\"[^>]*src=\"([^\"]+)\""));
    auto match = image.globalMatch(control(QStringLiteral("wb1")));
    while (match.hasNext()) {
        const auto m = match.next();
        QCOMPARE(m.captured(1).toInt(), previewed.size() + 1);
        previewed << m.captured(2);
    }
    QCOMPARE(previewed, pictures);

    QDBusReply<QList<bool>> checked = bus.call(QStringLiteral("Checked"));
    QVERIFY2(checked.isValid(), qPrintable(checked.error().message()));
    QCOMPARE(checked.value().size(), pictures.size());
    bus.call(QStringLiteral("SetChecked"),
             QVariant::fromValue(QList<bool>{false, true, false, true, true, true}));
    checked = bus.call(QStringLiteral("Checked"));
    QCOMPARE(checked.value(), (QList<bool>{false, true, false, true, true, true}));
}

void GrabnestProcessTest::messagesComeBackInsteadOfWindows() {
    Installed grabnestDir;
    QVERIFY(grabnestDir.ready());
    grabnestDir.start(QStringLiteral("http://127.0.0.1:1"));
    QTRY_VERIFY_WITH_TIMEOUT(serviceUp(), 20000);
    QDBusInterface bus = grabnest();
    QDBusReply<QString> reply = bus.call(QStringLiteral("Invoke"), QStringLiteral("Label59"), QString());
    QVERIFY2(reply.isValid(), qPrintable(reply.error().message()));
    QCOMPARE(reply.value(),
             QStringLiteral("The file upgrade is not found. Please check or reinstall Vorlaken."));
    // The program is not stuck in a modal window: the next call is answered at once.
    QTRY_COMPARE_WITH_TIMEOUT(control(QStringLiteral("getbtn.enabled")), QStringLiteral("1"), 15000);
    QDBusReply<QString> unknown =
        bus.call(QStringLiteral("Invoke"), QStringLiteral("noSuchControl"), QString());
    QVERIFY(!unknown.isValid());
    QCOMPARE(unknown.error().type(), QDBusError::InvalidArgs);
}

void GrabnestProcessTest::terminationClosesTheWindowAndWritesTheSettings() {
    Installed grabnestDir;
    QVERIFY(grabnestDir.ready());
    QProcess* process = grabnestDir.start(QStringLiteral("http://127.0.0.1:1"));
    QTRY_VERIFY_WITH_TIMEOUT(serviceUp(), 20000);
    QDBusInterface bus = grabnest();
    bus.call(QStringLiteral("SetControl"), QStringLiteral("SpinEdit2"), QStringLiteral("64"));
    process->terminate();
    QVERIFY(process->waitForFinished(15000));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);
    QFile ini(grabnestDir.programDir() + QStringLiteral("/vorlaken.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY2(text.contains("\r\nh=64\r\n") && text.contains("\r\nrunfirst=0\r\n"), text.constData());
}

void GrabnestProcessTest::resultCommandsOverTheBus() {
    VORLAKEN_REQUIRE_CHROMIUM();
    GalleryRun run;
    // The start-up capture lists the gallery by itself.
    run.start();
    if (QTest::currentTestFailed())
        return;
    const LoopbackHttpServer& server = run.server;
    QDBusInterface bus = grabnest();
    const auto invoke = [&bus](const QString& name) {
        QDBusReply<QString> reply = bus.call(QStringLiteral("Invoke"), name, QString());
        return reply.isValid() ? reply.value() : QStringLiteral("<error %1>").arg(reply.error().message());
    };
    const auto clipboard = [&bus] {
        return QDBusReply<QString>(bus.call(QStringLiteral("Clipboard"))).value();
    };

    QList<bool> ticks(9, false);
    ticks[1] = ticks[3] = true;
    bus.call(QStringLiteral("SetChecked"), QVariant::fromValue(ticks));
    QCOMPARE(invoke(QStringLiteral("N42")), QString());
    QCOMPARE(control(QStringLiteral("cLabel")), QStringLiteral("2"));

    QCOMPARE(invoke(QStringLiteral("N10")), QString());
    const QStringList lines = clipboard().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).startsWith(server.url(QStringLiteral("/"))));
    QCOMPARE(lines.at(2), QString());

    invoke(QStringLiteral("N46"));
    QCOMPARE(control(QStringLiteral("Panel2.visible")), QStringLiteral("1"));
    QVERIFY(control(QStringLiteral("wb2"))
                .contains(QStringLiteral("[img]") + lines.at(0) + QStringLiteral("[/img]")));

    QCOMPARE(control(QStringLiteral("nearbychk")), QStringLiteral("0"));
    bus.call(QStringLiteral("SetControl"), QStringLiteral("nearbychk"), QStringLiteral("1"));
    QCOMPARE(control(QStringLiteral("nearbychk")), QStringLiteral("1"));

    invoke(QStringLiteral("N2"));
    QCOMPARE(control(QStringLiteral("savebtn.enabled")), QStringLiteral("0"));
    const QDBusArgument rows = bus.call(QStringLiteral("Pictures")).arguments().at(0).value<QDBusArgument>();
    rows.beginArray();
    QVERIFY(rows.atEnd());
    rows.endArray();
}

void GrabnestProcessTest::saveOverTheBus() {
    VORLAKEN_REQUIRE_CHROMIUM();
    GalleryRun run;
    // The start-up capture lists the gallery by itself.
    run.start();
    if (QTest::currentTestFailed())
        return;
    const LoopbackHttpServer& server = run.server;
    QDBusInterface bus = grabnest();
    QList<bool> ticks(9, false);
    ticks[0] = ticks[4] = true;
    bus.call(QStringLiteral("SetChecked"), QVariant::fromValue(ticks));
    // The preview loads its pictures from the loopback server; only loaded ones are saved. Both ticked
    // pictures are fetched once by Chromium and once by the preview zone; then give it a moment to decode.
    for (const QString& path : {QStringLiteral("/photo1.png"), QStringLiteral("/photo5.png")})
        QTRY_VERIFY_WITH_TIMEOUT(server.requestsFor(path).size() >= 2, 20000);
    QTest::qWait(300);

    // No folder has been chosen yet: the folder dialog takes the script's answer.
    QTemporaryDir out;
    bus.call(QStringLiteral("SetAnswer"), out.path());
    QDBusReply<QString> saved = bus.call(QStringLiteral("Invoke"), QStringLiteral("savebtn"), QString());
    QVERIFY2(saved.isValid(), qPrintable(saved.error().message()));
    QCOMPARE(saved.value(), QString());
    QCOMPARE(control(QStringLiteral("Label3")), QStringLiteral("Saved:2/2"));
    QCOMPARE(control(QStringLiteral("savebtn.enabled")), QStringLiteral("1"));
    QStringList files;
    for (QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(out.path()).relativeFilePath(it.next());
    QCOMPARE(files.size(), 3);  // the two pictures and the local webpage
    const QString domain = QStringLiteral("127.0.0.1_%1/").arg(server.port());
    for (const QString& file : files)
        QVERIFY2(file.startsWith(domain), qPrintable(file));
}

// SIGTERM while a picture trickles in: the run stops, the partial file goes, no later picture and no
// index page is written, and the program closes as it always does.
void GrabnestProcessTest::terminationDuringASaveLeavesOnlyWholePictures() {
    VORLAKEN_REQUIRE_CHROMIUM();
    GalleryRun run;
    run.start();
    if (QTest::currentTestFailed())
        return;
    LoopbackHttpServer& server = run.server;
    QDBusInterface bus = grabnest();
    QList<bool> ticks(9, false);
    ticks[0] = ticks[4] = ticks[5] = true;
    bus.call(QStringLiteral("SetChecked"), QVariant::fromValue(ticks));
    const QStringList ticked = {QStringLiteral("/photo1.png"), QStringLiteral("/photo5.png"),
                                QStringLiteral("/photo6.png")};
    for (const QString& path : ticked)
        QTRY_VERIFY_WITH_TIMEOUT(server.requestsFor(path).size() >= 2, 20000);
    QTest::qWait(300);

    // From now on the second picture comes at 3 bytes a second.
    QFile photo5(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo/photo5.png"));
    QVERIFY(photo5.open(QIODevice::ReadOnly));
    const QByteArray body = photo5.readAll();
    server.addDrip(QStringLiteral("/photo5.png"), body, 3, 1000, body.size(), "image/png");
    const qsizetype photo5Requests = server.requestsFor(QStringLiteral("/photo5.png")).size();

    QTemporaryDir out;
    bus.call(QStringLiteral("SetAnswer"), out.path());
    QDBusPendingCall saving = bus.asyncCall(QStringLiteral("Invoke"), QStringLiteral("savebtn"), QString());
    QTRY_VERIFY_WITH_TIMEOUT(server.requestsFor(QStringLiteral("/photo5.png")).size() > photo5Requests,
                             20000);
    QProcess* process = run.grabnestDir.processes().value(0);
    QVERIFY(process);
    process->terminate();
    QVERIFY(process->waitForFinished(15000));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);
    saving.waitForFinished();

    QStringList files;
    for (QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    QCOMPARE(files.size(), 1);  // the first picture, and nothing else
    QFile stored(files.value(0));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QFile photo1(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo/photo1.png"));
    QVERIFY(photo1.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), photo1.readAll());
    QVERIFY(server.requestsFor(QStringLiteral("/photo6.png")).size() < 3);  // never fetched for the save
    QFile ini(run.grabnestDir.programDir() + QStringLiteral("/vorlaken.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("\r\nrunfirst=0\r\n"));
}

QTEST_MAIN(GrabnestProcessTest)
#include "tst_grabnest_process.moc"
