#include "platform/companion/HostManifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/companion/CompanionNames.h"

namespace vorlaken::HostManifest {

namespace {

QByteArray manifest(const QString& hostProgram, const QString& allowKey, const QString& allowed) {
    const QJsonObject object{
        {QStringLiteral("name"), QLatin1String(CompanionNames::kHostName)},
        {QStringLiteral("description"), QStringLiteral("Vorlaken (grabnest) and its browser extension")},
        {QStringLiteral("path"), hostProgram},
        {QStringLiteral("type"), QStringLiteral("stdio")},
        {allowKey, QJsonArray{allowed}},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

}  // namespace

QByteArray forChromium(const QString& hostProgram) {
    return manifest(hostProgram, QStringLiteral("allowed_origins"), CompanionNames::chromiumOrigin());
}

QByteArray forFirefox(const QString& hostProgram) {
    return manifest(hostProgram, QStringLiteral("allowed_extensions"),
                    QLatin1String(CompanionNames::kFirefoxExtensionId));
}

QString fileName() {
    return QLatin1String(CompanionNames::kHostName) + QStringLiteral(".json");
}

}  // namespace vorlaken::HostManifest
