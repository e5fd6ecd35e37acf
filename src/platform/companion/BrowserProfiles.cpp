#include "platform/companion/BrowserProfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vorlaken {

namespace {

// A Chromium-family browser: its user-data folder below the configuration folder, its programs, and
// whether its build reads per-user external extension files (only Chromium's own branding does).
struct ChromiumKind {
    const char* name;
    const char* folder;
    QStringList programs;
    bool readsExternalFiles;
};

const std::vector<ChromiumKind>& chromiumKinds() {
    static const std::vector<ChromiumKind> kinds = {
        {"Chromium", "chromium", {QStringLiteral("chromium"), QStringLiteral("chromium-browser")}, true},
        {"Google Chrome",
         "google-chrome",
         {QStringLiteral("google-chrome"), QStringLiteral("google-chrome-stable")},
         false},
        {"Google Chrome Beta", "google-chrome-beta", {QStringLiteral("google-chrome-beta")}, false},
        {"Google Chrome Dev", "google-chrome-unstable", {QStringLiteral("google-chrome-unstable")}, false},
        {"Microsoft Edge",
         "microsoft-edge",
         {QStringLiteral("microsoft-edge"), QStringLiteral("microsoft-edge-stable")},
         false},
        {"Microsoft Edge Beta", "microsoft-edge-beta", {QStringLiteral("microsoft-edge-beta")}, false},
        {"Microsoft Edge Dev", "microsoft-edge-dev", {QStringLiteral("microsoft-edge-dev")}, false},
        {"Brave", "BraveSoftware/Brave-Browser", {QStringLiteral("brave-browser")}, false},
        {"Vivaldi", "vivaldi", {QStringLiteral("vivaldi"), QStringLiteral("vivaldi-stable")}, false},
    };
    return kinds;
}

// Flatpak applications of the Chromium family and the kind each one is; the folder inside is as above,
// below the application's own configuration folder.
const std::vector<std::pair<const char*, const char*>>& chromiumFlatpaks() {
    static const std::vector<std::pair<const char*, const char*>> apps = {
        {"org.chromium.Chromium", "Chromium"},    {"com.google.Chrome", "Google Chrome"},
        {"com.microsoft.Edge", "Microsoft Edge"}, {"com.brave.Browser", "Brave"},
        {"com.vivaldi.Vivaldi", "Vivaldi"},
    };
    return apps;
}

const ChromiumKind& chromiumKind(const char* name) {
    for (const ChromiumKind& kind : chromiumKinds()) {
        if (qstrcmp(kind.name, name) == 0)
            return kind;
    }
    return chromiumKinds().front();
}

InstalledBrowser chromiumBrowser(const QString& name, const ChromiumKind& kind, const QString& userData) {
    InstalledBrowser browser;
    browser.name = name;
    browser.family = InstalledBrowser::Family::Chromium;
    browser.hostManifests = QDir(userData).filePath(QStringLiteral("NativeMessagingHosts"));
    if (kind.readsExternalFiles)
        browser.externalExtensions = QDir(userData).filePath(QStringLiteral("External Extensions"));
    return browser;
}

bool isFolder(const QString& path) {
    return QFileInfo(path).isDir();
}

}  // namespace

BrowserProfiles::BrowserProfiles(QString home, QString configHome, ProgramLookup programInstalled)
    : home_(std::move(home)),
      configHome_(std::move(configHome)),
      programInstalled_(std::move(programInstalled)) {}

BrowserProfiles::BrowserProfiles()
    : BrowserProfiles(
          QDir::homePath(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
          [](const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); }) {}

