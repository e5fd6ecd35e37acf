#include "modes/PopupSteps.h"

#include "common/TextRoutines.h"
#include "modes/MemoLines.h"
#include "modes/OnclickUrls.h"
#include "modes/OriginUrls.h"

namespace vorlaken {

const QString PopupSteps::kNoBigPictureMessage = QStringLiteral("No big picture is found.");

void PopupSteps::AfterSmallPictures(PopupState& popup, bool tableHasPictures) {
    popup.findEnabled = tableHasPictures;
}

void PopupSteps::FindBigPictures(PopupState& popup, Browser& previewZone, Browser* attached,
                                 Desktop& desktop) {
    if (const std::optional<QStringList> lines = OnclickUrls::Extract(previewZone, attached, desktop))
        popup.bigUrls = lines->join(u'\n');
    const int found = MemoLines::count(popup.bigUrls);
    popup.foundLabel = QStringLiteral("find:") + QString::number(found);
    popup.findEnabled = found > 0;
    popup.listToolsEnabled = found > 0;
    popup.displayEnabled = found > 0;
    popup.getEnabled = found > 0;
}

void PopupSteps::ShowOnOriginPage(const PopupState& popup, const BrowserPtr& attached, bool noOriginContent,
                                  Desktop& desktop) {
    if (MemoLines::count(popup.bigUrls) == 0) {
        desktop.showMessage(kNoBigPictureMessage);
        return;
    }
    OriginUrls::Show(attached, popup.bigUrls, noOriginContent);
}

void PopupSteps::AfterGet(PopupState& popup, int rows, bool mainSaveEnabled) {
    popup.getLabel = QStringLiteral("Get:") + QString::number(rows);
    popup.saveEnabled = mainSaveEnabled;
}

QString PopupSteps::listHtml(const QString& urls) {
    QStringList lines{QStringLiteral("<html>"), QStringLiteral("<body>")};
    for (const QString& url : MemoLines::split(urls))
        lines << HtmlEscape(url) + QStringLiteral("<br>");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

}  // namespace vorlaken
