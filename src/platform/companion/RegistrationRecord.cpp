#include "platform/companion/RegistrationRecord.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include "common/Errors.h"

namespace vorlaken {

namespace {

const QString kFiles = QStringLiteral("Files");
const QString kFolders = QStringLiteral("Folders");

// Paths are kept as one JSON array per key: any character a path may hold comes back unchanged.
QStringList readList(const IniFile& store, const QString& section, const QString& key) {
    QStringList list;
    for (const QJsonValue& value :
         QJsonDocument::fromJson(store.readString(section, key, QString()).toUtf8()).array())
        list << value.toString();
    return list;
}

QString listText(const QStringList& list) {
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(list)).toJson(QJsonDocument::Compact));
}

}  // namespace

RegistrationRecord::RegistrationRecord(const QString& storePath, QString identifier)
    : store_(storePath), identifier_(std::move(identifier)) {
    store_.load();
    files_ = readList(store_, identifier_, kFiles);
    folders_ = readList(store_, identifier_, kFolders);
}

bool RegistrationRecord::exists() const {
    return store_.hasKey(identifier_, kFiles);
}

void RegistrationRecord::writeValue(const QString& key, const QString& value) {
    makeFolders(QFileInfo(store_.path()).absolutePath());
    store_.writeString(identifier_, key, value);
    save();
}

void RegistrationRecord::makeFolders(const QString& folder) {
    // The folders that are missing, outermost first: each goes on record before it is made.
    QStringList missing;
    for (QString at = QDir::cleanPath(folder); !QFileInfo::exists(at); at = QFileInfo(at).absolutePath()) {
        missing.prepend(at);
        if (QFileInfo(at).absolutePath() == at)
            break;
    }
    if (missing.isEmpty())
        return;
    for (const QString& path : missing) {
        if (!folders_.contains(path))
            folders_ << path;
    }
    // On record before they are made; only the store's own folder has to be there first.
    const bool storeThere = QFileInfo::exists(QFileInfo(store_.path()).absolutePath());
    if (storeThere)
        save();
    if (!QDir().mkpath(folder))
        throw PlatformError(QStringLiteral("Cannot make the folder %1.").arg(folder));
    if (!storeThere)
        save();
}

void RegistrationRecord::writeFile(const QString& path, const QByteArray& bytes) {
    makeFolders(QFileInfo(path).absolutePath());
    if (!files_.contains(path)) {
        files_ << path;
        save();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() ||
        !file.commit())
        throw PlatformError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

void RegistrationRecord::copyFile(const QString& source, const QString& path) {
    QFile from(source);
    if (!from.open(QIODevice::ReadOnly))
        throw PlatformError(QStringLiteral("Cannot read %1: %2").arg(source, from.errorString()));
    writeFile(path, from.readAll());
}

void RegistrationRecord::removeAll() {
    for (const QString& path : std::as_const(files_)) {
        // Only a file: whatever else stands there now is not what was written.
        const QFileInfo file(path);
        if ((file.isFile() || file.isSymLink()) && !QFile::remove(path))
            throw PlatformError(QStringLiteral("Cannot remove %1.").arg(path));
    }
    files_.clear();
    store_.removeSection(identifier_);
    if (store_.isEmpty()) {
        QFile::remove(store_.path());
    } else if (!store_.save()) {
        throw PlatformError(QStringLiteral("Cannot write %1.").arg(store_.path()));
    }
    // Deepest first; a folder that holds something else now stays.
    QStringList folders = folders_;
    std::sort(folders.begin(), folders.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& folder : folders)
        QDir().rmdir(folder);
    folders_.clear();
}

void RegistrationRecord::save() {
    store_.writeString(identifier_, kFiles, listText(files_));
    store_.writeString(identifier_, kFolders, listText(folders_));
    if (!store_.save())
        throw PlatformError(QStringLiteral("Cannot write %1.").arg(store_.path()));
}

}  // namespace vorlaken
