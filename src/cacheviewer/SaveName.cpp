#include "SaveName.h"

#include <QFileInfo>

namespace vorlaken {

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
    QString path = folder + num + QLatin1Char('_') + name;
    while (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        name.prepend(QLatin1Char('_'));
        path = folder + QLatin1Char('_') + name;
    }
    return path;
}

}  // namespace vorlaken
