#include "shell/ResultsController.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>

#include "results/CommentCommands.h"
#include "results/OriginPage.h"
#include "results/PreviewReadBack.h"
#include "results/ResultCommands.h"
#include "results/UrlList.h"
#include "shell/MainWindow.h"
#include "shell/PictureExport.h"
#include "shell/StateBinding.h"
#include "widgets/ClickableLabel.h"

namespace vorlaken {

namespace {

const QString kTemplate = QStringLiteral("grabnest.htm");
const QString kNoTickedPicture = QStringLiteral("Please tick the picture to copy.");

// The box layout holding widget, searched through the nested layouts of layout.
QBoxLayout* boxHolding(QLayout* layout, QWidget* widget) {
    if (!layout)
        return nullptr;
    if (auto* box = qobject_cast<QBoxLayout*>(layout); box && box->indexOf(widget) >= 0)
        return box;
    for (int i = 0; i < layout->count(); ++i)
        if (QBoxLayout* found = boxHolding(layout->itemAt(i)->layout(), widget))
            return found;
    return nullptr;
}

// An unlabelled button that opens its menu, as the arrow beside "Save".
QPushButton* arrowButton(const char* name) {
    auto* button = new QPushButton;
    button->setObjectName(QLatin1String(name));
    button->setFixedWidth(30);
    return button;
}

}  // namespace

ResultsController::ResultsController(MainWindow& window, Zone& preview, Zone& comments)
    : QObject(&window),
      window_(window),
      ui_(window.ui()),
      desktop_(window.desktop()),
      preview_(preview),
      panel_(panelState_, comments),
      selection_(preview, window.desktop(), [this] { window_.renderPreview(); }) {
    buildSelectMenu();
    buildResultMenu();
    buildCommentControls();
    buildMoreMenu();
    // The splitter never collapses the panel to nothing, and a width the user drags becomes the
    // panel's width; the layout's own resizing does not.
    ui_.zoneSplitter->setChildrenCollapsible(false);
    connect(ui_.zoneSplitter, &QSplitter::splitterMoved, this, [this] {
        const QList<int> sizes = ui_.zoneSplitter->sizes();
        if (sizes.size() == 2 && sizes[1] > 0)
            panelState_.width = sizes[1];
    });
    applyPanel();
}

QAction* ResultsController::item(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = new QAction(caption, menu);
    action->setObjectName(QLatin1String(name));
    menu->addAction(action);
    return action;
}

template <typename Command>
void ResultsController::run(Command command) {
    StateBinding::toState(ui_, window_.state());
    command();
    StateBinding::toWidgets(window_.state(), ui_);
    applyPanel();
}

template <typename Command>
void ResultsController::bind(QAction* action, Command command) {
    connect(action, &QAction::triggered, this, [this, command] { run(command); });
}

void ResultsController::buildSelectMenu() {
    QMenu* menu = ui_.selectMenu;
    menu->setObjectName(QStringLiteral("checkPopupMenu"));
    // The two capture options stay where they are, between the selection and the list commands.
    const QList<QAction*> options = menu->actions();
    for (QAction* option : options)
        menu->removeAction(option);

    CaptureState& state = window_.state();
    bind(item(menu, "n37", QStringLiteral("Select all")), [this] { selection_.SelectAll(); });
    bind(item(menu, "N41", QStringLiteral("Deselect All")), [this] { selection_.DeselectAll(); });
    bind(item(menu, "nInvert", QStringLiteral("Invert selection")), [this] { selection_.InvertSelection(); });
    const std::pair<const char*, SelectionCommands::Reduce> reductions[] = {
        {"N42", SelectionCommands::Reduce::KeepChecked},
        {"N43", SelectionCommands::Reduce::CheckedBefore},
        {"N44", SelectionCommands::Reduce::CheckedAfter}};
    const QString captions[] = {QStringLiteral("Keep Cheked"), QStringLiteral("Checked Before"),
                                QStringLiteral("Checked After")};
    for (int i = 0; i < 3; ++i) {
        const SelectionCommands::Reduce mode = reductions[i].second;
        bind(item(menu, reductions[i].first, captions[i]),
             [this, &state, mode] { selection_.ReduceToSelection(state, mode); });
    }
    menu->addSeparator()->setObjectName(QStringLiteral("N45"));
    menu->addActions(options);
    menu->addSeparator();
    bind(item(menu, "N46", QStringLiteral("Show Picture URLs")),
         [this] { UrlList::Show(UrlList::Kind::PictureUrls, preview_, panel_, desktop_); });
    bind(item(menu, "N47", QStringLiteral("Show Picture Links")),
         [this] { UrlList::Show(UrlList::Kind::PictureLinks, preview_, panel_, desktop_); });
    bind(item(menu, "N48", QStringLiteral("Hide List")), [this] { panel_.hide(); });
}

void ResultsController::buildResultMenu() {
    getMoreButton = arrowButton("getmorebtn");
    resultMenu = new QMenu(getMoreButton);
    resultMenu->setObjectName(QStringLiteral("PopupMenu2"));
    getMoreButton->setMenu(resultMenu);
    if (QBoxLayout* box = boxHolding(ui_.mainPage->layout(), ui_.getButton))
        box->insertWidget(box->indexOf(ui_.getButton) + 1, getMoreButton);

    CaptureState& state = window_.state();
    QMenu* menu = resultMenu;
    // A capture command of its own: it keeps the controls' values in and out as Get does.
    connect(item(menu, "nGetAllTabs", QStringLiteral("Get from all tabs")), &QAction::triggered, &window_,
            [this] { window_.runGetAllTabs(); });
    menu->addSeparator();
    bind(item(menu, "N10", QStringLiteral("Copy Picture URLs")),
         [this, &state] { ResultCommands::CopyPictureUrls(state.table, desktop_); });
    bind(item(menu, "nCopyPicture", QStringLiteral("Copy Picture")), [this] { copyTickedPicture(); });
    bind(item(menu, "N16", QStringLiteral("Copy Link URLs")),
         [this, &state] { ResultCommands::CopyLinkUrls(state.table, desktop_); });
    bind(item(menu, "N17", QStringLiteral("Copy UBB Code")),
         [this, &state] { ResultCommands::CopyUbbCode(state.table, desktop_); });
    menu->addSeparator();
    const auto render = [this] { window_.renderPreview(); };
    bind(item(menu, "n20", QStringLiteral("Sort by URL Ascending")),
         [&state, render] { ResultCommands::SortByUrl(state, true, render); });
    bind(item(menu, "n21", QStringLiteral("Sort by URL Descending")),
         [&state, render] { ResultCommands::SortByUrl(state, false, render); });
    menu->addSeparator();
    bind(item(menu, "N2", QStringLiteral("Clear Result")),
         [this, &state] { ResultCommands::ClearResult(state, preview_, true); });
    bind(ui_.enhancedMenuClearResult,
         [this, &state] { ResultCommands::ClearResult(state, preview_, false); });
    menu->addSeparator();
    addCommentItems(
        menu, {"n23", "n24", "html1", "n25"},
        {QStringLiteral("Show or Hide Picture Comments"), QStringLiteral("Clear Comments"),
         QStringLiteral("Remove Comments HTML format"), QStringLiteral("Only Text and Pictures")});
}

void ResultsController::copyTickedPicture() {
    const std::optional<PreviewReadBack> page = PreviewReadBack::readForCommand(preview_, desktop_);
    if (!page)
        return;
    for (int v : page->checkedRows()) {
        // A picture whose load failed has unticked itself; one still ticked by then is skipped too.
        if (page->loadFailed[std::size_t(v)])
            continue;
        window_.pictures().copy(page->picUrl[v], page->pageUrl[v]);
        return;
    }
    desktop_.showMessage(kNoTickedPicture);
}

void ResultsController::buildCommentControls() {
    commentsLabel = new ClickableLabel(QStringLiteral("Comments"));
    commentsLabel->setObjectName(QStringLiteral("Label58"));
    commentsLabel->setToolTip(QStringLiteral("show or hide picture comments"));
    connect(commentsLabel, &ClickableLabel::clicked, this, [this] { run([this] { panel_.toggle(); }); });

    commentMenu = menuBeside(commentsLabel, "commentmorebtn", "commentPopupMenu", 6);
    addCommentItems(commentMenu, {"MenuItem9", "MenuItem10", "MenuItem11", "MenuItem12"},
                    {QStringLiteral("Show or Hide Comments"), QStringLiteral("Clear Comments"),
                     QStringLiteral("Remove HTML format"), QStringLiteral("Only Text and Pictures")});
}

void ResultsController::buildMoreMenu() {
    auto* label = new QLabel(QStringLiteral("More"));
    label->setObjectName(QStringLiteral("Label57"));
    specialMenu = menuBeside(label, "specialbtn", "specialPopupMenu", 7);

    CaptureState& state = window_.state();
    bind(item(specialMenu, "N33", QStringLiteral("Display pictures on origin webpage")), [this, &state] {
        OriginPage::Display(state.attached, preview_, ui_.hideOriginContentCheck->isChecked(), desktop_);
    });
    bind(item(specialMenu, "N34", QStringLiteral("Refresh origin webpage")),
         [&state] { OriginPage::Refresh(state.attached); });
    bind(item(specialMenu, "N35", QStringLiteral("Pictures invisible ?")),
         [this] { OriginPage::ShowInPreview(preview_, ui_.locationEdit->text()); });
    bind(item(specialMenu, "nN37", QStringLiteral("Restore preivew zone")),
         [this] { OriginPage::RestorePreview(preview_, window_.programDir().deliveredFile(kTemplate)); });
    bind(item(specialMenu, "N38", QStringLiteral("Show or hide preview zone scrollbar")),
         [this] { OriginPage::ToggleScrollBar(preview_, scrollToggleCount_); });
}

QMenu* ResultsController::menuBeside(QWidget* label, const char* buttonName, const char* menuName,
                                     int column) {
    QPushButton* button = arrowButton(buttonName);
    auto* menu = new QMenu(button);
    menu->setObjectName(QLatin1String(menuName));
    button->setMenu(menu);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(button);
    if (auto* grid = qobject_cast<QGridLayout*>(ui_.mainPage->layout()))
        grid->addLayout(row, 4, column);
    return menu;
}

void ResultsController::addCommentItems(QMenu* menu, const std::array<const char*, 4>& names,
                                        const QStringList& captions) {
    CaptureState& state = window_.state();
    bind(item(menu, names[0], captions[0]), [this] { panel_.toggle(); });
    bind(item(menu, names[1], captions[1]), [this] { CommentCommands::ClearComments(panel_); });
    bind(item(menu, names[2], captions[2]), [this] { CommentCommands::RemoveFormat(panel_); });
    bind(item(menu, names[3], captions[3]),
         [this, &state] { CommentCommands::OnlyTextAndPictures(panel_, state.table, desktop_); });
}

void ResultsController::hideCommentPanel() {
    run([this] { panel_.hide(); });
}

void ResultsController::onCommentPanel(const std::function<void(CommentPanel&)>& command) {
    run([this, &command] { command(panel_); });
}

void ResultsController::applyPanel() {
    ui_.commentPanel->setVisible(panelState_.visible);
    if (!panelState_.visible)
        return;
    const QList<int> sizes = ui_.zoneSplitter->sizes();
    const int total = sizes.size() == 2 ? sizes[0] + sizes[1] : 0;
    if (total > 0 && sizes[1] != panelState_.width)
        ui_.zoneSplitter->setSizes({qMax(total - panelState_.width, 0), panelState_.width});
    else if (total <= 0)
        ui_.zoneSplitter->setSizes(
            {qMax(ui_.zoneSplitter->width() - panelState_.width, 1), panelState_.width});
}

}  // namespace vorlaken
