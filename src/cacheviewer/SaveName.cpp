#include "SaveName.h"

#include <QFileInfo>

#include "common/NameLength.h"

namespace vorlaken {

namespace {

bool taken(const QString& path) {
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

// Past this many leading "_" a folder is full of one picture's copies; the next copy gets no name.
constexpr int kMostTries = 1000;

}  // namespace

QString SaveName(const QString& folder, const QString& url, int n, int total) {
    qint64 p = 10;
    while (p <= total) {
        p *= 10;
    }
    const QString num = QString::number(p + n).mid(1);
    const qsizetype slash = url.lastIndexOf(QLatin1Char('/'));
    QString name = slash < 0 ? QString() : url.mid(slash + 1);
    const qsizetype query = name.indexOf(QLatin1Char('?'));
    if (query >= 0) {
        name.truncate(query);
    }
    const qsizetype fragment = name.indexOf(QLatin1Char('#'));
    if (fragment >= 0) {
        name.truncate(fragment);
    }
    // A name longer than the file system takes loses the end of its stem; every further "_" in front
    // then costs one more character there, so the tries still differ.
    QString path = folder + FitNameBytes(num + QLatin1Char('_') + name);
    for (int tries = 0; taken(path); ++tries) {
        if (tries == kMostTries) {
            return QString();
        }
        name.prepend(QLatin1Char('_'));
        path = folder + FitNameBytes(QLatin1Char('_') + name);
    }
    return path;
}

}  // namespace vorlaken
