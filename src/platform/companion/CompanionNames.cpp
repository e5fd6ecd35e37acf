#include "platform/companion/CompanionNames.h"

#include <QDir>
#include <QStandardPaths>

namespace vorlaken::CompanionNames {

QString socketFolder() {
    // The runtime folder belongs to the user alone (XDG_RUNTIME_DIR, else a private folder Qt makes in
    // the temporary one), so nobody else can listen there in a host's place.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("vorlaken-companion"));
}

QString chromiumOrigin() {
    return QStringLiteral("chrome-extension://%1/").arg(QLatin1String(kChromiumExtensionId));
}

}  // namespace vorlaken::CompanionNames
