#include "modes/MemoMenuState.h"

#include "modes/MemoLines.h"

namespace vorlaken {

MemoMenuState MemoMenuState::forMemo(const QString& text, bool hasSelection) {
    MemoMenuState menu;
    menu.copyEnabled = hasSelection;
    menu.cutEnabled = menu.copyEnabled;
    menu.countCaption = QStringLiteral("Count:") + QString::number(MemoLines::count(text));
    return menu;
}

}  // namespace vorlaken
