#include "ViewerBus.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMetaType>

#include "cacheviewer/ViewerWindow.h"
#include "platform/desktop/BusModeDesktop.h"

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
    : QObject(&window),
      window_(window),
      access_(&window, [&window](const QString& name) { return window.zone(name); }) {
    qDBusRegisterMetaType<CacheEntryPair>();
    qDBusRegisterMetaType<QList<CacheEntryPair>>();
}

bool ViewerBus::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    return bus.registerObject(objectPath(), this, QDBusConnection::ExportAllSlots) &&
           bus.registerService(serviceName());
}

int ViewerBus::listRow(const QString& name) {
    if (!name.startsWith(kList + QLatin1Char('.'))) {
        return -1;
    }
    bool ok = false;
    const int row = name.mid(kList.size() + 1).toInt(&ok);
    return ok ? row : -1;
}

void ViewerBus::failUnknown(const QString& name) {
    if (calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No control named ") + name);
    }
}

QString ViewerBus::Invoke(const QString& name, const QString& /*argument*/) {
    BusModeDesktop& desktop = window_.desktop();
    desktop.beginBusCall();
    bool known = true;
    if (name == kList) {
        window_.clickListItem(window_.state().listSelected);
    } else {
        known = access_.invoke(name);
    }
    const QStringList messages = desktop.endBusCall();
    if (!known) {
        failUnknown(name);
    }
    return messages.join(QLatin1Char('\n'));
}

QString ViewerBus::Control(const QString& name) {
    if (name == kList) {
        return QString::number(window_.state().listSelected);
    }
    const int row = listRow(name);
    if (row >= 0) {
        const QList<bool>& ticks = window_.state().listChecked;
        return row < ticks.size() && ticks.at(row) ? QStringLiteral("1") : QStringLiteral("0");
    }
    QString value;
    if (!access_.value(name, &value)) {
        failUnknown(name);
    }
    return value;
}

void ViewerBus::SetControl(const QString& name, const QString& value) {
    BusModeDesktop& desktop = window_.desktop();
    desktop.beginBusCall();
    bool known = true;
    if (name == kList) {
        window_.clickListItem(value.toInt());
    } else if (const int row = listRow(name); row >= 0) {
        window_.setListItemTicked(row, value == QLatin1String("1") || value == QLatin1String("true"));
    } else {
        known = access_.setValue(name, value);
    }
    desktop.endBusCall();
    if (!known) {
        failUnknown(name);
    }
}

void ViewerBus::SetAnswer(const QString& answer) {
    window_.desktop().setAnswer(answer);
}

QList<CacheEntryPair> ViewerBus::Found() {
    return pairs(window_.state().FoundFiles, window_.state().FoundUrls);
}

QList<CacheEntryPair> ViewerBus::Shown() {
    return pairs(window_.state().ShownFiles, window_.state().ShownUrls);
}

}  // namespace vorlaken
