#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>

#include "widgets/ControlAccess.h"

namespace vorlaken {

class BusModeDesktop;

// A program's automation on the session bus: its controls named by their component names, so every
// control and command of the window is reachable through Invoke, Control, SetControl and SetAnswer. A
// command started here never opens a modal window: its messages come back as the result, its questions
// take the answer set before. Each program derives its service, names its D-Bus interface there and adds
// the methods its data needs.
class BusAutomation : public QObject, protected QDBusContext {
    Q_OBJECT
  public:
    BusAutomation(QObject* parent, ControlAccess controls, BusModeDesktop& desktop, QString serviceName,
                  QString objectPath);

    // Registers the object and the service name on the session bus. False without a bus or when the
    // name is taken.
    bool registerOnSessionBus();

    // The error an Invoke gets for a control the running command has taken out of use.
    static QString busyError() { return QStringLiteral("org.vorlaken.Error.Busy"); }

  public slots:
    QString Invoke(const QString& name, const QString& argument);
    QString Control(const QString& name);
    void SetControl(const QString& name, const QString& value);
    void SetAnswer(const QString& answer);

  protected:
    // Controls a program answers itself, before the window's controls are looked up by name. Each
    // returns false for a name it does not own.
    virtual bool isOutOfUse(const QString& name) const;
    virtual bool invokeOwn(const QString& name);
    virtual bool ownValue(const QString& name, QString* result) const;
    virtual bool setOwnValue(const QString& name, const QString& value);

    // Answers the current bus call with an error; a direct call gets none.
    void fail(const QString& errorName, const QString& text);

  private:
    ControlAccess controls_;
    BusModeDesktop& desktop_;
    QString serviceName_;
    QString objectPath_;
};

}  // namespace vorlaken
