#include "shell/BusService.h"

#include <QDBusError>
#include <QDBusMetaType>

#include "capture/CaptureTable.h"
#include "capture/PreviewLayout.h"
#include "platform/desktop/BusModeDesktop.h"
#include "shell/MainWindow.h"

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

namespace {

// The controls of the preview's single form, the checkboxes among them where PreviewLayout puts them.
CollectionPtr previewFormElements(MainWindow& window) {
    Zone* zone = window.zone(QStringLiteral("wb1"));
    CollectionPtr forms = zone->document()->forms();
    ElementPtr form = forms->item(0);
    if (!form)
        return nullptr;
    return form->formElements();
}

}  // namespace

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
        CollectionPtr elements = previewFormElements(window_);
        if (!elements)
            return checked;
        const std::vector<ElementData> items = elements->read(kChecked);
        for (int i = 0; PreviewLayout::checkboxIndex(i) < int(items.size()); ++i)
            checked.append(items[std::size_t(PreviewLayout::checkboxIndex(i))].checked);
    } catch (const PageError& error) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::Failed, error.text());
    }
    return checked;
}

void BusService::SetChecked(const QList<bool>& checked) {
    try {
        CollectionPtr elements = previewFormElements(window_);
        if (!elements)
            return;
        std::vector<int> on;
        std::vector<int> off;
        for (int i = 0; i < checked.size(); ++i)
            (checked.at(i) ? on : off).push_back(PreviewLayout::checkboxIndex(i));
        elements->setChecked(on, true);
        elements->setChecked(off, false);
    } catch (const PageError& error) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::Failed, error.text());
    }
}

QString BusService::Clipboard() {
    return window_.desktop().lastClipboardText();
}

}  // namespace vorlaken
