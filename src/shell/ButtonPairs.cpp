#include "shell/ButtonPairs.h"

#include <QStackedWidget>
#include <QWidget>

namespace vorlaken {

namespace {

struct Pair {
    const char* get;
    const char* save;
    int mode;  // -1: the main panel
    int step;  // the auto-click page's step (Notebook3) the pair belongs to; -1: any
};

const Pair kPairs[] = {
    {"getbtn", "savebtn", -1, -1}, {"aabtn", "saveaaBtn", 0, -1},      {"ccbtn", "saveccbtn", 1, -1},
    {"btn11", "btn12", 2, 0},      {"clickbtn", "saveclickbtn", 2, 1}, {"rrbtn", "saverrbtn", 4, -1},
};

int autoClickStep(QWidget* root) {
    auto* steps = root->findChild<QStackedWidget*>(QStringLiteral("Notebook3"));
    return steps ? steps->currentIndex() : 0;
}

void setShown(QWidget* root, const char* name, bool shown) {
    if (auto* w = root->findChild<QWidget*>(QLatin1String(name)))
        w->setVisible(shown);
}

}  // namespace

void ShowButtonPairs(QWidget* root, PairPanel panel, int mode) {
    for (const Pair& pair : kPairs) {
        bool shown = false;
        if (panel == PairPanel::Main)
            shown = pair.mode == -1;
        else if (panel == PairPanel::Enhanced)
            shown = pair.mode == mode && (pair.step < 0 || pair.step == autoClickStep(root));
        setShown(root, pair.get, shown);
        bool saveShown = shown;
        if (shown && QLatin1String(pair.get) == QLatin1String("clickbtn")) {
            auto* click = root->findChild<QWidget*>(QStringLiteral("clickbtn"));
            saveShown = click && click->isEnabled();
        }
        setShown(root, pair.save, saveShown);
    }
}

}  // namespace vorlaken
