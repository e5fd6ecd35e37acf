#include "save/ZipPackage.h"

#include <QFile>

#include "save/FileNaming.h"
#include "save/MiniZip.h"

namespace vorlaken {

QString ZipPackage::archiveName(const QString& folder, const QString& indexPage, const QDateTime& now) {
    if (!indexPage.isEmpty()) {
        const qsizetype dot = indexPage.lastIndexOf(u'.');
        const QString name = indexPage.left(dot > indexPage.lastIndexOf(u'/') ? dot : indexPage.size()) +
                             QStringLiteral(".zip");
        if (!NameTaken(name))
            return name;
    }
    return StampedFileName(folder, FormatStamp(now), QStringLiteral(".zip"));
}

QString ZipPackage::write(const SaveRunData& run, const QString& indexPage, const QDateTime& now,
                          QString* failure) {
    const QString name = archiveName(run.folder, indexPage, now);
    if (name.isEmpty())
        return name;
    TMiniZip zip;
    zip.setFileName(name);
    bool broken = false;
    bool ours = true;  // false when the archive could not even be created
    auto add = [&](const QString& source, const QString& entryName) {
        const int result = zip.addFile(source, entryName);
        if (result == TMiniZip::kWriteFailed || result == TMiniZip::kNotOpened) {
            broken = true;
            ours = result != TMiniZip::kNotOpened;
        }
        return !broken;
    };
    for (const SavedPicture& picture : run.saved) {
        if (!add(run.folder + picture.fileName, picture.fileName))
            break;
    }
    if (!broken && !indexPage.isEmpty())
        add(indexPage, indexPage.mid(indexPage.lastIndexOf(u'/') + 1));
    if (!zip.close())
        broken = true;
    zip.setFileName(QString());
    if (!broken)
        return QFile::exists(name) ? name : QString();
    // An archive cut short is no zip at all; only this run made it, so it goes.
    if (ours)
        QFile::remove(name);
    if (failure)
        *failure = QStringLiteral("the zip package could not be completed");
    return QString();
}

}  // namespace vorlaken
