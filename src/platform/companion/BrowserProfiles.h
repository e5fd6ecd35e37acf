#pragma once

#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

namespace vorlaken {

// One installed browser as the companion's registration sees it: where it reads native-messaging host
// manifests, and how it takes the extension.
struct InstalledBrowser {
    enum class Family { Chromium, Firefox };

    QString name;  // "Chromium", "Google Chrome (Flatpak)" ...
    Family family = Family::Chromium;
    // The folder of its host manifests.
    QString hostManifests;
    // Chromium-branded builds read external extension files of their own from this per-user folder;
    // empty for the others, which take an extension outside their store only as "Load unpacked".
    QString externalExtensions;
    // Firefox family: the profile folders (each takes the package in its extensions folder).
    QStringList profiles;
};

// The browsers of both families installed for this user, the snap and Flatpak ones included: a browser
// counts as installed when its folder in the user's home is there, or (for the distribution's own
// packages) its program is.
class BrowserProfiles {
  public:
    using ProgramLookup = std::function<bool(const QString& program)>;

    // home: the user's home; configHome: $XDG_CONFIG_HOME or home/.config.
    BrowserProfiles(QString home, QString configHome, ProgramLookup programInstalled);
    // The same for this user: home, configuration folder and PATH of this process.
    BrowserProfiles();

    std::vector<InstalledBrowser> installed() const;

  private:
    QStringList firefoxProfiles(const QString& root) const;

    QString home_;
    QString configHome_;
    ProgramLookup programInstalled_;
};

}  // namespace vorlaken
