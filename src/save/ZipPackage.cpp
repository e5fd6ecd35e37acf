#include "save/ZipPackage.h"

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

QString ZipPackage::write(const SaveRunData& run, const QString& indexPage, const QDateTime& now) {
    const QString name = archiveName(run.folder, indexPage, now);
    if (name.isEmpty())
        return name;
    TMiniZip zip;
    zip.setFileName(name);
    for (const SavedPicture& picture : run.saved)
        zip.addFile(run.folder + picture.fileName, picture.fileName);
    if (!indexPage.isEmpty())
        zip.addFile(indexPage, indexPage.mid(indexPage.lastIndexOf(u'/') + 1));
    zip.close();
    zip.setFileName(QString());
    return name;
}

}  // namespace vorlaken
