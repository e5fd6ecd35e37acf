#include "common/ProgramDir.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vorlaken {
namespace {

QString withSlash(const QString& dir) {
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/'))) {
        return dir;
    }
    return dir + QLatin1Char('/');
}

}  // namespace

ProgramDir::ProgramDir(const QString& executableDir, const QString& userDir)
    : dir_(withSlash(executableDir)), userDir_(withSlash(userDir)) {}

ProgramDir ProgramDir::forRunningProgram() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return ProgramDir(QCoreApplication::applicationDirPath(), config + QStringLiteral("/vorlaken"));
}

QString ProgramDir::writableDir() const {
    // access() rather than QFileInfo::isWritable(): it answers for the real user, ACLs included.
    if (!QFileInfo::exists(dir_ + kInstalledMarker) &&
        ::access(QFile::encodeName(dir_).constData(), W_OK | X_OK) == 0) {
        return dir_;
    }
    QDir().mkpath(userDir_);
    return userDir_;
}

QString ProgramDir::writtenFile(const QString& name) const {
    return writableDir() + name;
}

}  // namespace vorlaken
