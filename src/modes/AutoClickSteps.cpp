#include "modes/AutoClickSteps.h"

#include "modes/MemoLines.h"

namespace vorlaken {

const QString AutoClickSteps::kPopupMessage =
    QStringLiteral("Please refer to instruction on right panel to operate.");
const QString AutoClickSteps::kNoSmallPicturesMessage =
    QStringLiteral("Please specify the URLs of small pictures.");
const QString AutoClickSteps::kNoFixedLinkMessage = QStringLiteral("please specify the fixed link content.");
const QString AutoClickSteps::kNoKeyMessage = QStringLiteral("Please specify the key.");

void AutoClickSteps::ChooseWay(AutoClickState& page, ClickWay way) {
    page.way = way;
    page.focus = QStringLiteral("Notebook4");
}

void AutoClickSteps::ShowWays(AutoClickState& page) {
    page.step = 0;
}

int AutoClickSteps::keyCodeOf(const QString& text) {
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    return ok ? code : 0;
}

void AutoClickSteps::ShowRun(AutoClickState& page, Desktop& desktop) {
    switch (page.way) {
        case ClickWay::Popup:
            desktop.showMessage(kPopupMessage);
            return;
        case ClickWay::SmallToBig: {
            QStringList lines = MemoLines::split(page.smallPictures);
            for (qsizetype i = lines.size() - 1; i >= 0; --i) {
                lines[i] = lines[i].trimmed();
                if (lines[i].isEmpty())
                    lines.removeAt(i);
            }
            page.smallPictures = lines.join(u'\n');
            if (lines.isEmpty()) {
                desktop.showMessage(kNoSmallPicturesMessage);
                page.focus = QStringLiteral("spicMemo");
                return;
            }
            break;
        }
        case ClickWay::FixedLink:
            if (page.linkText.isEmpty()) {
                desktop.showMessage(kNoFixedLinkMessage);
                page.focus = QStringLiteral("linkEdit");
                return;
            }
            break;
        case ClickWay::Keyboard: {
            const int code = keyCodeOf(page.keyCode);
            if (code < 1 || code > 255) {
                desktop.showMessage(kNoKeyMessage);
                page.focus = QStringLiteral("charedit2");
                return;
            }
            break;
        }
        case ClickWay::BigToBig:
            break;
    }
    page.step = 1;
    if (page.way == ClickWay::SmallToBig) {
        page.clickTimes = MemoLines::count(page.smallPictures);
        page.clickTimesEnabled = false;
    } else {
        page.clickTimesEnabled = true;
    }
}

}  // namespace vorlaken
