// Registering the toolbar button in a home of its own: every file for each installed browser (both
// families, their snap and Flatpak kinds), the values on record, unregistering that leaves the home as
// it was, registering twice, a write that is refused; and real Chromium and firefox-esr that take the
// extension from what registering wrote and connect through it.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include "common/Errors.h"
#include "common/IniFile.h"
#include "platform/companion/CompanionNames.h"
#include "platform/companion/CompanionRegistry.h"
#include "support/ChromiumProcess.h"
#include "support/CompanionRuntime.h"
#include "support/FirefoxProcess.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

const QString kId = QStringLiteral("{3F7C5588-6763-4791-8B8B-D73B08396DE9}");
const QString kHostFile = QStringLiteral("/NativeMessagingHosts/org.vorlaken.grabnest.json");
const QString kChromeId = QLatin1String(CompanionNames::kChromiumExtensionId);
const QString kFirefoxId = QLatin1String(CompanionNames::kFirefoxExtensionId);

void put(const QString& path, const QByteArray& bytes = QByteArray()) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and folder below the home, relative to it.
QStringList tree(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries << QDir(root).relativeFilePath(path) + (QFileInfo(path).isDir() ? QStringLiteral("/") : QString());
    }
    entries.sort();
    return entries;
}

ToolbarButtonRegistry::Button button() {
    ToolbarButtonRegistry::Button b;
    b.identifier = kId;
    b.kind = 3;
    b.target = QDir(CompanionRuntime::binDir()).filePath(QStringLiteral("grabnest"));
    b.hotIcon = QDir(CompanionRuntime::binDir()).filePath(QStringLiteral("grabhot.ico"));
    b.icon = b.hotIcon;
    b.buttonText = QStringLiteral("Vorlaken");
    return b;
}

// A home with browsers of every kind: Chromium (folder), Google Chrome (folder), Vivaldi (program
// only), the Chromium snap, Firefox with two profiles (one of them takes unsigned extensions) and one
// that profiles.ini names but that is not there, the Firefox Flatpak without a profile. Files of the
// user's own lie where registering writes.
struct Home {
    Home() {
        const QString h = dir.path();
        QDir().mkpath(h + QStringLiteral("/.config/chromium/Default"));
        put(h + QStringLiteral("/.config/chromium/NativeMessagingHosts/other.host.json"), "{}");
        QDir().mkpath(h + QStringLiteral("/.config/google-chrome"));
        QDir().mkpath(h + QStringLiteral("/snap/chromium/common"));
        put(h + QStringLiteral("/.mozilla/firefox/profiles.ini"),
            "[General]\nStartWithLastProfile=1\n\n[Profile0]\nName=default\nIsRelative=1\nPath=abc."
            "default\n\n"
            "[Profile1]\nName=work\nIsRelative=0\nPath=" +
                (h + QStringLiteral("/work-profile")).toUtf8() +
                "\n\n[Profile2]\nName=gone\nIsRelative=1\nPath=gone.profile\n");
        put(h + QStringLiteral("/.mozilla/firefox/abc.default/prefs.js"),
            "user_pref(\"xpinstall.signatures.required\", false);\n");
        put(h + QStringLiteral("/work-profile/prefs.js"), "user_pref(\"browser.x\", true);\n");
        put(h + QStringLiteral("/work-profile/extensions/someone@else.xpi"), "theirs");
        QDir().mkpath(h + QStringLiteral("/.var/app/org.mozilla.firefox"));
    }
    QString path(const QString& relative) const { return dir.filePath(relative); }
    CompanionRegistry registry() const {
        return CompanionRegistry(
            BrowserProfiles(dir.path(), dir.filePath(QStringLiteral(".config")),
                            [](const QString& program) { return program == QLatin1String("vivaldi"); }),
            store());
    }
    QString store() const { return dir.filePath(QStringLiteral(".config/vorlaken/toolbar.ini")); }

    QTemporaryDir dir;
};

}  // namespace

class CompanionRegistryTest : public QObject {
    Q_OBJECT

  private slots:
    void registersForEveryInstalledBrowser();
    void unregisterRemovesExactlyWhatWasWritten();
    void refusedWriteIsReportedAndStaysOnRecord();
    void chromiumTakesTheExtensionFromItsProfile();
    void firefoxTakesTheExtensionFromItsProfile();
};

