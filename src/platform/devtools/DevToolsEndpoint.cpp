#include "DevToolsEndpoint.h"

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QStandardPaths>

namespace vorlaken {

namespace {

const char* const kProfileFolders[] = {
    "chromium", "google-chrome", "google-chrome-beta", "microsoft-edge", "BraveSoftware/Brave-Browser",
    "vivaldi",
};

QUrl localUrl(int port) {
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port);
    return url;
}

// The port on the first line of a DevToolsActivePort file, 0 when there is none.
int portOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    bool ok = false;
    const int port = file.readLine(16).trimmed().toInt(&ok);
    return ok && port > 0 && port < 65536 ? port : 0;
}

}  // namespace

std::optional<QUrl> LoopbackEndpointUrl(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("http") || url.port() <= 0) {
        return std::nullopt;
    }
    const QString host = url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
        return localUrl(url.port());
    }
    const QHostAddress address(host);
    if (address.isNull() || !address.isLoopback()) {
        return std::nullopt;
    }
    QUrl normalised;
    normalised.setScheme(QStringLiteral("http"));
    normalised.setHost(host);
    normalised.setPort(url.port());
    return normalised;
}

std::vector<DevToolsEndpoint> DevToolsEndpointCandidates(const QString& environmentValue,
                                                         const QString& configDir) {
    if (!environmentValue.isEmpty()) {
        const std::optional<QUrl> url = LoopbackEndpointUrl(environmentValue);
        if (!url) {
            return {};
        }
        return {DevToolsEndpoint{*url, QString()}};
    }
    struct Found {
        QDateTime modified;
        DevToolsEndpoint endpoint;
    };
    std::vector<Found> found;
    for (const char* folder : kProfileFolders) {
        const QString profile = QDir(configDir).filePath(QString::fromLatin1(folder));
        const QFileInfo file(QDir(profile).filePath(QStringLiteral("DevToolsActivePort")));
        if (const int port = file.isFile() ? portOfFile(file.filePath()) : 0) {
            found.push_back({file.lastModified(), DevToolsEndpoint{localUrl(port), profile}});
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.modified > b.modified; });
    std::vector<DevToolsEndpoint> candidates;
    for (const Found& entry : found) {
        candidates.push_back(entry.endpoint);
    }
    candidates.push_back(DevToolsEndpoint{localUrl(9222), QString()});
    return candidates;
}

std::vector<DevToolsEndpoint> DevToolsEndpointCandidates() {
    return DevToolsEndpointCandidates(
        qEnvironmentVariable("VORLAKEN_DEVTOOLS"),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace vorlaken
