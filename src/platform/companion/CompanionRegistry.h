#pragma once

#include "common/ToolbarButtonRegistry.h"
#include "platform/companion/BrowserProfiles.h"

namespace vorlaken {

// The toolbar button on Linux: the companion extension's. Registering keeps the button's values in a
// per-user store, and for every installed browser of both families writes the native-messaging host
// manifest where that browser reads it and hands it the extension the way it takes one: Chromium's
// own builds from their per-user external extension files (the signed package), Firefox profiles from
// their extensions folder (the unsigned package, which Firefox takes only where signatures are not
// required). Unregistering removes what registering wrote.
class CompanionRegistry : public ToolbarButtonRegistry {
  public:
    CompanionRegistry(BrowserProfiles browsers, QString storePath);
    // This user's browsers and store.
    CompanionRegistry();

    // The store of this user: toolbar.ini in the configuration folder's vorlaken folder.
    static QString defaultStorePath();

    // The program folder is the folder of the button's target (grabnest): the host program and the
    // extension's packages are delivered beside it.
    QStringList registerButton(const Button& button) override;
    void unregisterButton(const QString& identifier) override;

  private:
    BrowserProfiles browsers_;
    QString storePath_;
};

}  // namespace vorlaken
