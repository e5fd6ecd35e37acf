#include "shell/ModesController.h"

#include <QLocale>
#include <QSignalBlocker>

#include "modes/IntervalRun.h"
#include "modes/LinkHarvest.h"
#include "modes/MultipageRun.h"
#include "modes/MultipageSteps.h"
#include "modes/OriginUrls.h"
#include "modes/PictureLinks.h"
#include "platform/webzone/WebZone.h"
#include "results/ResultCommands.h"
#include "shell/CommandGuard.h"
#include "shell/MainWindow.h"
#include "shell/MemoMenu.h"
#include "shell/ModesBinding.h"
#include "shell/SaveController.h"
#include "shell/StartCompanion.h"
#include "shell/StateBinding.h"

namespace vorlaken {

namespace {

// What a run takes out of use until it ends: the button bar and its menu, and every Get and Save.
// "stop", the list and its tools stay in use.
const QStringList kLockedWhileRunning = {
    QStringLiteral("button1"),  QStringLiteral("button2"),      QStringLiteral("button3"),
    QStringLiteral("button4"),  QStringLiteral("N3"),           QStringLiteral("N4"),
    QStringLiteral("N5"),       QStringLiteral("N6"),           QStringLiteral("N7"),
    QStringLiteral("N9"),       QStringLiteral("getbtn"),       QStringLiteral("savebtn"),
    QStringLiteral("aabtn"),    QStringLiteral("saveaaBtn"),    QStringLiteral("Label64"),
    QStringLiteral("Label65"),  QStringLiteral("ccbtn"),        QStringLiteral("saveccbtn"),
    QStringLiteral("clickbtn"), QStringLiteral("saveclickbtn"), QStringLiteral("btn11"),
    QStringLiteral("btn12"),    QStringLiteral("rrbtn"),        QStringLiteral("saverrbtn")};

}  // namespace

ModesController::ModesController(MainWindow& window, Zone& preview, CommandGuard& commands)
    : QObject(&window), window_(window), ui_(window.ui()), preview_(preview), commands_(commands) {
    pages_.build(ui_);
    // The scratch page shows what is dropped and nothing else; it never runs or loads a thing.
    scratchZone_ = new WebZone(pages_.scratchView, QUrl(), ZoneAccess::scratch());
    scratchZone_->setSilent(true);
    scratchZone_->navigate(QStringLiteral("about:blank"));
    memoMenu_ = new MemoMenu(window.desktop(), &window);
    memoMenu_->attach(pages_.urlList);
    bindStop(pages_.multipageStopCheck, multipageStop_);
    bindStop(pages_.intervalStopCheck, intervalStop_);
    connectCommands();
    ModesBinding::toWidgets(modes_, pages_, ui_);
}

Zone& ModesController::scratchZone() {
    return *scratchZone_;
}

void ModesController::bindStop(QCheckBox* box, StopSwitch& stop) {
    connect(box, &QCheckBox::toggled, &stop, &StopSwitch::setTicked);
    connect(&stop, &StopSwitch::toggled, box, [box](bool ticked) {
        const QSignalBlocker quiet(box);
        box->setChecked(ticked);
    });
}

void ModesController::addSaveButtons(SaveController& saving) {
    saving.addSaveButton(pages_.multipageSaveButton, pages_.multipageSavedLabel,
                         &modes_.multipage.savedLabel);
    saving.addSaveButton(pages_.intervalSaveButton, pages_.intervalSavedLabel, &modes_.interval.savedLabel);
    saving.addSaveButton(pages_.autoClickSaveButton, pages_.autoClickSavedLabel, &modes_.autoClickSavedLabel);
    saving.addSaveButton(pages_.popupSaveButton, pages_.popupSavedLabel, &modes_.popupSavedLabel);
    saving.addSaveButton(pages_.urlPageSaveButton, pages_.urlPageSavedLabel, &modes_.urlPageSavedLabel);
}

void ModesController::windowClosing() {
    modes_.closing = true;
    // Wakes a run in its wait; it ends at its next step.
    if (modes_.multipage.running)
        multipageStop_.setTicked(true);
    if (modes_.interval.running)
        intervalStop_.setTicked(true);
}

template <typename Command>
void ModesController::runOnPages(Command command) {
    ModesBinding::toState(pages_, modes_);
    command();
    ModesBinding::toWidgets(modes_, pages_, ui_);
    modes_.multipage.focusUrlList = false;
}

template <typename Run>
void ModesController::runMode(Run run) {
    // A run starts only when no other command goes on; a click that still reaches here does nothing.
    if (commands_.busy())
        return;
    const CommandGuard::Hold running(commands_, kLockedWhileRunning);
    CaptureState& capture = window_.state();
    StateBinding::toState(ui_, capture);
    ModesBinding::toState(pages_, modes_);
    shownCapture_ = capture;
    shownModes_ = modes_;
    RunServices runServices = services();
    run(runServices, capture);
    StateBinding::changesToWidgets(capture, shownCapture_, ui_);
    ModesBinding::changesToWidgets(modes_, shownModes_, pages_, ui_);
    emit runFinished();
}

RunServices ModesController::services() {
    RunServices s;
    s.finder = &window_.finder();
    s.desktop = &window_.desktop();
    s.renderPreview = [this] { window_.renderPreview(); };
    s.clearResult = [this] { ResultCommands::ClearResult(window_.state(), preview_, false); };
    s.refresh = [this] { refresh(); };
    s.secondMs = secondMs_;
    return s;
}

void ModesController::refresh() {
    CaptureState& capture = window_.state();
    StateBinding::changesToWidgets(capture, shownCapture_, ui_);
    ModesBinding::changesToWidgets(modes_, shownModes_, pages_, ui_);
    StateBinding::toState(ui_, capture);
    shownCapture_ = capture;
    ModesBinding::toState(pages_, modes_);
    shownModes_ = modes_;
}

void ModesController::connectCommands() {
    connect(pages_.multipageGetButton, &QPushButton::clicked, this, [this] {
        runMode([this](RunServices& s, CaptureState& capture) {
            MultipageRun(s).Run(capture, modes_, multipageStop_);
        });
    });
    connect(pages_.intervalGetButton, &QPushButton::clicked, this, [this] {
        runMode([this](RunServices& s, CaptureState& capture) {
            IntervalRun(s, QLocale()).Run(capture, modes_, intervalStop_);
        });
    });
    connect(pages_.urlListStepLabel, &ClickableLabel::clicked, this,
            [this] { runOnPages([this] { MultipageSteps::ShowUrlList(modes_.multipage); }); });
    connect(pages_.runStepLabel, &ClickableLabel::clicked, this, [this] {
        runOnPages([this] { MultipageSteps::ShowRunControls(modes_.multipage, window_.desktop()); });
    });
    connect(pages_.linkToPictureLabel, &ClickableLabel::clicked, this, [this] {
        runOnPages([this] {
            OriginUrls::Show(window_.state().attached, modes_.multipage.urlList,
                             ui_.hideOriginContentCheck->isChecked());
        });
    });
    connect(pages_.pictureLinksLabel, &ClickableLabel::clicked, this, [this] {
        runOnPages([this] {
            if (const std::optional<QString> list =
                    PictureLinks::OfCheckedPictures(preview_, window_.desktop()))
                modes_.multipage.urlList = *list;
        });
    });
    connect(pages_.dropZone, &DropPanel::dropped, this, &ModesController::onDrop);
    connect(pages_.linkFinderLabel, &ClickableLabel::clicked, this,
            [this] { StartCompanion(window_.programDir(), QStringLiteral("hrefsift"), window_.desktop()); });
    connect(pages_.cacheViewerLabel, &ClickableLabel::clicked, this,
            [this] { StartCompanion(window_.programDir(), QStringLiteral("tidecove"), window_.desktop()); });
}

void ModesController::onDrop(const QMap<QString, QByteArray>& formats) {
    runOnPages([this, &formats] {
        const DropContent drop = DroppedData::read(formats);
        const QStringList links = LinkHarvest::Harvest(
            drop, {modes_.multipage.includeItself, modes_.multipage.scriptLinks}, *scratchZone_);
        modes_.multipage.urlList = LinkHarvest::appendNew(modes_.multipage.urlList, links);
    });
}

}  // namespace vorlaken
