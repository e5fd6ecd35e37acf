#pragma once

#include <QDBusArgument>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QString>

#include "shell/ControlAccess.h"

namespace vorlaken {

class ViewerWindow;

// One found or shown entry as the bus sees it: the local file and the address.
struct CacheEntryPair {
    QString localFile;
    QString url;
};

QDBusArgument& operator<<(QDBusArgument& argument, const CacheEntryPair& pair);
const QDBusArgument& operator>>(const QDBusArgument& argument, CacheEntryPair& pair);

// tidecove's automation on the session bus (org.vorlaken.Tidewell, /Tidewell). Controls are named by
// their component names; the check list ListBox1 answers as the selected index, its items as
// "ListBox1.<row>" ("1"/"0" for ticked). A command started here opens nothing modal: its messages come
// back as the result, its questions take the answer set before.
class ViewerBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vorlaken.Tidewell")
  public:
    explicit ViewerBus(ViewerWindow& window);

    bool registerOnSessionBus();
    static QString serviceName() { return QStringLiteral("org.vorlaken.Tidewell"); }
    static QString objectPath() { return QStringLiteral("/Tidewell"); }

  public slots:
    QString Invoke(const QString& name, const QString& argument);
    QString Control(const QString& name);
    void SetControl(const QString& name, const QString& value);
    void SetAnswer(const QString& answer);
    QList<vorlaken::CacheEntryPair> Found();
    QList<vorlaken::CacheEntryPair> Shown();

  private:
    // The row of a "ListBox1.<row>" name, or -1.
    static int listRow(const QString& name);
    void failUnknown(const QString& name);

    ViewerWindow& window_;
    ControlAccess access_;
};

}  // namespace vorlaken

Q_DECLARE_METATYPE(vorlaken::CacheEntryPair)
