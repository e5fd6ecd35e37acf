#include "CacheFolderCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vorlaken::test {

bool CopyCacheFolder(const QString& from, const QString& to) {
    if (!QDir().mkpath(to)) {
        return false;
    }
    const QFileInfoList items = QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& item : items) {
        const QString target = to + QLatin1Char('/') + item.fileName();
        const bool ok =
            item.isDir() ? CopyCacheFolder(item.filePath(), target) : QFile::copy(item.filePath(), target);
        if (!ok) {
            return false;
        }
    }
    return true;
}

}  // namespace vorlaken::test
