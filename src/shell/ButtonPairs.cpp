#include "shell/ButtonPairs.h"

#include <QWidget>

namespace vorlaken {

namespace {

struct Pair {
    const char* get;
    const char* save;
    int mode;  // -1: the main panel
};

const Pair kPairs[] = {
    {"getbtn", "savebtn", -1}, {"aabtn", "saveaaBtn", 0},       {"ccbtn", "saveccbtn", 1},
    {"btn11", "btn12", 2},     {"clickbtn", "saveclickbtn", 2}, {"rrbtn", "saverrbtn", 4},
};

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
            shown = pair.mode == mode;
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
