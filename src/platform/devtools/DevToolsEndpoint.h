#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QUrl>

namespace vorlaken {

// Where a running browser's DevTools endpoint was found.
struct DevToolsEndpoint {
    QUrl url;  // http://127.0.0.1:PORT
    QString
        profileDir;  // the browser profile folder whose DevToolsActivePort named the port; empty otherwise
};

// The endpoints to try, in order: the one named by VORLAKEN_DEVTOOLS when that is set (and nothing
// else, so a refused value is not silently replaced); otherwise the ports of the DevToolsActivePort
// files of the usual Chromium-family profile folders below configDir, newest file first, then
// 127.0.0.1:9222. Only loopback addresses are ever returned.
std::vector<DevToolsEndpoint> DevToolsEndpointCandidates(const QString& environmentValue,
                                                         const QString& configDir);
// The same for this process: its environment and the user's configuration folder.
std::vector<DevToolsEndpoint> DevToolsEndpointCandidates();

// http://HOST:PORT normalised when HOST is a loopback address (or "localhost", taken as 127.0.0.1).
std::optional<QUrl> LoopbackEndpointUrl(const QString& text);

}  // namespace vorlaken
