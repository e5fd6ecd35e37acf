#include "shell/SaveController.h"

#include <QUrl>

#include "save/Categories.h"
#include "save/TargetFolder.h"
#include "shell/CategoryDialog.h"
#include "shell/MainWindowUi.h"
#include "shell/SaveBinding.h"
#include "shell/SettingsBinding.h"
#include "shell/StateBinding.h"
#include "widgets/BusModeDesktop.h"

namespace vorlaken {

namespace {

// A save run takes the main page's Get and Save out of use.
const QStringList kLockedWhileSaving = {QStringLiteral("getbtn"), QStringLiteral("savebtn")};

}  // namespace

SaveController::SaveController(const Parts& parts, QObject* parent)
    : QObject(parent),
      parts_(parts),
      ui_(*parts.ui),
      capture_(*parts.capture),
      progress_(new SaveProgressWindow(parts.window)),
      settingsFile_(parts.settingsFile) {
    // The category names become the captions exactly, so the menu gets no accelerators of its own.
    categoryMenu_ = new QMenu(parts_.window);
    categoryMenu_->setObjectName(QStringLiteral("catPopup"));
    saveMenuOpenIndexPage_ = new QAction(QStringLiteral("Open local webpage"), ui_.saveMenu);
    saveMenuOpenIndexPage_->setObjectName(QStringLiteral("N30"));
    ui_.saveMenu->insertAction(ui_.saveMenuRememberFolder, saveMenuOpenIndexPage_);

    services_.desktop = parts_.desktop;
    services_.progress = progress_;
    connect(progress_, &SaveProgressWindow::openFolderRequested, this, [this](const QString& folder) {
        if (!parts_.desktop->openPath(folder))
            parts_.desktop->showMessage(QStringLiteral("The folder %1 could not be opened.").arg(folder));
    });
    services_.previewZone = parts_.previewZone;
    if (!parts_.previewTemplate.isEmpty())
        services_.previewLocation = QUrl::fromLocalFile(parts_.previewTemplate).toString();
    services_.settings = &settingsFile_;
    // At the bottom-left corner of the button that was pressed.
    services_.popCategoryMenu = [this] {
        QPushButton* at = active_.button ? active_.button : ui_.saveButton;
        categoryMenu_->popup(at->mapToGlobal(at->rect().bottomLeft()));
    };
    services_.refresh = [this] { refreshWindow(); };

    addSaveButton(ui_.saveButton, ui_.savedLabel, &capture_.savedLabel);
    connect(ui_.saveMenuChooseFolder, &QAction::triggered, this, [this] {
        runOnState([this] {
            settingsFile_.load();
            ChooseSaveFolder(save_, *parts_.desktop, &settingsFile_);
        });
    });
    connect(ui_.saveMenuOpenFolder, &QAction::triggered, this,
            [this] { runOnState([this] { OpenLocalFolder(save_, *parts_.desktop); }); });
    connect(saveMenuOpenIndexPage_, &QAction::triggered, this,
            [this] { runOnState([this] { OpenLocalWebpage(save_, *parts_.desktop); }); });
    // N32 is a check item: its tick is KeepFolder, carried by the binding.
    connect(ui_.forceExtensionCheck, &QCheckBox::clicked, this,
            [this](bool ticked) { runOnState([this, ticked] { ClickForceExtension(save_, ticked); }); });
    connect(ui_.autoRecogniseCheck, &QCheckBox::clicked, this,
            [this](bool ticked) { runOnState([this, ticked] { ClickAutoRecognise(save_, ticked); }); });
    connect(ui_.categoryEditorLabel, &ClickableLabel::clicked, this, &SaveController::onEditCategories);
}

SaveController::~SaveController() = default;

void SaveController::addSaveButton(QPushButton* button, QLabel* label, QString* counter) {
    const SaveButton pressed{button, label, counter};
    connect(button, &QPushButton::clicked, this, [this, pressed] { onSave(pressed); });
}

void SaveController::load(const WindowSettings& settings) {
    save_.saveFolder = settings.saveFolder;
    save_.categoriesOn = settings.categoriesOn;
    Categories::load(save_, parts_.catFile);
    buildCategoryMenu();
    SaveBinding::toState(ui_, save_);
    SaveBinding::toWidgets(save_, ui_);
}

void SaveController::store(WindowSettings& settings) const {
    settings.saveFolder = save_.saveFolder;
    settings.categoriesOn = save_.categoriesOn;
}

template <typename Command>
void SaveController::runOnState(Command command) {
    StateBinding::toState(ui_, capture_);
    SaveBinding::toState(ui_, save_);
    command();
    StateBinding::toWidgets(capture_, ui_);
    SaveBinding::toWidgets(save_, ui_);
}

template <typename Command>
void SaveController::runSaving(Command command) {
    StateBinding::toState(ui_, capture_);
    SaveBinding::toState(ui_, save_);
    shown_ = capture_;
    command();
    StateBinding::changesToWidgets(capture_, shown_, ui_);
}

void SaveController::refreshWindow() {
    // The run changes the counter, Get and Save, and the title it cleaned; nothing the user types.
    StateBinding::changesToWidgets(capture_, shown_, ui_);
    showCounter();
}

void SaveController::showCounter() {
    if (!active_.label)
        return;
    active_.label->setText(*active_.counter);
    active_.label->repaint();
}

void SaveController::applyWindowRequests() {
    if (save_.showFirstPage)
        ui_.panelTabs->setCurrentIndex(0);
    if (save_.focusTitle)
        ui_.titleCombo->setFocus();
    save_.showFirstPage = false;
    save_.focusTitle = false;
}

void SaveController::ensureCache() {
    // A fresh listing for every run, so each run walks the cache at most once and sees what the browser
    // cached since the last one. A run still going on keeps the cache it works with.
    if (save_.running)
        return;
    // Only the browser the capture attached to counts: another browser's profile would be a guess.
    cache_ = parts_.makeCache(parts_.finder->attachedProfile(), capture_.locationText);
}

BrowserCache* SaveController::currentCache() {
    ensureCache();
    return cache_.get();
}

void SaveController::prepareServices() {
    ensureCache();
    services_.cache = cache_.get();
    services_.comments.visible = ui_.commentPanel->isVisibleTo(parts_.window);
    services_.comments.zone = parts_.commentZone;
    settingsFile_.load();
}

bool SaveController::refusedWhileBusy() {
    // A Save that reaches here while a capture or a run goes on (automation, a queued click) only
    // beeps, as a disabled Save button does.
    if (!parts_.commands->busy())
        return false;
    parts_.desktop->beep();
    return true;
}

void SaveController::onSave(const SaveButton& pressed) {
    if (refusedWhileBusy())
        return;
    const CommandGuard::Hold running(*parts_.commands, kLockedWhileSaving);
    active_ = pressed;
    runSaving([this, &pressed] {
        prepareServices();
        StartSave(capture_, save_, services_, pressed.button->isEnabled(), *pressed.counter);
        applyWindowRequests();
    });
    showCounter();
    // With the category menu up, the run belongs to this button once a category is chosen.
    if (save_.pendingSaveLabel == pressed.counter)
        pending_ = pressed;
    active_ = SaveButton();
    emit saveFinished();
}

void SaveController::onCategoryChosen(QAction* item) {
    categoryMenu_->hide();
    if (refusedWhileBusy())
        return;
    const CommandGuard::Hold running(*parts_.commands, kLockedWhileSaving);
    // A choice no Save button led to (a script's) counts on the main page's label.
    active_ = save_.pendingSaveLabel && save_.pendingSaveLabel == pending_.counter
                  ? pending_
                  : SaveButton{ui_.saveButton, ui_.savedLabel, &capture_.savedLabel};
    runSaving([this, item] {
        prepareServices();
        ChooseCategory(capture_, save_, services_, item->text());
        applyWindowRequests();
    });
    showCounter();
    save_.pendingSaveLabel = nullptr;
    pending_ = SaveButton();
    active_ = SaveButton();
    emit saveFinished();
}

void SaveController::buildCategoryMenu() {
    categoryMenu_->clear();
    const QStringList captions = Categories::menuCaptions(save_.categories);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        QAction* item = categoryMenu_->addAction(captions[i]);
        // Scripts choose an item by its category name.
        item->setData(save_.categories[i]);
        connect(item, &QAction::triggered, this, [this, item] { onCategoryChosen(item); });
    }
}

void SaveController::onEditCategories() {
    SaveBinding::toState(ui_, save_);
    bool accepted = false;
    if (parts_.desktop->inBusCall()) {
        // A bus call never opens a modal window: the editor runs on the stored list and takes the
        // script's answer ("ok" applies and writes it cleaned, anything else is Cancel).
        CategoryEditor editor(save_.categoriesOn);
        editor.loadFile(parts_.catFile);
        if (parts_.desktop->ask(QStringLiteral("Picture Category"), QStringLiteral("Picture Category"),
                                Desktop::Buttons::OkCancel) == Desktop::Answer::Ok)
            accepted = editor.Confirm(save_, *parts_.desktop, parts_.catFile);
    } else {
        CategoryDialog dialog(save_, *parts_.desktop, parts_.catFile, parts_.window);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (accepted && save_.categoriesOn)
        buildCategoryMenu();
    SaveBinding::toWidgets(save_, ui_);
}

}  // namespace vorlaken
