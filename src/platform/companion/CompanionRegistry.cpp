#include "platform/companion/CompanionRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

#include "platform/companion/CompanionNames.h"
#include "platform/companion/HostManifest.h"
#include "platform/companion/RegistrationRecord.h"

namespace vorlaken {

namespace {

// The kinds of button: the class the button stands for and the name of its target value.
struct Kind {
    const char* clsid;
    const char* targetName;
};
constexpr Kind kKinds[] = {
    {"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}", "ClsidExtension"},
    {"{E0DD6CAB-2D10-11D2-8F1A-0000F87ABD16}", "BandCLSID"},
    {"{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}", "Script"},
    {"{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}", "Exec"},
};

const QString kCrx = QStringLiteral("vorlaken.crx");

// A profile that takes unsigned extensions says so in its preferences.
bool takesUnsigned(const QString& profile) {
    static const QRegularExpression setting(
        QStringLiteral(R"(user_pref\(\s*"xpinstall\.signatures\.required"\s*,\s*false\s*\))"));
    for (const QString& name : {QStringLiteral("prefs.js"), QStringLiteral("user.js")}) {
        QFile file(QDir(profile).filePath(name));
        if (file.open(QIODevice::ReadOnly) && setting.match(QString::fromUtf8(file.readAll())).hasMatch())
            return true;
    }
    return false;
}

QString names(const QStringList& browsers) {
    QStringList unique = browsers;
    unique.removeDuplicates();
    return unique.join(QStringLiteral(", "));
}

}  // namespace

CompanionRegistry::CompanionRegistry(BrowserProfiles browsers, QString storePath)
    : browsers_(std::move(browsers)), storePath_(std::move(storePath)) {}

CompanionRegistry::CompanionRegistry() : CompanionRegistry(BrowserProfiles(), defaultStorePath()) {}

QString CompanionRegistry::defaultStorePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("vorlaken/toolbar.ini"));
}

QStringList CompanionRegistry::registerButton(const Button& button) {
    RegistrationRecord record(storePath_, button.identifier);
    const Kind& kind = kKinds[qBound(0, button.kind, 3)];
    record.writeValue(QStringLiteral("Default Visible"),
                      button.visible ? QStringLiteral("Yes") : QStringLiteral("No"));
    record.writeValue(QStringLiteral("ButtonText"), button.buttonText);
    record.writeValue(QStringLiteral("HotIcon"), button.hotIcon);
    record.writeValue(QStringLiteral("Icon"), button.icon);
    record.writeValue(QStringLiteral("CLSID"), QLatin1String(kind.clsid));
    record.writeValue(QLatin1String(kind.targetName), button.target);

    const QDir programDir = QFileInfo(button.target).absoluteDir();
    const QString host = programDir.filePath(QLatin1String(CompanionNames::kHostProgram));
    const QString crx = programDir.filePath(QStringLiteral("extension/") + kCrx);
    const QString xpi = programDir.filePath(
        QStringLiteral("extension/%1.xpi").arg(QLatin1String(CompanionNames::kFirefoxExtensionId)));
    const QByteArray external = QJsonDocument(QJsonObject{{QStringLiteral("external_crx"), kCrx},
                                                          {QStringLiteral("external_version"),
                                                           QLatin1String(CompanionNames::kExtensionVersion)}})
                                    .toJson();

    QStringList unpackedOnly;
    QStringList unsignedRefused;
    QStringList withoutProfile;
    for (const InstalledBrowser& browser : browsers_.installed()) {
        const bool chromium = browser.family == InstalledBrowser::Family::Chromium;
        record.writeFile(QDir(browser.hostManifests).filePath(HostManifest::fileName()),
                         chromium ? HostManifest::forChromium(host) : HostManifest::forFirefox(host));
        if (chromium && !browser.externalExtensions.isEmpty()) {
            // The package lies beside its file, where also a confined browser can read it.
            const QDir folder(browser.externalExtensions);
            record.copyFile(crx, folder.filePath(kCrx));
            record.writeFile(folder.filePath(QLatin1String(CompanionNames::kChromiumExtensionId) +
                                             QStringLiteral(".json")),
                             external);
        } else if (chromium) {
            unpackedOnly << browser.name;
        }
        for (const QString& profile : browser.profiles) {
            record.copyFile(
                xpi, QDir(profile).filePath(QStringLiteral("extensions/%1.xpi")
                                                .arg(QLatin1String(CompanionNames::kFirefoxExtensionId))));
            if (!takesUnsigned(profile))
                unsignedRefused << browser.name;
        }
        if (!chromium && browser.profiles.isEmpty())
            withoutProfile << browser.name;
    }

    QStringList notes;
    if (!unpackedOnly.isEmpty()) {
        notes
            << QStringLiteral(
                   "%1: these browsers take an extension from outside their store only by hand. On the "
                   "browser's extensions page turn on Developer mode, choose \"Load unpacked\" and pick the "
                   "folder %2.")
                   .arg(names(unpackedOnly), programDir.filePath(QStringLiteral("extension/chromium")));
    }
    if (!unsignedRefused.isEmpty()) {
        notes
            << QStringLiteral(
                   "%1: Firefox takes the Vorlaken extension, which is not signed by Mozilla, only where "
                   "about:config sets xpinstall.signatures.required to false (Firefox ESR, Developer Edition "
                   "and Nightly allow that). After that it asks at its next start whether to turn the "
                   "extension on.")
                   .arg(names(unsignedRefused));
    }
    if (!withoutProfile.isEmpty()) {
        notes << QStringLiteral("%1: there is no profile yet. Start the browser once, then register again.")
                     .arg(names(withoutProfile));
    }
    return notes;
}

void CompanionRegistry::unregisterButton(const QString& identifier) {
    RegistrationRecord record(storePath_, identifier);
    if (record.exists())
        record.removeAll();
}

}  // namespace vorlaken
