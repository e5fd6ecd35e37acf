// The real grabnest executable: one running copy per user, and its automation on the session bus.
#include <algorithm>
#include <csignal>
#include <optional>

#include <sys/types.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "ChromiumProcess.h"
#include "CompanionRuntime.h"
#include "LoopbackHttpServer.h"
#include "SolidPng.h"
#include "platform/companion/CompanionNames.h"
#include "platform/devtools/DevToolsConnection.h"

using namespace vorlaken::test;

namespace {

const QString kService = QStringLiteral("org.vorlaken.Grabnest");

// A copy of grabnest with its delivered files in a program folder of its own.
class Installed {
  public:
    Installed() {
        const QString bin = qEnvironmentVariable("VORLAKEN_BIN_DIR");
        for (const QString& name : {QStringLiteral("grabnest"), QStringLiteral("grabnest.htm"),
                                    QStringLiteral("tidecove"), QStringLiteral("grabnest-host")})
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

    // Starts a program of the folder (grabnest unless named) with extra environment values.
    QProcess* start(const QString& devtools, const QMap<QString, QString>& extra = {},
                    const QString& program = QStringLiteral("grabnest")) {
        auto* process = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        env.insert(QStringLiteral("VORLAKEN_DEVTOOLS"), devtools);
        for (auto it = extra.begin(); it != extra.end(); ++it)
            env.insert(it.key(), it.value());
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->start(program_.filePath(program), {});
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

// A row of the bus's Pictures answer.
struct PictureRow {
    QString picture;
    QString size;
    QString link;
    QString page;
};

// What Pictures answers over the bus; nullopt when the answer is not a list of rows.
std::optional<QList<PictureRow>> picturesOverTheBus() {
    const QDBusMessage reply = grabnest().call(QStringLiteral("Pictures"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QStringLiteral("a(ssss)"))
        return std::nullopt;
    QList<PictureRow> rows;
    const QDBusArgument array = reply.arguments().at(0).value<QDBusArgument>();
    array.beginArray();
    while (!array.atEnd()) {
        PictureRow row;
        array.beginStructure();
        array >> row.picture >> row.size >> row.link >> row.page;
        array.endStructure();
        rows << row;
    }
    array.endArray();
    return rows;
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

// The integer values of the settings file of a program folder, by key.
QMap<QString, qint64> storedNumbers(const QString& programDir) {
    QMap<QString, qint64> numbers;
    QFile ini(programDir + QStringLiteral("/vorlaken.ini"));
    if (!ini.open(QIODevice::ReadOnly))
        return numbers;
    for (const QByteArray& line : ini.readAll().split('\n')) {
        const int at = line.indexOf('=');
        bool ok = false;
        const qint64 value = line.mid(at + 1).trimmed().toLongLong(&ok);
        if (at > 0 && ok)
            numbers.insert(QString::fromLatin1(line.left(at)), value);
    }
    return numbers;
}

// A DevTools endpoint whose listing names many pages whose sockets are accepted and never answered.
void listSilentPages(LoopbackHttpServer& server, int count, bool listingAnswers = true) {
    QJsonArray list;
    for (int i = 0; i < count; ++i) {
        const QString id = QStringLiteral("PAGE%1").arg(i);
        list.append(
            QJsonObject{{QStringLiteral("id"), id},
                        {QStringLiteral("type"), QStringLiteral("page")},
                        {QStringLiteral("url"), QStringLiteral("http://site.example/%1.html").arg(i)}});
        server.addDelayed(QStringLiteral("/devtools/page/") + id, 600000, QByteArray());
    }
    if (listingAnswers)
        server.addPage(QStringLiteral("/json/list"), QJsonDocument(list).toJson(), "application/json");
    else
        server.addDelayed(QStringLiteral("/json/list"), 600000, QJsonDocument(list).toJson(),
                          "application/json");
}

// An X server of the test's own (Xvfb), for what only a real window system shows.
class VirtualDisplay {
  public:
    ~VirtualDisplay() {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    bool start() {
        // Without -noreset the server resets whenever its last client leaves (each xwininfo below), and
        // a program connecting in that moment is refused.
        server_.start(QStringLiteral("Xvfb"),
                      {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("1280x960x24")});
        if (!server_.waitForStarted(10000))
            return false;
        QByteArray out;
        while (!out.contains('\n') && server_.waitForReadyRead(20000))
            out += server_.readAllStandardOutput();
        bool ok = false;
        const int number = out.trimmed().toInt(&ok);
        display_ = ok ? QStringLiteral(":%1").arg(number) : QString();
        return ok;
    }
    QString display() const { return display_; }
    // The names (WM_NAME) of the application windows on the display.
    QStringList windowNames() const {
        QProcess tree;
        tree.start(QStringLiteral("xwininfo"),
                   {QStringLiteral("-root"), QStringLiteral("-tree"), QStringLiteral("-display"), display_});
        tree.waitForFinished(30000);
        QStringList names;
        // Windows with a class only: Qt's 1x1 client leader carries the application name and none.
        const QRegularExpression line(QStringLiteral("^\\s*0x[0-9a-f]+ \"(.*)\": \\(\""));
        for (const QString& text : QString::fromUtf8(tree.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const auto m = line.match(text);
            if (m.hasMatch())
                names << m.captured(1);
        }
        return names;
    }

  private:
    QProcess server_;
    QString display_;
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
    void terminationEndsASilentDiscoveryAtOnce_data();
    void terminationEndsASilentDiscoveryAtOnce();
    void windowTitlesOnARealWindowSystem();
    void storedPlacementCannotStopTheStart_data();
    void storedPlacementCannotStopTheStart();
    void resultCommandsOverTheBus();
    void getFromAllTabsOverTheBus();
    void saveOverTheBus();
    void terminationDuringASaveLeavesOnlyWholePictures();
    void commandsRunAloneOverTheBus();
    void pageAtTheLimitsStaysBounded();
    void multipageRunOverTheBusEndsOnTermination();
    void toolbarButtonStartsGrabnestOnTheClickedTab();
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

    const std::optional<QList<PictureRow>> rows = picturesOverTheBus();
    QVERIFY(rows);
    QStringList pictures;
    QStringList links;
    for (const PictureRow& row : *rows) {
        pictures << row.picture;
        links << row.link;
        QCOMPARE(row.size, QStringLiteral("360*240"));
        QCOMPARE(row.page, server.url(QStringLiteral("/index.html")));
    }
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

    // With the origin page in the preview zone there are no ticks to read or set: an error, not the
    // boxes of whatever page is shown.
    bus.call(QStringLiteral("Invoke"), QStringLiteral("N35"), QString());
    // The page comes from the server, and the zone answers slowly while it loads on a loaded machine.
    QVERIFY(QTest::qWaitFor(
        [] { return control(QStringLiteral("wb1")).contains(QStringLiteral("Hills and skies")); }, 60000));
    QVERIFY(!QDBusReply<QList<bool>>(bus.call(QStringLiteral("Checked"))).isValid());
    const QDBusMessage refused =
        bus.call(QStringLiteral("SetChecked"), QVariant::fromValue(QList<bool>{true}));
    QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
    QVERIFY(!refused.errorMessage().isEmpty());
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

void GrabnestProcessTest::terminationEndsASilentDiscoveryAtOnce_data() {
    QTest::addColumn<bool>("listingAnswers");
    QTest::addColumn<QString>("asked");  // the request that shows where the discovery waits
    QTest::newRow("pages never answer") << true << "/devtools/page/PAGE0";
    QTest::newRow("listing never answers") << false << "/json/list";
}

void GrabnestProcessTest::terminationEndsASilentDiscoveryAtOnce() {
    QFETCH(bool, listingAnswers);
    QFETCH(QString, asked);
    LoopbackHttpServer server;
    QVERIFY(server.listen());
    listSilentPages(server, 12, listingAnswers);
    Installed grabnestDir;
    QVERIFY(grabnestDir.ready());
    QProcess* process = grabnestDir.start(server.url());
    // The start-up capture is waiting for the endpoint.
    QTRY_VERIFY_WITH_TIMEOUT(!server.requestsFor(asked).isEmpty(), 30000);
    QElapsedTimer clock;
    clock.start();
    process->terminate();
    QVERIFY(process->waitForFinished(15000));
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);
    QCOMPARE(storedNumbers(grabnestDir.programDir()).value(QStringLiteral("runfirst"), -1), 0);
    // The discovery alone would still hold the program for most of its bound (3 s).
    QVERIFY2(elapsed < 2000, qPrintable(QString::number(elapsed)));
}

// On X11 the title is exactly the window's own: the platform appends no program name to it.
void GrabnestProcessTest::windowTitlesOnARealWindowSystem() {
    VirtualDisplay x11;
    QVERIFY2(x11.start(), "Xvfb did not start");
    Installed programs;
    QVERIFY(programs.ready());
    // Off the test's bus: only the titles matter here.
    const QMap<QString, QString> env = {
        {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")},
        {QStringLiteral("DISPLAY"), x11.display()},
        {QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus")},
        // Software GL on a virtual display costs seconds per web view on a loaded machine, and the
        // titles do not depend on it.
        {QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu")}};
    programs.start(QStringLiteral("http://127.0.0.1:1"), env);
    programs.start(QString(), env, QStringLiteral("tidecove"));
    const QStringList expected{QStringLiteral("Tidewell 1.3 - Vorlaken"), QStringLiteral("Vorlaken 8.1")};
    // A tree read while a window comes or goes ends with an X error and lists nothing; only a read that
    // shows both titles counts, and the one seen last is what a failure shows.
    QStringList seen;
    const bool shown = QTest::qWaitFor(
        [&] {
            seen = x11.windowNames().filter(QRegularExpression(QStringLiteral("Vorlaken|Tidewell")));
            seen.sort();
            seen.removeDuplicates();
            return seen == expected;
        },
        120000);
    QVERIFY2(shown, qPrintable(seen.join(QStringLiteral(" | "))));
}

void GrabnestProcessTest::storedPlacementCannotStopTheStart_data() {
    QTest::addColumn<QByteArray>("placement");
    QTest::newRow("huge") << QByteArray("fx=0\r\nfy=0\r\nfw=30000\r\nfh=30000\r\n");
    QTest::newRow("largest int") << QByteArray(
        "fx=2147483647\r\nfy=2147483647\r\nfw=2147483647\r\nfh=2147483647\r\n");
    QTest::newRow("negative") << QByteArray("fx=-2147483648\r\nfy=-5000\r\nfw=-1\r\nfh=-2147483648\r\n");
}

// A crash of the real program at start is the fault looked for: it must come up and close normally,
// with its window wholly on the screen.
void GrabnestProcessTest::storedPlacementCannotStopTheStart() {
    QFETCH(QByteArray, placement);
    Installed grabnestDir;
    QVERIFY(grabnestDir.ready());
    QFile ini(grabnestDir.programDir() + QStringLiteral("/vorlaken.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[config]\r\n" + placement);
    ini.close();
    QProcess* process = grabnestDir.start(QStringLiteral("http://127.0.0.1:1"));
    QTRY_VERIFY_WITH_TIMEOUT(serviceUp() || process->state() == QProcess::NotRunning, 30000);
    QCOMPARE(process->state(), QProcess::Running);
    QTRY_COMPARE_WITH_TIMEOUT(control(QStringLiteral("getbtn.enabled")), QStringLiteral("1"), 30000);
    process->terminate();
    QVERIFY(process->waitForFinished(15000));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);

    // Both processes see the same offscreen screen.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QMap<QString, qint64> stored = storedNumbers(grabnestDir.programDir());
    const QRect window(
        int(stored.value(QStringLiteral("fx"), -1)), int(stored.value(QStringLiteral("fy"), -1)),
        int(stored.value(QStringLiteral("fw"), 0)), int(stored.value(QStringLiteral("fh"), 0)));
    QVERIFY2(area.contains(window), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                   .arg(window.x())
                                                   .arg(window.y())
                                                   .arg(window.width())
                                                   .arg(window.height())
                                                   .arg(area.width())
                                                   .arg(area.height())));
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
    QTRY_VERIFY_WITH_TIMEOUT(control(QStringLiteral("wb2"))
                                 .contains(QStringLiteral("[img]") + lines.at(0) + QStringLiteral("[/img]")),
                             20000);

    QCOMPARE(control(QStringLiteral("nearbychk")), QStringLiteral("0"));
    bus.call(QStringLiteral("SetControl"), QStringLiteral("nearbychk"), QStringLiteral("1"));
    QCOMPARE(control(QStringLiteral("nearbychk")), QStringLiteral("1"));

    invoke(QStringLiteral("N2"));
    QCOMPARE(control(QStringLiteral("savebtn.enabled")), QStringLiteral("0"));
    const std::optional<QList<PictureRow>> rows = picturesOverTheBus();
    QVERIFY(rows && rows->isEmpty());
}

void GrabnestProcessTest::getFromAllTabsOverTheBus() {
    VORLAKEN_REQUIRE_CHROMIUM();
    GalleryRun run;
    LoopbackHttpServer& server = run.server;
    server.addPage(
        QStringLiteral("/second.html"),
        "<!DOCTYPE html><title>Second tab</title><img src=\"/extra1.png\"><img src=\"/extra2.png\">");
    for (const char* name : {"/extra1.png", "/extra2.png"})
        server.addPage(QLatin1String(name), vorlaken::test::SolidPng(QSize(120, 100), Qt::darkRed),
                       "image/png");
    run.start();
    if (QTest::currentTestFailed())
        return;

    // The user opens a second tab beside the gallery and turns to it.
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(QUrl(run.chromium.endpoint() + QStringLiteral("/json/new?") +
                                 server.url(QStringLiteral("/second.html"))));
    std::unique_ptr<QNetworkReply> opened(manager.sendCustomRequest(request, "PUT"));
    QTRY_VERIFY_WITH_TIMEOUT(opened->isFinished(), 20000);
    QCOMPARE(opened->error(), QNetworkReply::NoError);
    QTRY_VERIFY_WITH_TIMEOUT(server.requestsFor(QStringLiteral("/extra2.png")).size() == 1, 20000);

    QDBusInterface bus = grabnest();
    QCOMPARE(QDBusReply<QString>(bus.call(QStringLiteral("Invoke"), QStringLiteral("nGetAllTabs"), QString()))
                 .value(),
             QString());
    QTRY_COMPARE_WITH_TIMEOUT(control(QStringLiteral("cLabel")), QStringLiteral("11"), 20000);
    const std::optional<QList<PictureRow>> rows = picturesOverTheBus();
    QVERIFY(rows);
    QStringList pages;
    for (const PictureRow& row : *rows)
        pages << QUrl(row.page).path();
    pages.removeDuplicates();
    pages.sort();
    QCOMPARE(pages, (QStringList{"/index.html", "/second.html"}));
    // The tab the user looks at names the pictures' folder.
    QCOMPARE(control(QStringLiteral("cbtitle")), QStringLiteral("Second tab"));
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
    // pictures are fetched once by Chromium and once by the preview zone; the save itself waits for a
    // ticked picture that has not ended loading.
    for (const QString& path : {QStringLiteral("/photo1.png"), QStringLiteral("/photo5.png")})
        QTRY_VERIFY_WITH_TIMEOUT(server.requestsFor(path).size() >= 2, 20000);

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

// SIGTERM while a picture trickles in: the run stops, the partial file goes, no later picture (not
// even one whose transfer had started) and no index page is written, and the program closes as it
// always does.
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
    // Fetched by Chromium and by the preview zone; the save waits for a ticked picture still loading.
    for (const QString& path : ticked)
        QTRY_VERIFY_WITH_TIMEOUT(server.requestsFor(path).size() >= 2, 20000);

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
    // The first picture, and nothing else: the third, asked for ahead of its turn, left nothing.
    QCOMPARE(files.size(), 1);
    QFile stored(files.value(0));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QFile photo1(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo/photo1.png"));
    QVERIFY(photo1.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), photo1.readAll());
    QFile ini(run.grabnestDir.programDir() + QStringLiteral("/vorlaken.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("\r\nrunfirst=0\r\n"));
}

// While a save runs (here waiting for a picture the preview cannot load yet), a second Save or a Get
// over the bus is refused as busy and changes nothing; reads keep answering.
void GrabnestProcessTest::commandsRunAloneOverTheBus() {
    VORLAKEN_REQUIRE_CHROMIUM();
    LoopbackHttpServer server;
    QVERIFY(server.listen());
    server.setRoot(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo"));
    server.addPage(QStringLiteral("/busy.htm"),
                   "<html><head><title>Busy</title></head><body>"
                   "<img src='photo1.png' width=360 height=240>"
                   "<img src='/slow/photo2.png' width=360 height=240>"
                   "</body></html>");
    QFile photo(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo/photo2.png"));
    QVERIFY(photo.open(QIODevice::ReadOnly));
    HttpRoute slow;
    slow.contentType = "image/png";
    slow.body = photo.readAll();
    slow.delayMs = 120000;  // answered long after the test, to the browser and the preview alike
    server.addRoute(QStringLiteral("/slow/photo2.png"), slow);
    ChromiumProcess chromium;
    QVERIFY2(chromium.start(server.url(QStringLiteral("/busy.htm"))), qPrintable(chromium.errorString()));
    Installed grabnestDir;
    QVERIFY(grabnestDir.ready());
    grabnestDir.start(chromium.endpoint());
    QTRY_VERIFY_WITH_TIMEOUT(serviceUp(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(control(QStringLiteral("cLabel")), QStringLiteral("2"), 20000);
    // The preview asked for the slow picture too; the save run's own transfer is answered at once.
    QTRY_VERIFY_WITH_TIMEOUT(server.requestsFor(QStringLiteral("/slow/photo2.png")).size() >= 2, 20000);
    slow.delayMs = 0;
    server.addRoute(QStringLiteral("/slow/photo2.png"), slow);

    QDBusInterface bus = grabnest();
    QTemporaryDir out;
    bus.call(QStringLiteral("SetAnswer"), out.path());
    bus.call(QStringLiteral("SetControl"), QStringLiteral("savechk"), QStringLiteral("0"));
    // Calls on one connection arrive in order: the ones below reach grabnest while the save runs.
    QDBusPendingCall save = bus.asyncCall(QStringLiteral("Invoke"), QStringLiteral("savebtn"), QString());
    for (const QString& name : {QStringLiteral("getbtn"), QStringLiteral("savebtn")}) {
        QDBusMessage refused = bus.call(QStringLiteral("Invoke"), name, QString());
        QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(refused.errorName(), QStringLiteral("org.vorlaken.Error.Busy"));
    }
    QCOMPARE(control(QStringLiteral("cLabel")), QStringLiteral("2"));
    QDBusMessage rows = bus.call(QStringLiteral("Pictures"));
    QCOMPARE(rows.type(), QDBusMessage::ReplyMessage);
    QVERIFY(!save.isFinished());

    save.waitForFinished();
    QDBusReply<QString> saved = save.reply();
    QVERIFY2(saved.isValid(), qPrintable(saved.error().message()));
    QCOMPARE(saved.value(), QString());
    // The slow picture, not drawn in the preview, counted and was saved.
    QCOMPARE(control(QStringLiteral("Label3")), QStringLiteral("Saved:2/2"));
    QCOMPARE(control(QStringLiteral("getbtn.enabled")), QStringLiteral("1"));
    QStringList files;
    for (QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    QCOMPARE(files.size(), 2);

    // A Get waiting for a browser that does not answer shows Get and Save disabled, and refuses a
    // second Get or a Save until it gives up.
    // The browser process serves the endpoint; stopped, it takes connections and answers nothing.
    const pid_t browserPid = pid_t(chromium.processId());
    QVERIFY(browserPid > 0);
    QCOMPARE(::kill(browserPid, SIGSTOP), 0);
    auto resume = qScopeGuard([browserPid] { ::kill(browserPid, SIGCONT); });
    QDBusPendingCall get = bus.asyncCall(QStringLiteral("Invoke"), QStringLiteral("getbtn"), QString());
    QCOMPARE(control(QStringLiteral("getbtn.enabled")), QStringLiteral("0"));
    QCOMPARE(control(QStringLiteral("savebtn.enabled")), QStringLiteral("0"));
    for (const QString& name : {QStringLiteral("getbtn"), QStringLiteral("savebtn")}) {
        QDBusMessage refused = bus.call(QStringLiteral("Invoke"), name, QString());
        QCOMPARE(refused.errorName(), QStringLiteral("org.vorlaken.Error.Busy"));
    }
    QVERIFY(!get.isFinished());
    ::kill(browserPid, SIGCONT);
    resume.dismiss();
    get.waitForFinished();
    QVERIFY2(!get.isError(), qPrintable(get.error().message()));
    QCOMPARE(control(QStringLiteral("getbtn.enabled")), QStringLiteral("1"));
    QCOMPARE(control(QStringLiteral("savebtn.enabled")), QStringLiteral("1"));
}

// A page at the limits: a title of 1 MB, a picture address of 100 KB, 20,000 pictures among more
// than 100,000 elements, and a frame whose document never arrives. Get ends with every picture
// listed, and afterwards the preview and the bus keep answering.
void GrabnestProcessTest::pageAtTheLimitsStaysBounded() {
    VORLAKEN_REQUIRE_CHROMIUM();
    constexpr int kPictures = 20000;
    constexpr int kFillers = 100000;
    LoopbackHttpServer server;
    QVERIFY(server.listen());
    server.addPage(QStringLiteral("/p.gif"),
                   QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAICRAEAOw=="),
                   "image/gif");
    HttpRoute never;
    never.delayMs = 600000;  // long after the test
    server.addRoute(QStringLiteral("/never.htm"), never);
    // Fragments make every picture an address of its own while the browser fetches one file.
    const QByteArray longAddress = "/p.gif#" + QByteArray(100 * 1024, 'L');
    QByteArray page = "<html><head><title>" + QByteArray(1024 * 1024, 'T') + "</title></head><body>\n" +
                      "<iframe src='/never.htm'></iframe>\n<img src='" + longAddress +
                      "' width=100 height=100>\n";
    for (int i = 0; i < kPictures; ++i) {
        page += "<div><a href='/big/" + QByteArray::number(i) + ".htm'><img src='/p.gif#" +
                QByteArray::number(i) + "' width=100 height=100></a></div>\n";
    }
    for (int i = 0; i < kFillers; ++i)
        page += "<span></span>";
    page += "<p id=end>end</p></body></html>";
    server.addPage(QStringLiteral("/limits.htm"), page);
    ChromiumProcess chromium;
    QVERIFY2(chromium.start(server.url(QStringLiteral("/limits.htm"))), qPrintable(chromium.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(!server.requestsFor(QStringLiteral("/never.htm")).isEmpty(), 20000);
    Installed grabnestDir;
    QVERIFY(grabnestDir.ready());
    grabnestDir.start(chromium.endpoint());
    QTRY_VERIFY_WITH_TIMEOUT(serviceUp(), 20000);

    QDBusInterface bus = grabnest();
    // Well above what such a capture costs on a loaded machine; a capture that hung would meet it.
    bus.setTimeout(180000);
    // The start-up capture may have come while the page was still arriving: Get until it is all there.
    const QString all = QString::number(kPictures + 1);
    QElapsedTimer clock;
    clock.start();
    while (control(QStringLiteral("cLabel")) != all && clock.elapsed() < 120000) {
        QDBusReply<QString> got = bus.call(QStringLiteral("Invoke"), QStringLiteral("getbtn"), QString());
        QVERIFY2(got.isValid() || got.error().name() == QStringLiteral("org.vorlaken.Error.Busy"),
                 qPrintable(got.error().message()));
    }
    QCOMPARE(control(QStringLiteral("cLabel")), all);

    const std::optional<QList<PictureRow>> rows = picturesOverTheBus();
    QVERIFY(rows);
    QCOMPARE(rows->size(), kPictures + 1);
    const QString longUrl = server.url(QString::fromLatin1(longAddress));
    QVERIFY(std::any_of(rows->cbegin(), rows->cend(),
                        [&longUrl](const PictureRow& row) { return row.picture == longUrl; }));

    // The zone lays out and draws the rows after the page went in, a few seconds on a loaded machine;
    // until then a read of its checkboxes ends at the zone's bound with an error, and the bus answers
    // all the while. Then the preview holds a checkbox per row and takes new ticks.
    QDBusReply<QList<bool>> checked;
    QTRY_VERIFY_WITH_TIMEOUT((checked = bus.call(QStringLiteral("Checked"))).isValid(), 60000);
    QCOMPARE(control(QStringLiteral("cLabel")), all);
    QCOMPARE(checked.value().size(), kPictures + 1);
    QList<bool> ticks(kPictures + 1, false);
    ticks[1] = ticks[kPictures] = true;
    bus.call(QStringLiteral("SetChecked"), QVariant::fromValue(ticks));
    checked = bus.call(QStringLiteral("Checked"));
    QCOMPARE(checked.value(), ticks);
    QCOMPARE(control(QStringLiteral("getbtn.enabled")), QStringLiteral("1"));
    QCOMPARE(control(QStringLiteral("savebtn.enabled")), QStringLiteral("1"));
}

// A drop and a multipage run over the session bus: while the run waits, Get is refused as busy and the
// list still takes edits; a request to end the program ends the run's wait and the program the
// ordinary way.
void GrabnestProcessTest::multipageRunOverTheBusEndsOnTermination() {
    VORLAKEN_REQUIRE_CHROMIUM();
    GalleryRun run;
    run.start();
    if (QTest::currentTestFailed())
        return;
    QDBusInterface bus = grabnest();
    const QString gallery = run.server.url(QStringLiteral("/index.html"));
    bus.call(QStringLiteral("Invoke"), QStringLiteral("N3"), QString());
    bus.call(QStringLiteral("SetControl"), QStringLiteral("urlMemo"), gallery);
    const QString drop = QStringLiteral(
                             "{\"text/html\": \"<a href='photo1.htm'>1</a>\", "
                             "\"chromium/x-source-url\": \"%1\"}")
                             .arg(gallery);
    QDBusReply<QString> dropped = bus.call(QStringLiteral("Invoke"), QStringLiteral("dropPanel"), drop);
    QVERIFY2(dropped.isValid(), qPrintable(dropped.error().message()));
    QCOMPARE(control(QStringLiteral("urlMemo")),
             gallery + QStringLiteral("\n") + run.server.url(QStringLiteral("/photo1.htm")));
    QDBusReply<QString> missing = bus.call(QStringLiteral("Invoke"), QStringLiteral("Label45"), QString());
    QVERIFY(missing.value().startsWith(
        QStringLiteral("The file hrefsift is not found under current directory.")));

    bus.call(QStringLiteral("SetControl"), QStringLiteral("aaSpinEdit"), QStringLiteral("600"));
    bus.call(QStringLiteral("SetAnswer"), QStringLiteral("no"));
    QDBusPendingCall running = bus.asyncCall(QStringLiteral("Invoke"), QStringLiteral("aabtn"), QString());
    QTRY_COMPARE_WITH_TIMEOUT(control(QStringLiteral("aabtn.enabled")), QStringLiteral("0"), 20000);
    QCOMPARE(control(QStringLiteral("Panel6.visible")), QStringLiteral("0"));
    QDBusMessage refused = bus.call(QStringLiteral("Invoke"), QStringLiteral("getbtn"), QString());
    QCOMPARE(refused.errorName(), QStringLiteral("org.vorlaken.Error.Busy"));
    bus.call(QStringLiteral("SetControl"), QStringLiteral("urlMemo"), QStringLiteral("edited while running"));
    QCOMPARE(control(QStringLiteral("urlMemo")), QStringLiteral("edited while running"));
    QVERIFY(!running.isFinished());

    QProcess* process = run.grabnestDir.processes().value(0);
    QVERIFY(process);
    process->terminate();
    QVERIFY(process->waitForFinished(15000));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);
    QFile ini(run.grabnestDir.programDir() + QStringLiteral("/vorlaken.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("\r\nrunfirst=0\r\n"));
}

namespace {

// The copies of the program that run from the folder (read from /proc).
int runningCopies(const QString& program) {
    int copies = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() == program)
            ++copies;
    }
    return copies;
}

// Clicks the extension's toolbar button in the active tab, as the browser calls the button's handler.
void clickToolbarButton(ChromiumProcess& chromium) {
    QJsonArray targets;
    QVERIFY(QTest::qWaitFor(
        [&] {
            QProcess list;
            list.start(QStringLiteral("curl"),
                       {QStringLiteral("-s"), chromium.endpoint() + QStringLiteral("/json/list")});
            list.waitForFinished(5000);
            targets = QJsonDocument::fromJson(list.readAllStandardOutput()).array();
            for (const QJsonValue& t : targets) {
                if (t.toObject().value(QLatin1String("type")).toString() == QLatin1String("service_worker"))
                    return true;
            }
            return false;
        },
        20000));
    for (const QJsonValue& value : std::as_const(targets)) {
        const QJsonObject target = value.toObject();
        if (target.value(QLatin1String("type")).toString() != QLatin1String("service_worker") ||
            !target.value(QLatin1String("url"))
                 .toString()
                 .contains(QLatin1String(vorlaken::CompanionNames::kChromiumExtensionId)))
            continue;
        auto worker =
            vorlaken::DevToolsConnection::open(QUrl(QStringLiteral("ws://127.0.0.1:%1/devtools/page/%2")
                                                        .arg(chromium.port())
                                                        .arg(target.value(QLatin1String("id")).toString())));
        const QJsonObject answer = worker->call(
            QStringLiteral("Runtime.evaluate"),
            {{QStringLiteral("expression"), QStringLiteral("chrome.tabs.query({ active: true }).then(([tab]) "
                                                           "=> onButtonClicked(tab)).then(() => true)")},
             {QStringLiteral("awaitPromise"), true},
             {QStringLiteral("returnByValue"), true}});
        QVERIFY2(!answer.contains(QLatin1String("exceptionDetails")),
                 QJsonDocument(answer).toJson().constData());
        return;
    }
    QFAIL("The extension's service worker is not running.");
}

}  // namespace

void GrabnestProcessTest::toolbarButtonStartsGrabnestOnTheClickedTab() {
    // A browser that was never started with a flag: its extension starts grabnest through the host
    // when the button is clicked, and grabnest lists that tab's pictures without another click.
    VORLAKEN_REQUIRE_CHROMIUM();
    Installed grabnestDir;
    QVERIFY(grabnestDir.ready());
    LoopbackHttpServer server;
    QVERIFY(server.listen());
    server.setRoot(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo"));
    CompanionRuntime runtime;
    ChromiumProcess chromium;
    const QStringList extension =
        runtime.prepare(chromium, grabnestDir.programDir() + QStringLiteral("/grabnest-host"));
    // No endpoint for grabnest to find: it only reaches the browser through the extension.
    QProcessEnvironment environment = runtime.environment();
    environment.insert(QStringLiteral("VORLAKEN_DEVTOOLS"), QStringLiteral("http://127.0.0.1:1"));
    chromium.setEnvironment(environment);
    QVERIFY2(chromium.start(server.url(QStringLiteral("/index.html")), extension),
             qPrintable(chromium.errorString()));
    QVERIFY(runtime.waitForBrowser());
    QVERIFY(!serviceUp());

    clickToolbarButton(chromium);
    QTRY_VERIFY_WITH_TIMEOUT(serviceUp(), 30000);
    const uint pid = QDBusConnection::sessionBus().interface()->servicePid(kService).value();
    // Started by the browser's host, not by this test: it is ended here whatever happens.
    const QString started =
        QFileInfo(grabnestDir.programDir() + QStringLiteral("/grabnest")).canonicalFilePath();
    const auto stop = qScopeGuard([pid, started] {
        if (QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() == started)
            ::kill(pid_t(pid), SIGKILL);
    });
    QTRY_COMPARE_WITH_TIMEOUT(control(QStringLiteral("cLabel")), QStringLiteral("9"), 30000);
    QCOMPARE(control(QStringLiteral("Edit2")), server.url(QStringLiteral("/index.html")));

    // A second click while it runs brings that one to the front; no second copy stays.
    QDBusInterface bus = grabnest();
    bus.call(QStringLiteral("SetControl"), QStringLiteral("Tfrmgrabnest.minimized"), QStringLiteral("1"));
    QTRY_COMPARE(control(QStringLiteral("Tfrmgrabnest.minimized")), QStringLiteral("1"));
    clickToolbarButton(chromium);
    QTRY_COMPARE_WITH_TIMEOUT(control(QStringLiteral("Tfrmgrabnest.minimized")), QStringLiteral("0"), 15000);
    const QString program =
        QFileInfo(grabnestDir.programDir() + QStringLiteral("/grabnest")).canonicalFilePath();
    QTRY_COMPARE_WITH_TIMEOUT(runningCopies(program), 1, 15000);
    QCOMPARE(QDBusConnection::sessionBus().interface()->servicePid(kService).value(), pid);
    ::kill(pid_t(pid), SIGTERM);
    QTRY_COMPARE_WITH_TIMEOUT(runningCopies(program), 0, 15000);
}

QTEST_MAIN(GrabnestProcessTest)
#include "tst_grabnest_process.moc"
