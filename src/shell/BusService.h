#pragma once

#include <QDBusArgument>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QString>

namespace vorlaken {

class MainWindow;

// One CaptureTable row as the bus sees it; the link is empty where the picture has none.
struct PictureRow {
    QString picUrl;
    QString sizeText;
    QString linkUrl;
    QString pageUrl;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PictureRow& row);
const QDBusArgument& operator>>(const QDBusArgument& argument, PictureRow& row);

// grabnest's automation on the session bus (org.vorlaken.Grabnest, /Grabnest). Controls are named by
// their component names, so every control and command of the window is reachable through these few
// methods. A command started here never opens a modal window: its messages come back as the result.
class BusService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vorlaken.Grabnest")
  public:
    explicit BusService(MainWindow& window);

    // Registers the object and the service name on the session bus. False without a bus or when
    // the name is taken.
    bool registerOnSessionBus();

    static QString serviceName() { return QStringLiteral("org.vorlaken.Grabnest"); }
    static QString objectPath() { return QStringLiteral("/Grabnest"); }
    // The error an Invoke gets for a control the running command has taken out of use.
    static QString busyError() { return QStringLiteral("org.vorlaken.Error.Busy"); }

  public slots:
    QString Invoke(const QString& name, const QString& argument);
    QString Control(const QString& name);
    void SetControl(const QString& name, const QString& value);
    void SetAnswer(const QString& answer);
    QList<vorlaken::PictureRow> Pictures();
    QList<bool> Checked();
    void SetChecked(const QList<bool>& checked);
    // The text the program last put on the clipboard.
    QString Clipboard();

  private:
    void failUnknown(const QString& name);

    MainWindow& window_;
};

}  // namespace vorlaken

Q_DECLARE_METATYPE(vorlaken::PictureRow)