void CompanionRegistryTest::registersForEveryInstalledBrowser() {
    Home home;
    const QStringList before = tree(home.dir.path());
    const QStringList notes = home.registry().registerButton(button());

    const QString crxJson = QStringLiteral("External Extensions/%1.json").arg(kChromeId);
    const QString xpi = QStringLiteral("extensions/%1.xpi").arg(kFirefoxId);
    QStringList expected = before;
    expected << QStringLiteral(".config/chromium") + kHostFile
             << QStringLiteral(".config/chromium/External Extensions/")
             << QStringLiteral(".config/chromium/External Extensions/vorlaken.crx")
             << QStringLiteral(".config/chromium/") + crxJson
             << QStringLiteral(".config/google-chrome/NativeMessagingHosts/")
             << QStringLiteral(".config/google-chrome") + kHostFile << QStringLiteral(".config/vivaldi/")
             << QStringLiteral(".config/vivaldi/NativeMessagingHosts/")
             << QStringLiteral(".config/vivaldi") + kHostFile
             << QStringLiteral("snap/chromium/common/chromium/")
             << QStringLiteral("snap/chromium/common/chromium/NativeMessagingHosts/")
             << QStringLiteral("snap/chromium/common/chromium") + kHostFile
             << QStringLiteral("snap/chromium/common/chromium/External Extensions/")
             << QStringLiteral("snap/chromium/common/chromium/External Extensions/vorlaken.crx")
             << QStringLiteral("snap/chromium/common/chromium/") + crxJson
             << QStringLiteral(".mozilla/native-messaging-hosts/")
             << QStringLiteral(".mozilla/native-messaging-hosts/org.vorlaken.grabnest.json")
             << QStringLiteral(".mozilla/firefox/abc.default/extensions/")
             << QStringLiteral(".mozilla/firefox/abc.default/") + xpi << QStringLiteral("work-profile/") + xpi
             << QStringLiteral(".var/app/org.mozilla.firefox/.mozilla/")
             << QStringLiteral(".var/app/org.mozilla.firefox/.mozilla/native-messaging-hosts/")
             << QStringLiteral(
                    ".var/app/org.mozilla.firefox/.mozilla/native-messaging-hosts/org.vorlaken.grabnest.json")
             << QStringLiteral(".config/vorlaken/") << QStringLiteral(".config/vorlaken/toolbar.ini");
    expected.sort();
    QCOMPARE(tree(home.dir.path()), expected);

    // The host manifests allow our extension and nothing else, and name the host beside grabnest.
    const QString host = CompanionRuntime::hostProgram();
    const QJsonObject chromium =
        QJsonDocument::fromJson(contents(home.path(QStringLiteral(".config/chromium") + kHostFile))).object();
    QCOMPARE(chromium.value(QLatin1String("name")).toString(), QStringLiteral("org.vorlaken.grabnest"));
    QCOMPARE(chromium.value(QLatin1String("path")).toString(), host);
    QCOMPARE(chromium.value(QLatin1String("type")).toString(), QStringLiteral("stdio"));
    QCOMPARE(chromium.value(QLatin1String("allowed_origins")).toArray(),
             QJsonArray{QStringLiteral("chrome-extension://%1/").arg(kChromeId)});
    QVERIFY(!chromium.contains(QLatin1String("allowed_extensions")));
    const QJsonObject firefox =
        QJsonDocument::fromJson(
            contents(home.path(QStringLiteral(".mozilla/native-messaging-hosts/org.vorlaken.grabnest.json"))))
            .object();
    QCOMPARE(firefox.value(QLatin1String("path")).toString(), host);
    QCOMPARE(firefox.value(QLatin1String("allowed_extensions")).toArray(), QJsonArray{kFirefoxId});
    QVERIFY(!firefox.contains(QLatin1String("allowed_origins")));
    // The packages, and the external extension file that names the signed one beside it.
    const QJsonObject external =
        QJsonDocument::fromJson(contents(home.path(QStringLiteral(".config/chromium/") + crxJson))).object();
    QCOMPARE(external, (QJsonObject{{QStringLiteral("external_crx"), QStringLiteral("vorlaken.crx")},
                                    {QStringLiteral("external_version"), QStringLiteral("8.1")}}));
    QCOMPARE(contents(home.path(QStringLiteral(".config/chromium/External Extensions/vorlaken.crx"))),
             contents(QDir(CompanionRuntime::binDir()).filePath(QStringLiteral("extension/vorlaken.crx"))));
    QCOMPARE(contents(home.path(QStringLiteral("work-profile/") + xpi)),
             contents(CompanionRuntime::firefoxPackage()));
    QCOMPARE(contents(home.path(QStringLiteral("work-profile/extensions/someone@else.xpi"))),
             QByteArray("theirs"));

    // The button's values, as the browsers' side of the button reads them.
    IniFile store(home.store());
    store.load();
    const QStringList values{QStringLiteral("Default Visible"), QStringLiteral("ButtonText"),
                             QStringLiteral("HotIcon"),         QStringLiteral("Icon"),
                             QStringLiteral("CLSID"),           QStringLiteral("Exec")};
    const QStringList expectedValues{QStringLiteral("Yes"),
                                     QStringLiteral("Vorlaken"),
                                     button().hotIcon,
                                     button().icon,
                                     QStringLiteral("{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}"),
                                     button().target};
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(store.readString(kId, values[i], QStringLiteral("missing")), expectedValues[i]);

    // What the user still has to do: Load unpacked where only that works; the signature setting in
    // the Firefox whose profile does not have it (not in the one that has); a Firefox without profile.
    QCOMPARE(notes.size(), 3);
    QVERIFY2(notes[0].startsWith(QStringLiteral("Google Chrome, Vivaldi: ")), qPrintable(notes[0]));
    QVERIFY(
        notes[0].contains(QDir(CompanionRuntime::binDir()).filePath(QStringLiteral("extension/chromium"))));
    QVERIFY2(notes[1].startsWith(QStringLiteral("Firefox: ")), qPrintable(notes[1]));
    QVERIFY(notes[1].contains(QStringLiteral("xpinstall.signatures.required")));
    QVERIFY2(notes[2].startsWith(QStringLiteral("Firefox (Flatpak): ")), qPrintable(notes[2]));
}

