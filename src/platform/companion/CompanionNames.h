#pragma once

#include <QString>

namespace vorlaken {

// The names by which the browsers, the companion extension, its native-messaging host and grabnest
// find one another.
namespace CompanionNames {

// The native-messaging host as the extension asks for it; also the file name of its host manifests.
inline constexpr char kHostName[] = "org.vorlaken.grabnest";
// The host program in the program folder.
inline constexpr char kHostProgram[] = "grabnest-host";
// The extension in Chromium-family browsers: the id follows from the public half of
// extension/chromium-key.pem (the first 32 hex digits of the SHA-256 of its DER form, 0-f read as a-p).
// Both ids are set once, in the top CMakeLists.txt.
inline constexpr char kChromiumExtensionId[] = VORLAKEN_CHROMIUM_EXTENSION_ID;
// The extension in Firefox (browser_specific_settings.gecko.id).
inline constexpr char kFirefoxExtensionId[] = VORLAKEN_FIREFOX_EXTENSION_ID;

// The extension's version, the program's (Chromium compares it with the installed one).
inline constexpr char kExtensionVersion[] = VORLAKEN_EXTENSION_VERSION;

// What the browsers allow: a message to the extension at most 1 MiB. Messages from it are bounded by
// us, large enough for the fields of every element of a large page.
inline constexpr qsizetype kMaxToExtension = 1024 * 1024;
inline constexpr qsizetype kMaxFromExtension = 64 * 1024 * 1024;

// The per-user folder where each running host listens on a local socket of its own.
QString socketFolder();
// The origin a Chromium-family browser names when it starts the host for the extension.
QString chromiumOrigin();

}  // namespace CompanionNames
}  // namespace vorlaken
