#pragma once

#include <QDBusArgument>
#include <QList>
#include <QString>

#include "widgets/BusAutomation.h"

namespace vorlaken {

class ViewerWindow;

// One found or shown entry as the bus sees it: the local file and the address.
struct CacheEntryPair {
    QString localFile;
    QString url;
};

QDBusArgument& operator<<(QDBusArgument& argument, const CacheEntryPair& pair);
const QDBusArgument& operator>>(const QDBusArgument& argument, CacheEntryPair& pair);

// tidecove's automation on the session bus (org.vorlaken.Tidewell, /Tidewell): the shared control
// methods, and the found and shown entries. The check list ListBox1 answers as the selected index, its
// items as "ListBox1.<row>" ("1"/"0" for ticked).
class ViewerBus : public BusAutomation {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vorlaken.Tidewell")
  public:
    explicit ViewerBus(ViewerWindow& window);

    static QString serviceName() { return QStringLiteral("org.vorlaken.Tidewell"); }
    static QString objectPath() { return QStringLiteral("/Tidewell"); }

  public slots:
    QList<vorlaken::CacheEntryPair> Found();
    QList<vorlaken::CacheEntryPair> Shown();

  protected:
    bool invokeOwn(const QString& name) override;
    bool ownValue(const QString& name, QString* result) const override;
    bool setOwnValue(const QString& name, const QString& value) override;

  private:
    // The row of a "ListBox1.<row>" name, or -1.
    static int listRow(const QString& name);

    ViewerWindow& window_;
};

}  // namespace vorlaken

Q_DECLARE_METATYPE(vorlaken::CacheEntryPair)
