#include "shell/MainWindow.h"

#include <cstdio>
#include <utility>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include "capture/PageBody.h"
#include "common/IniFile.h"
#include "common/Termination.h"
#include "common/UpgradeCommands.h"
#include "common/WelcomePage.h"
#include "platform/webzone/WebZone.h"
#include "shell/ButtonPairs.h"
#include "shell/ModesController.h"
#include "shell/PictureDragger.h"
#include "shell/PictureExport.h"
#include "shell/PictureUnderPoint.h"
#include "shell/PreviewPictureMenu.h"
#include "shell/ResultsController.h"
#include "shell/SaveController.h"
#include "shell/Skins.h"
#include "shell/StateBinding.h"
#include "shell/ToolbarButton.h"
#include "shell/WindowDragger.h"
#include "widgets/KeyboardAccess.h"
#include "widgets/WindowHandle.h"

namespace vorlaken {

namespace {

const QString kTemplate = QStringLiteral("grabnest.htm");
const QString kWarningPage = QStringLiteral("warngrabnest.htm");
const QString kSettingsFile = QStringLiteral("vorlaken.ini");
const QString kCategoriesFile = QStringLiteral("cat.txt");
const QString kSection = QStringLiteral("config");
// A zone that never reports a finished document must not hold the start-up forever.
constexpr int kDocumentWaitBoundMs = 15000;

}  // namespace

MainWindow::MainWindow(const ProgramDir& dir, BrowserFinder& finder, Desktop& desktop,
                       RunCacheFactory makeCache, ToolbarButtonRegistry& toolbarButtons, QWidget* parent)
    : QMainWindow(parent),
      dir_(dir),
      finder_(finder),
      toolbarButtons_(toolbarButtons),
      desktop_(desktop),
      getCommand_(finder, [this] { renderPreview(); }) {
    setObjectName(QStringLiteral("Tfrmgrabnest"));
    setWindowTitle(QStringLiteral("Vorlaken 8.1"));
    ui_.build(this);
    ShowButtonPairs(this, PairPanel::Main, 0);
    // The enhanced pages open on the auto-click page until a mode is chosen.
    ui_.modeTabs->setCurrentIndex(2);

    const QUrl base = QUrl::fromLocalFile(dir_.path());
    // Only the preview runs script, that of its template and of the page we write into it.
    previewZone_ = new WebZone(ui_.previewView, base, ZoneAccess::ownPageWithPictures());
    commentZone_ = new WebZone(ui_.commentView, base, ZoneAccess::contentOnly());
    welcomeZone_ = new WebZone(ui_.welcomeView, base, ZoneAccess::ownStaticPages());
    results_ = new ResultsController(*this, *previewZone_, *commentZone_);
    controls_ = std::make_unique<ControlAccess>(this, [this](const QString& name) { return zone(name); });
    saving_ = std::make_unique<SaveController>(SaveController::Parts{
        this, &ui_, &state_, &desktop_, &finder_, std::move(makeCache), previewZone_, commentZone_,
        dir_.writtenFile(kCategoriesFile), settingsPath(), dir_.deliveredFile(kTemplate), &commands_});
    modes_ = new ModesController(*this, *previewZone_, commands_);
    // A picture dragged or copied comes from where a save run would take it: the attached browser's
    // cache, else the network with that browser's cookies.
    pictures_ = std::make_unique<PictureExport>(
        desktop_, PictureExport::Sources{[this] { return saving_->currentCache(); },
                                         [this] { return state_.attached.get(); }});
    const PictureUnderPoint pointed(*previewZone_, dir_.deliveredFile(kTemplate));
    const auto find = [pointed](const QPoint& point) { return pointed.at(point); };
    pictureDragger_ = new PictureDragger(ui_.previewView, find, [this](const PointedPicture& picture) {
        return pictures_->dataFor(picture.pictureUrl, picture.pageUrl);
    });
    pictureMenu_ = new PreviewPictureMenu(ui_.previewView, find, [this](const PointedPicture& picture) {
        pictures_->copy(picture.pictureUrl, picture.pageUrl);
    });
    modes_->addSaveButtons(*saving_);

    dragger_ = new WindowDragger(this);
    for (QWidget* panel : ui_.dragPanels)
        dragger_->watch(panel);

    startupTimer_ = new QTimer(this);
    startupTimer_->setObjectName(QStringLiteral("Timer1"));
    startupTimer_->setSingleShot(true);
    startupTimer_->setInterval(1000);
    connect(startupTimer_, &QTimer::timeout, this, &MainWindow::onStartupTimer);

    showPanel(0);
    connectCommands();
    KeyboardAccess::addShortcuts(this, {ui_.helpPanelButton, ui_.getButton, ui_.saveButton});

    // The preview shows the template; the comment panel and the welcome zone start empty.
    previewZone_->setSilent(true);
    templateMissing_ = !QFileInfo(dir_.deliveredFile(kTemplate)).isFile();
    connect(previewZone_, &WebZone::documentComplete, this, [this] {
        documentComplete_ = true;
        emit documentCompleted();
    });
    previewZone_->navigate(dir_.deliveredFile(kTemplate));
    welcomeZone_->setSilent(true);
    welcomeZone_->navigate(QStringLiteral("about:blank"));
    commentZone_->setSilent(true);
    connect(commentZone_, &WebZone::documentComplete, this, [this] {
        documentComplete_ = true;
        emit documentCompleted();
    });
    commentZone_->navigate(QStringLiteral("about:blank"));

    loadSettings();
}

MainWindow::~MainWindow() = default;

Zone* MainWindow::zone(const QString& name) const {
    // Every web view of the window carries its zone, so zones added later are found by name too.
    auto* view = findChild<QWebEngineView*>(name);
    return view ? view->findChild<WebZone*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QString MainWindow::settingsPath() const {
    return dir_.writtenFile(kSettingsFile);
}

template <typename Command>
void MainWindow::runOnState(Command command) {
    StateBinding::toState(ui_, state_);
    command();
    StateBinding::toWidgets(state_, ui_);
}

void MainWindow::connectCommands() {
    connect(ui_.mainPanelButton, &QPushButton::clicked, this, [this] {
        showPanel(0);
        ShowButtonPairs(this, PairPanel::Main, 0);
    });
    connect(ui_.optionsPanelButton, &QPushButton::clicked, this, [this] {
        showPanel(1);
        ShowButtonPairs(this, PairPanel::Options, 0);
    });
    connect(ui_.helpPanelButton, &QPushButton::clicked, this, [this] { showPanel(3); });
    for (int mode = 0; mode < 5; ++mode)
        connect(ui_.enhancedMenuModes[mode], &QAction::triggered, this, [this, mode] { onModeItem(mode); });
    connect(ui_.enhancedMenuFilterPanel, &QAction::triggered, this,
            [this] { ui_.enhancedFilterPanel->setVisible(ui_.enhancedMenuFilterPanel->isChecked()); });

    connect(ui_.getButton, &QPushButton::clicked, this, &MainWindow::onGet);
    for (QCheckBox* option : {ui_.thumbnailCheck, ui_.originSizeCheck, ui_.showSizeCheck})
        connect(option, &QCheckBox::clicked, this, &MainWindow::onViewOption);
    connect(ui_.skinCombo, &QComboBox::activated, this, &MainWindow::onSkinChosen);
    connect(ui_.upgradeNowLabel, &ClickableLabel::clicked, this, [this] { upgrade().UpgradeNow(); });
    connect(ui_.showToolbarIconLabel, &ClickableLabel::clicked, this, [this] {
        ShowToolbarButton(dir_, QCoreApplication::applicationFilePath(), toolbarButtons_, desktop_);
    });
    connect(ui_.hideToolbarIconLabel, &ClickableLabel::clicked, this,
            [this] { HideToolbarButton(toolbarButtons_, desktop_); });
    connect(ui_.helpDemoLabel, &ClickableLabel::clicked, this,
            [this] { previewZone_->openInNewWindow(MakerSite(dir_.path()).helpPage()); });
}

UpgradeCommands MainWindow::upgrade() {
    return UpgradeCommands(UpgradeCommands::grabnest(), dir_, desktop_, WindowHandle(this));
}

void MainWindow::showPanel(int page) {
    ui_.panelTabs->setCurrentIndex(page);
}

void MainWindow::onModeItem(int mode) {
    for (int i = 0; i < 5; ++i)
        ui_.enhancedMenuModes[i]->setChecked(i == mode);
    ui_.modeTabs->setCurrentIndex(mode);
    showPanel(2);
    ui_.enhancedButton->setToolTip(QStringLiteral("selected: ") + ui_.enhancedMenuModes[mode]->text());
    ShowButtonPairs(this, PairPanel::Enhanced, mode);
}

void MainWindow::loadSettings() {
    IniFile file(settingsPath());
    file.load();
    const QScreen* screen = QGuiApplication::primaryScreen();
    settings_ = SettingsBinding::read(file, this, screen ? screen->availableGeometry() : QRect());
    Skins::apply(ui_.skinCombo->currentIndex());
    ui_.showSkin(ui_.skinCombo->currentIndex());
    saving_->load(settings_);
    setGeometry(settings_.geometry);
    file.writeBool(kSection, QStringLiteral("menuinit"), true);
    file.save();
}

void MainWindow::writeSettings() {
    // The file is read again so that lines of other writers (the remembered folder) are kept; it is
    // replaced whole, so a failed write leaves the previous file as it was.
    IniFile file(settingsPath());
    file.load();
    settings_.geometry = geometry();
    saving_->store(settings_);
    SettingsBinding::write(file, this, settings_);
    file.save();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShown_)
        return;
    firstShown_ = true;
    shownAtMs_ = QDateTime::currentMSecsSinceEpoch();
    KeyboardAccess::prepare(this);
    if (QScreen* screen = this->screen()) {
        // The stored size already fits the screen; now that the frame is known, the frame fits too.
        const QRect area = screen->availableGeometry();
        const QSize frameExtra = frameGeometry().size() - size();
        const QSize room = (area.size() - frameExtra).expandedTo(minimumSize());
        if (width() > room.width() || height() > room.height())
            resize(size().boundedTo(room));
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
    QTimer::singleShot(0, this, &MainWindow::onFirstShown);
}

void MainWindow::onFirstShown() {
    results_->hideCommentPanel();
    loadWelcomePage();
    waitForDocumentComplete();
    if (!templateMissing_) {
        ui_.getButton->setEnabled(true);
        startupTimer_->start();
    } else {
        showMissingTemplateWarning();
    }
}

bool MainWindow::waitForDocumentComplete() {
    if (documentComplete_)
        return true;
    QEventLoop loop;
    connect(this, &MainWindow::documentCompleted, &loop, &QEventLoop::quit);
    QTimer::singleShot(kDocumentWaitBoundMs, &loop, &QEventLoop::quit);
    Termination::quitOnTermination(loop);
    loop.exec();
    return documentComplete_;
}

void MainWindow::loadWelcomePage() {
    welcomeText_ = WelcomePageText(MakerSite(dir_.path()));
    try {
        welcomeZone_->loadHtml(welcomeText_);
    } catch (const AppError&) {
    }
}

void MainWindow::showMissingTemplateWarning() {
    const QString page = MissingTemplatePageText(MakerSite(dir_.path()));
    QFile file(dir_.writtenFile(kWarningPage));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(page.toUtf8()) >= 0) {
        file.close();
        previewZone_->navigate(file.fileName());
    } else {
        // Nowhere to write: the warning is shown all the same.
        previewZone_->loadHtml(page);
    }
}

void MainWindow::showAttachBrowserPage() {
    // Into the template's body, as a preview is written: the template stays for the pictures to come.
    try {
        PageBody(*previewZone_)->setInnerHtml(AttachBrowserPageText());
    } catch (const PageError&) {
    }
}

void MainWindow::onStartupTimer() {
    startupTimer_->stop();
    waitForDocumentComplete();
    try {
        commentZone_->document()->body()->setContentEditable(true);
    } catch (const PageError&) {
    }
    onGet();
    if (!state_.attached)
        showAttachBrowserPage();
    if (ui_.autoUpgradeCheck->isChecked())
        upgrade().UpgradeCheck(QDate::currentDate());
    startupDone_ = true;
    reportStartupTiming();
    emit startupCaptureFinished();
}

void MainWindow::reportStartupTiming() {
    if (qEnvironmentVariableIsSet("VORLAKEN_TIMING")) {
        std::fprintf(stderr, "grabnest_timing shown_epoch_ms %lld listed_epoch_ms %lld rows %d\n",
                     static_cast<long long>(shownAtMs_),
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()), state_.table.size());
        std::fflush(stderr);
    }
}

