#include "ViewerBus.h"

#include <QDBusMetaType>

#include "cacheviewer/ViewerWindow.h"

namespace vorlaken {

namespace {

const QString kList = QStringLiteral("ListBox1");

QList<CacheEntryPair> pairs(const QStringList& files, const QStringList& urls) {
    QList<CacheEntryPair> result;
    for (qsizetype i = 0; i < files.size() && i < urls.size(); ++i) {
        result.append({files.at(i), urls.at(i)});
    }
    return result;
}

}  // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const CacheEntryPair& pair) {
    argument.beginStructure();
    argument << pair.localFile << pair.url;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, CacheEntryPair& pair) {
    argument.beginStructure();
    argument >> pair.localFile >> pair.url;
    argument.endStructure();
    return argument;
}

ViewerBus::ViewerBus(ViewerWindow& window)
    : BusAutomation(&window,
                    ControlAccess(&window, [&window](const QString& name) { return window.zone(name); }),
                    window.desktop(), serviceName(), objectPath()),
      window_(window) {
    qDBusRegisterMetaType<CacheEntryPair>();
    qDBusRegisterMetaType<QList<CacheEntryPair>>();
}

int ViewerBus::listRow(const QString& name) {
    if (!name.startsWith(kList + QLatin1Char('.'))) {
        return -1;
    }
    bool ok = false;
    const int row = name.mid(kList.size() + 1).toInt(&ok);
    return ok ? row : -1;
}

bool ViewerBus::invokeOwn(const QString& name) {
    if (name != kList) {
        return false;
    }
    window_.clickListItem(window_.state().listSelected);
    return true;
}

bool ViewerBus::ownValue(const QString& name, QString* result) const {
    if (name == kList) {
        *result = QString::number(window_.state().listSelected);
        return true;
    }
    const int row = listRow(name);
    if (row < 0) {
        return false;
    }
    const QList<bool>& ticks = window_.state().listChecked;
    *result = row < ticks.size() && ticks.at(row) ? QStringLiteral("1") : QStringLiteral("0");
    return true;
}

bool ViewerBus::setOwnValue(const QString& name, const QString& value) {
    if (name == kList) {
        window_.clickListItem(value.toInt());
        return true;
    }
    const int row = listRow(name);
    if (row < 0) {
        return false;
    }
    window_.setListItemTicked(row, value == QLatin1String("1") || value == QLatin1String("true"));
    return true;
}

QList<CacheEntryPair> ViewerBus::Found() {
    return pairs(window_.state().foundFiles, window_.state().foundUrls);
}

QList<CacheEntryPair> ViewerBus::Shown() {
    return pairs(window_.state().shownFiles, window_.state().shownUrls);
}

}  // namespace vorlaken
