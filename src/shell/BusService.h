#pragma once

#include <QDBusArgument>
#include <QList>
#include <QString>

#include "widgets/BusAutomation.h"

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

// grabnest's automation on the session bus (org.vorlaken.Grabnest, /Grabnest): the shared control
// methods, a command's controls out of use while it runs, and the captured pictures with their
// checkboxes in the preview.
class BusService : public BusAutomation {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vorlaken.Grabnest")
  public:
    explicit BusService(MainWindow& window);

    static QString serviceName() { return QStringLiteral("org.vorlaken.Grabnest"); }
    static QString objectPath() { return QStringLiteral("/Grabnest"); }

  public slots:
    QList<vorlaken::PictureRow> Pictures();
    // The preview's ticks, read and set where the commands read them; a preview zone that shows another
    // page answers with an error.
    QList<bool> Checked();
    void SetChecked(const QList<bool>& checked);
    // The text the program last put on the clipboard.
    QString Clipboard();

  protected:
    bool isOutOfUse(const QString& name) const override;

  private:
    MainWindow& window_;
};

}  // namespace vorlaken

Q_DECLARE_METATYPE(vorlaken::PictureRow)