void MainWindow::onGet() {
    runGet(false);
}

void MainWindow::runGet(bool useEnhancedFilters) {
    runCapture([this, useEnhancedFilters] { getCommand_.Run(state_, useEnhancedFilters); });
}

void MainWindow::runGetAllTabs() {
    runCapture([this] { getCommand_.RunAllTabs(state_, false); });
}

template <typename Command>
void MainWindow::runCapture(Command command) {
    // The start-up timer or a script may ask while a capture or a save goes on: that one runs alone.
    if (commands_.busy())
        return;
    const CommandGuard::Hold running(commands_, {QStringLiteral("getbtn"), QStringLiteral("savebtn")});
    runOnState([this, &command] {
        // The capture waits for the browser with events let in: Get and Save show at once that they
        // are out of use until it ends.
        ui_.getButton->setEnabled(false);
        ui_.saveButton->setEnabled(false);
        command();
    });
}

void MainWindow::renderPreview() {
    PreviewOptions options;
    options.thumbnail = ui_.thumbnailCheck->isChecked();
    options.originSize = ui_.originSizeCheck->isChecked();
    options.showSize = ui_.showSizeCheck->isChecked();
    const CommentPanelState& comments = results_->commentPanelState();
    options.availableWidth =
        PreviewAvailableWidth(ui_.panelTabs->width(), style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                              comments.visible, comments.visible ? comments.width : 0);
    RenderPreview(state_, *previewZone_, options, kPreviewBgColor);
}

void MainWindow::onViewOption() {
    if (!ui_.getButton->isEnabled())
        return;
    runOnState([this] { renderPreview(); });
}

void MainWindow::onSkinChosen(int index) {
    if (index < 0 || index >= Skins::count())
        return;
    desktop_.minimizeApplication();
    Skins::apply(index);
    ui_.showSkin(index);
    showNormal();
}

void MainWindow::bringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !firstShown_)
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    const bool wasMinimized = change->oldState().testFlag(Qt::WindowMinimized);
    if (isMinimized() && !wasMinimized)
        welcomeZone_->navigate(QStringLiteral("about:blank"));
    else if (!isMinimized() && wasMinimized)
        loadWelcomePage();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A save under way would otherwise go on writing while the program winds down.
    if (saving_->state().running)
        saving_->state().closing = true;
    modes_->windowClosing();
    writeSettings();
    QMainWindow::closeEvent(event);
}

}  // namespace vorlaken
