#include "shell/BusService.h"

#include <QDBusError>
#include <QDBusMetaType>

#include "capture/CaptureTable.h"
#include "results/PreviewReadBack.h"
#include "shell/MainWindow.h"
#include "widgets/BusModeDesktop.h"

namespace vorlaken {

QDBusArgument& operator<<(QDBusArgument& argument, const PictureRow& row) {
    argument.beginStructure();
    argument << row.picUrl << row.sizeText << row.linkUrl << row.pageUrl;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PictureRow& row) {
    argument.beginStructure();
    argument >> row.picUrl >> row.sizeText >> row.linkUrl >> row.pageUrl;
    argument.endStructure();
    return argument;
}

BusService::BusService(MainWindow& window)
    : BusAutomation(&window, window.controls(), window.desktop(), serviceName(), objectPath()),
      window_(window) {
    qDBusRegisterMetaType<PictureRow>();
    qDBusRegisterMetaType<QList<PictureRow>>();
    qDBusRegisterMetaType<QList<bool>>();
}

bool BusService::isOutOfUse(const QString& name) const {
    return window_.commands().locks(name);
}

QList<PictureRow> BusService::Pictures() {
    const CaptureTable& table = window_.state().table;
    QList<PictureRow> rows;
    for (int i = 0; i < table.size(); ++i) {
        const QString link = table.linkUrl.at(i) == kPlaceholderLinkUrl ? QString() : table.linkUrl.at(i);
        rows.append({table.picUrl.at(i), table.sizeText.at(i), link, table.pageUrl.at(i)});
    }
    return rows;
}

QList<bool> BusService::Checked() {
    QList<bool> checked;
    try {
        for (const bool tick : PreviewReadBack::read(*window_.zone(QStringLiteral("wb1"))).checked)
            checked.append(tick);
    } catch (const PageError& error) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::Failed, error.text());
    }
    return checked;
}

void BusService::SetChecked(const QList<bool>& checked) {
    try {
        const PreviewReadBack page = PreviewReadBack::read(*window_.zone(QStringLiteral("wb1")));
        if (page.count == 0)
            return;
        const std::vector<int> boxes = page.checkboxIndexes();
        std::vector<int> on;
        std::vector<int> off;
        for (int i = 0; i < checked.size() && i < page.count; ++i)
            (checked.at(i) ? on : off).push_back(boxes[std::size_t(i)]);
        page.formElements->setChecked(on, true);
        page.formElements->setChecked(off, false);
    } catch (const PageError& error) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::Failed, error.text());
    }
}

QString BusService::Clipboard() {
    return window_.desktop().lastClipboardText();
}

}  // namespace vorlaken
