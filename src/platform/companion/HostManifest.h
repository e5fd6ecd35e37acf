#pragma once

#include <QByteArray>
#include <QString>

namespace vorlaken {

// The native-messaging host manifests that tell a browser where grabnest's host program is and that
// only our extension may start it.
namespace HostManifest {

// For Chromium-family browsers: the extension's origin is the only one allowed.
QByteArray forChromium(const QString& hostProgram);
// For Firefox: the extension's id is the only one allowed.
QByteArray forFirefox(const QString& hostProgram);
// The file name both kinds have in their browser's folder.
QString fileName();

}  // namespace HostManifest
}  // namespace vorlaken
