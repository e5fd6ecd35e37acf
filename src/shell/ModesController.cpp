#include "shell/ModesController.h"

#include <QKeyEvent>
#include <QLocale>
#include <QSignalBlocker>

#include "modes/AutoClickRun.h"
#include "modes/AutoClickSteps.h"
#include "modes/CheckedPictures.h"
#include "modes/IntervalRun.h"
#include "modes/LinkHarvest.h"
#include "modes/MultipageRun.h"
#include "modes/MultipageSteps.h"
#include "modes/NavigableUrl.h"
#include "modes/OnclickUrls.h"
#include "modes/OriginUrls.h"
#include "modes/PictureLinks.h"
#include "modes/PopupSteps.h"
#include "modes/ReferenceValues.h"
#include "modes/UrlPage.h"
#include "modes/VirtualKeys.h"
#include "platform/webzone/WebZone.h"
#include "results/ResultCommands.h"
#include "shell/ButtonPairs.h"
#include "shell/CommandGuard.h"
#include "shell/MainWindow.h"
#include "shell/MemoMenu.h"
#include "shell/ModesBinding.h"
#include "shell/ResultsController.h"
#include "shell/SaveController.h"
#include "shell/SerialDialog.h"
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
    memoMenu_->attach(pages_.smallPictureList);
    memoMenu_->attach(pages_.replaceList);
    bindStop(pages_.multipageStopCheck, multipageStop_);
    bindStop(pages_.intervalStopCheck, intervalStop_);
    bindStop(pages_.clickStopCheck, autoClickStop_);
    pages_.navigateKeyEdit->installEventFilter(this);
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
    saving.addSaveButton(pages_.autoClickSaveButton, pages_.autoClickSavedLabel,
                         &modes_.autoClick.savedLabel);
    saving.addSaveButton(pages_.popupSaveButton, pages_.popupSavedLabel, &modes_.popup.savedLabel);
    saving.addSaveButton(pages_.urlPageSaveButton, pages_.urlPageSavedLabel, &modes_.urlPage.savedLabel);
}

void ModesController::windowClosing() {
    modes_.closing = true;
    // Wakes a run in its wait; it ends at its next step.
    if (modes_.multipage.running)
        multipageStop_.setTicked(true);
    if (modes_.interval.running)
        intervalStop_.setTicked(true);
    if (modes_.autoClick.running)
        autoClickStop_.setTicked(true);
}

template <typename Command>
void ModesController::runOnPages(Command command) {
    ModesBinding::toState(pages_, modes_);
    const int clickStep = modes_.autoClick.step;
    command();
    ModesBinding::toWidgets(modes_, pages_, ui_);
    modes_.multipage.focusUrlList = false;
    modes_.autoClick.focus.clear();
    if (modes_.autoClick.step != clickStep)
        showAutoClickPair();
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
    connectAutoClick();
    connectPopup();
    connectUrlPage();
}

void ModesController::showAutoClickPair() {
    if (ui_.panelTabs->currentIndex() == 2 && ui_.modeTabs->currentIndex() == 2)
        ShowButtonPairs(&window_, PairPanel::Enhanced, 2);
}

void ModesController::showInCommentPanel(const QString& html) {
    window_.results().onCommentPanel([&html](CommentPanel& panel) {
        panel.showWide();
        panel.write(html);
    });
}

bool ModesController::busy() const {
    // The commands that work on the attached page wait while a run or a capture goes on in it.
    return commands_.busy();
}

BrowserPtr ModesController::attachedBrowser() {
    CaptureState& capture = window_.state();
    if (!capture.attached)
        capture.attached = window_.finder().discover();
    return capture.attached;
}

void ModesController::connectAutoClick() {
    connect(pages_.ways, &QButtonGroup::idClicked, this, [this](int way) {
        runOnPages([this, way] { AutoClickSteps::ChooseWay(modes_.autoClick, ClickWay(way)); });
    });
    connect(pages_.waysStepLabel, &ClickableLabel::clicked, this,
            [this] { runOnPages([this] { AutoClickSteps::ShowWays(modes_.autoClick); }); });
    connect(pages_.clickRunStepLabel, &ClickableLabel::clicked, this,
            [this] { runOnPages([this] { AutoClickSteps::ShowRun(modes_.autoClick, window_.desktop()); }); });
    connect(pages_.fillSmallPicturesLabel, &ClickableLabel::clicked, this, [this] {
        runOnPages([this] {
            if (const std::optional<QString> list = CheckedPictures::Fill(preview_, window_.desktop()))
                modes_.autoClick.smallPictures = *list;
        });
    });
    connect(pages_.autoClickGetButton, &QPushButton::clicked, this, [this] {
        runMode([this](RunServices& s, CaptureState& capture) {
            AutoClickRun(s).Run(capture, modes_, autoClickStop_);
        });
        showAutoClickPair();
    });
    connect(pages_.referenceValuesLabel, &ClickableLabel::clicked, this,
            &ModesController::showReferenceValues);
    connect(pages_.hideReferenceLabel, &ClickableLabel::clicked, this,
            [this] { window_.results().onCommentPanel([](CommentPanel& panel) { panel.hide(); }); });
    connect(pages_.invisibleLabel, &ClickableLabel::clicked, this, [this] {
        if (busy())
            return;
        const BrowserPtr browser = window_.finder().discover();
        if (!browser)
            return;
        window_.state().attached = browser;
        QString location;
        try {
            location = browser->locationUrl();
        } catch (const PageError&) {
            return;
        }
        // The panel shows the page itself, so that its pictures load as the browser loaded them; a
        // page address of another kind is not opened in the program's own zone.
        if (!IsNavigable(location)) {
            window_.desktop().showMessage(NotNavigatedMessage({location}));
            return;
        }
        window_.results().onCommentPanel([&location](CommentPanel& panel) {
            try {
                panel.zone().navigate(location);
            } catch (const PageError&) {
            }
        });
    });
}