void CompanionRegistryTest::unregisterRemovesExactlyWhatWasWritten() {
    Home home;
    const QStringList before = tree(home.dir.path());
    const QByteArray theirs =
        contents(home.path(QStringLiteral(".config/chromium/NativeMessagingHosts/other.host.json")));

    // Twice: the same files, overwritten, and one record of them.
    home.registry().registerButton(button());
    const QStringList once = tree(home.dir.path());
    const QByteArray record = contents(home.store());
    home.registry().registerButton(button());
    QCOMPARE(tree(home.dir.path()), once);
    QCOMPARE(contents(home.store()), record);

    home.registry().unregisterButton(kId);
    QCOMPARE(tree(home.dir.path()), before);
    QCOMPARE(contents(home.path(QStringLiteral(".config/chromium/NativeMessagingHosts/other.host.json"))),
             theirs);
    // Nothing registered: nothing to do, no failure.
    home.registry().unregisterButton(kId);
    QCOMPARE(tree(home.dir.path()), before);

    // Another program's section in the store stays, and so does the store then.
    put(home.store(), "[other]\r\nkey=1\r\n");
    home.registry().registerButton(button());
    home.registry().unregisterButton(kId);
    QCOMPARE(contents(home.store()), QByteArray("[other]\r\nkey=1\r\n"));
}

void CompanionRegistryTest::refusedWriteIsReportedAndStaysOnRecord() {
    Home home;
    const QStringList before = tree(home.dir.path());
    // Where Google Chrome's host manifest goes stands a folder: the write cannot be made.
    const QString blocked = home.path(QStringLiteral(".config/google-chrome") + kHostFile);
    QDir().mkpath(blocked);
    const QStringList blockedTree = tree(home.dir.path());
    QVERIFY_THROWS_EXCEPTION(PlatformError, home.registry().registerButton(button()));
    QVERIFY(QFileInfo::exists(home.path(QStringLiteral(".config/chromium") + kHostFile)));
    // What was written before the refusal goes with the next unregistering.
    home.registry().unregisterButton(kId);
    QCOMPARE(tree(home.dir.path()), blockedTree);
    QDir(home.path(QStringLiteral(".config/google-chrome/NativeMessagingHosts"))).removeRecursively();
    QCOMPARE(tree(home.dir.path()), before);
}

void CompanionRegistryTest::chromiumTakesTheExtensionFromItsProfile() {
    VORLAKEN_REQUIRE_CHROMIUM();
    // Registered into the profile of a browser that has never run, which then starts without being
    // told about the extension: it installs the signed package and the extension connects.
    Home home;
    home.registry().registerButton(button());
    CompanionRuntime runtime;
    ChromiumProcess chromium;
    chromium.setProfileDir(home.path(QStringLiteral(".config/chromium")));
    chromium.setEnvironment(runtime.environment());
    QVERIFY2(chromium.start(QStringLiteral("about:blank")), qPrintable(chromium.errorString()));
    QVERIFY(runtime.waitForBrowser(60000));
    chromium.kill();
}

void CompanionRegistryTest::firefoxTakesTheExtensionFromItsProfile() {
    VORLAKEN_REQUIRE_FIREFOX();
    // A profile that takes unsigned extensions gets the package, the home the host manifest.
    Home home;
    const QString profile = home.path(QStringLiteral(".mozilla/firefox/abc.default"));
    put(QDir(profile).filePath(QStringLiteral("user.js")), FirefoxProcess::preferences());
    home.registry().registerButton(button());
    CompanionRuntime runtime;
    FirefoxProcess firefox;
    QVERIFY2(firefox.startWith(runtime, home.dir.path(), profile, QStringLiteral("about:blank")),
             qPrintable(firefox.errorString()));
    QVERIFY(runtime.waitForBrowser(60000));
}

QTEST_GUILESS_MAIN(CompanionRegistryTest)
#include "tst_companion_registry.moc"