std::vector<InstalledBrowser> BrowserProfiles::installed() const {
    const QDir home(home_);
    const QDir config(configHome_);
    std::vector<InstalledBrowser> found;
    const auto anyProgram = [this](const QStringList& programs) {
        for (const QString& program : programs) {
            if (programInstalled_(program))
                return true;
        }
        return false;
    };

    for (const ChromiumKind& kind : chromiumKinds()) {
        const QString userData = config.filePath(QLatin1String(kind.folder));
        if (isFolder(userData) || anyProgram(kind.programs))
            found.push_back(chromiumBrowser(QLatin1String(kind.name), kind, userData));
    }
    // The snap keeps its user data below the snap's folder, where the confined browser reads it.
    if (isFolder(home.filePath(QStringLiteral("snap/chromium")))) {
        found.push_back(chromiumBrowser(QStringLiteral("Chromium (snap)"), chromiumKind("Chromium"),
                                        home.filePath(QStringLiteral("snap/chromium/common/chromium"))));
    }
    for (const auto& [app, kindName] : chromiumFlatpaks()) {
        const QString root = home.filePath(QStringLiteral(".var/app/") + QLatin1String(app));
        if (isFolder(root)) {
            const ChromiumKind& kind = chromiumKind(kindName);
            found.push_back(
                chromiumBrowser(QLatin1String(kindName) + QStringLiteral(" (Flatpak)"), kind,
                                QDir(root).filePath(QStringLiteral("config/")) + QLatin1String(kind.folder)));
        }
    }

    const auto firefox = [&](const QString& name, const QString& manifests, const QString& profilesRoot) {
        InstalledBrowser browser;
        browser.name = name;
        browser.family = InstalledBrowser::Family::Firefox;
        browser.hostManifests = manifests;
        browser.profiles = firefoxProfiles(profilesRoot);
        found.push_back(browser);
    };
    if (isFolder(home.filePath(QStringLiteral(".mozilla/firefox"))) ||
        anyProgram({QStringLiteral("firefox"), QStringLiteral("firefox-esr")})) {
        firefox(QStringLiteral("Firefox"), home.filePath(QStringLiteral(".mozilla/native-messaging-hosts")),
                home.filePath(QStringLiteral(".mozilla/firefox")));
    }
    // The snap asks the desktop portal for host manifests, which reads them from the home's own folder.
    if (isFolder(home.filePath(QStringLiteral("snap/firefox")))) {
        firefox(QStringLiteral("Firefox (snap)"),
                home.filePath(QStringLiteral(".mozilla/native-messaging-hosts")),
                home.filePath(QStringLiteral("snap/firefox/common/.mozilla/firefox")));
    }
    const QString flatpak = home.filePath(QStringLiteral(".var/app/org.mozilla.firefox"));
    if (isFolder(flatpak)) {
        firefox(QStringLiteral("Firefox (Flatpak)"),
                QDir(flatpak).filePath(QStringLiteral(".mozilla/native-messaging-hosts")),
                QDir(flatpak).filePath(QStringLiteral(".mozilla/firefox")));
    }
    if (isFolder(home.filePath(QStringLiteral(".librewolf"))) || anyProgram({QStringLiteral("librewolf")})) {
        firefox(QStringLiteral("LibreWolf"),
                home.filePath(QStringLiteral(".librewolf/native-messaging-hosts")),
                home.filePath(QStringLiteral(".librewolf")));
    }
    return found;
}

QStringList BrowserProfiles::firefoxProfiles(const QString& root) const {
    // profiles.ini names each profile's folder, relative to the root or absolute. Only folders that are
    // there count: nothing is made where a browser has no profile.
    QSettings ini(QDir(root).filePath(QStringLiteral("profiles.ini")), QSettings::IniFormat);
    QStringList profiles;
    for (const QString& group : ini.childGroups()) {
        if (!group.startsWith(QLatin1String("Profile")))
            continue;
        ini.beginGroup(group);
        const QString path = ini.value(QStringLiteral("Path")).toString();
        const bool relative = ini.value(QStringLiteral("IsRelative"), 1).toInt() != 0;
        ini.endGroup();
        if (path.isEmpty())
            continue;
        const QString folder = QDir::cleanPath(relative ? QDir(root).filePath(path) : path);
        if (isFolder(folder) && !profiles.contains(folder))
            profiles << folder;
    }
    return profiles;
}

}  // namespace vorlaken