void ModesController::showReferenceValues() {
    if (busy())
        return;
    runOnPages([this] {
        const BrowserPtr browser = window_.finder().discover();
        if (!browser)
            return;
        window_.state().attached = browser;
        AutoClickState& page = modes_.autoClick;
        const ReferenceValues found = ReferenceValues::Collect(*browser, page.linkKind, modes_.linkCode);
        page.linkItems = found.values;
        showInCommentPanel(found.panelHtml(page.linkKind, modes_.linkCode.viewCode));
    });
}

void ModesController::connectPopup() {
    connect(pages_.smallPicturesStepLabel, &ClickableLabel::clicked, this, [this] {
        if (busy())
            return;
        window_.runGet(false);
        runOnPages([this] { PopupSteps::AfterSmallPictures(modes_.popup, window_.state().saveEnabled); });
    });
    connect(pages_.bigUrlsStepLabel, &ClickableLabel::clicked, this, [this] {
        if (busy())
            return;
        runOnPages([this] {
            pages_.bigUrlsStepLabel->setEnabled(false);
            const BrowserPtr browser = attachedBrowser();
            PopupSteps::FindBigPictures(modes_.popup, preview_, browser.get(), window_.desktop());
        });
    });
    connect(pages_.displayStepLabel, &ClickableLabel::clicked, this, [this] {
        if (busy())
            return;
        runOnPages([this] {
            pages_.displayStepLabel->setEnabled(false);
            PopupSteps::ShowOnOriginPage(modes_.popup, window_.state().attached,
                                         ui_.hideOriginContentCheck->isChecked(), window_.desktop());
        });
    });
    connect(pages_.popupGetButton, &QPushButton::clicked, this, [this] {
        if (busy())
            return;
        window_.runGet(true);
        runOnPages([this] {
            const CaptureState& capture = window_.state();
            PopupSteps::AfterGet(modes_.popup, int(capture.table.size()), capture.saveEnabled);
        });
    });
    connect(pages_.showBigUrlsLabel, &ClickableLabel::clicked, this, [this] {
        runOnPages([this] { showInCommentPanel(PopupSteps::listHtml(modes_.popup.bigUrls)); });
    });
    connect(pages_.hideBigUrlsLabel, &ClickableLabel::clicked, this,
            [this] { window_.results().onCommentPanel([](CommentPanel& panel) { panel.hide(); }); });
    connect(pages_.copyBigUrlsLabel, &ClickableLabel::clicked, this, [this] {
        pages_.bigUrlList->selectAll();
        window_.desktop().setClipboardText(pages_.bigUrlList->toPlainText());
    });
}

void ModesController::connectUrlPage() {
    connect(pages_.replaceLabel, &ClickableLabel::clicked, this,
            [this] { runOnPages([this] { UrlPage::Replace(modes_.urlPage, window_.desktop()); }); });
    connect(pages_.currentUrlsLabel, &ClickableLabel::clicked, this, [this] {
        runOnPages([this] {
            modes_.urlPage.urls.clear();
            modes_.urlPage.urls = CheckedPictures::Fill(preview_, window_.desktop()).value_or(QString());
        });
    });
    connect(pages_.onclickUrlsLabel, &ClickableLabel::clicked, this, [this] {
        if (busy())
            return;
        runOnPages([this] {
            const BrowserPtr browser = attachedBrowser();
            if (const std::optional<QStringList> lines =
                    OnclickUrls::Extract(preview_, browser.get(), window_.desktop()))
                modes_.urlPage.urls = lines->join(u'\n');
        });
    });
    connect(pages_.builderLabel, &ClickableLabel::clicked, this, &ModesController::openBuilder);
    connect(pages_.displayUrlsLabel, &ClickableLabel::clicked, this, [this] {
        if (busy())
            return;
        runOnPages([this] {
            UrlPage::Display(modes_.urlPage, window_.state().attached,
                             ui_.hideOriginContentCheck->isChecked(), window_.desktop());
        });
    });
    connect(pages_.urlPageGetButton, &QPushButton::clicked, this, [this] {
        if (busy())
            return;
        window_.runGet(true);
        runOnPages([this] {
            const CaptureState& capture = window_.state();
            modes_.urlPage.countLabel =
                QStringLiteral("Get pictures:") + QString::number(capture.table.size());
            modes_.urlPage.saveEnabled = capture.saveEnabled;
        });
    });
}

void ModesController::openBuilder() {
    // Modal to the window, without a loop of its own: a script drives it by its controls' names
    // (TfrmSerial.Button1 ...) while it is open, and a user sees an ordinary modal dialog.
    // One builder at a time: a script that asks again meets the one that is open.
    for (SerialDialog* open : window_.findChildren<SerialDialog*>(QString(), Qt::FindDirectChildrenOnly)) {
        // One that was closed is only waiting to be deleted.
        if (open->isVisible()) {
            open->raise();
            return;
        }
    }
    auto* dialog = new SerialDialog(window_.desktop(), &window_);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const QString urls = dialog->builtUrls();
        runOnPages([this, &urls] { modes_.urlPage.urls = urls; });
    });
    dialog->open();
}

bool ModesController::eventFilter(QObject* watched, QEvent* event) {
    // chareditKeyDown: the key pressed in the key box is written as its code.
    if (watched == pages_.navigateKeyEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (const int code = VirtualKeyOf(key->key(), key->text()))
            pages_.keyCodeEdit->setText(QString::number(code));
    }
    return QObject::eventFilter(watched, event);
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
