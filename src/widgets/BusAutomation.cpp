#include "widgets/BusAutomation.h"

#include <utility>

#include <QDBusConnection>
#include <QDBusError>

#include "widgets/BusModeDesktop.h"

namespace vorlaken {

namespace {

const QString kUnknownControl = QStringLiteral("No control named %1.");

}  // namespace

BusAutomation::BusAutomation(QObject* parent, ControlAccess controls, BusModeDesktop& desktop,
                             QString serviceName, QString objectPath)
    : QObject(parent),
      controls_(std::move(controls)),
      desktop_(desktop),
      serviceName_(std::move(serviceName)),
      objectPath_(std::move(objectPath)) {}

bool BusAutomation::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(objectPath_, this, QDBusConnection::ExportAllSlots))
        return false;
    return bus.registerService(serviceName_);
}

bool BusAutomation::isOutOfUse(const QString& /*name*/) const {
    return false;
}

bool BusAutomation::invokeOwn(const QString& /*name*/) {
    return false;
}

bool BusAutomation::ownValue(const QString& /*name*/, QString* /*result*/) const {
    return false;
}

bool BusAutomation::setOwnValue(const QString& /*name*/, const QString& /*value*/) {
    return false;
}

void BusAutomation::fail(const QString& errorName, const QString& text) {
    if (calledFromDBus())
        sendErrorReply(errorName, text);
}

QString BusAutomation::Invoke(const QString& name, const QString& argument) {
    // The running command took this control out of use; a click would start a second run inside it.
    if (isOutOfUse(name)) {
        fail(busyError(), QStringLiteral("%1 is out of use until the running command ends.").arg(name));
        return QString();
    }
    desktop_.beginBusCall();
    // With an argument, the control is a menu and the argument names the item to choose.
    const bool found = invokeOwn(name) ||
                       (argument.isEmpty() ? controls_.invoke(name) : controls_.invokeItem(name, argument));
    const QStringList messages = desktop_.endBusCall();
    if (!found) {
        fail(QDBusError::errorString(QDBusError::InvalidArgs), kUnknownControl.arg(name));
        return QString();
    }
    return messages.join(QLatin1Char('\n'));
}

QString BusAutomation::Control(const QString& name) {
    QString result;
    if (!ownValue(name, &result) && !controls_.value(name, &result))
        fail(QDBusError::errorString(QDBusError::InvalidArgs), kUnknownControl.arg(name));
    return result;
}

void BusAutomation::SetControl(const QString& name, const QString& value) {
    desktop_.beginBusCall();
    const bool done = setOwnValue(name, value) || controls_.setValue(name, value);
    desktop_.endBusCall();
    if (!done)
        fail(QDBusError::errorString(QDBusError::InvalidArgs),
             QStringLiteral("Cannot set %1 to %2.").arg(name, value));
}

void BusAutomation::SetAnswer(const QString& answer) {
    desktop_.setAnswer(answer);
}

}  // namespace vorlaken
