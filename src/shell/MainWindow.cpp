#include "shell/MainWindow.h"

#include <cstdio>
#include <utility>

#include <QCloseEvent>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include "common/IniFile.h"
#include "common/Termination.h"
#include "common/WelcomePage.h"
#include "platform/webzone/WebZone.h"
#include "shell/ButtonPairs.h"
#include "shell/ResultsController.h"
#include "shell/SaveController.h"
#include "shell/Skins.h"
#include "shell/StateBinding.h"
#include "shell/UpgradeNow.h"
#include "shell/WindowDragger.h"

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
                       RunCacheFactory makeCache, QWidget* parent)
    : QMainWindow(parent), dir_(dir), finder_(finder), desktop_(desktop), getCommand_(finder, [this] {
          renderPreview();
      }) {
    setObjectName(QStringLiteral("Tfrmgrabnest"));
    setWindowTitle(QStringLiteral("Vorlaken 8.1"));
    ui_.build(this);
    ShowButtonPairs(this, PairPanel::Main, 0);

    const QUrl base = QUrl::fromLocalFile(dir_.path());
    // Only the preview runs script, that of its template and of the page we write into it.
    wb1_ = new WebZone(ui_.wb1, base, ZoneAccess::ownPageWithPictures());
    wb2_ = new WebZone(ui_.wb2, base, ZoneAccess::contentOnly());
    wbad_ = new WebZone(ui_.wbad, base, ZoneAccess::ownStaticPages());
    results_ = new ResultsController(*this, *wb1_, *wb2_);
    controls_ = std::make_unique<ControlAccess>(this, [this](const QString& name) { return zone(name); });
    saving_ = std::make_unique<SaveController>(SaveController::Parts{
        this, &ui_, &state_, &desktop_, &finder_, std::move(makeCache), wb1_, wb2_,
        dir_.writtenFile(kCategoriesFile), settingsPath(), dir_.deliveredFile(kTemplate), &commands_});

    dragger_ = new WindowDragger(this);
    for (QWidget* panel : ui_.dragPanels)
        dragger_->watch(panel);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setSingleShot(true);
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::onStartupTimer);

    showPanel(0);
    connectCommands();

    // The preview shows the template; the comment panel and the welcome zone start empty.
    wb1_->setSilent(true);
    templateMissing_ = !QFileInfo(dir_.deliveredFile(kTemplate)).isFile();
    connect(wb1_, &WebZone::documentComplete, this, [this] {
        documentComplete_ = true;
        emit documentCompleted();
    });
    wb1_->navigate(dir_.deliveredFile(kTemplate));
    wbad_->setSilent(true);
    wbad_->navigate(QStringLiteral("about:blank"));
    wb2_->setSilent(true);
    connect(wb2_, &WebZone::documentComplete, this, [this] {
        documentComplete_ = true;
        emit documentCompleted();
    });
    wb2_->navigate(QStringLiteral("about:blank"));

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
    connect(ui_.button1, &QPushButton::clicked, this, [this] {
        showPanel(0);
        ShowButtonPairs(this, PairPanel::Main, 0);
    });
    connect(ui_.button3, &QPushButton::clicked, this, [this] {
        showPanel(1);
        ShowButtonPairs(this, PairPanel::Options, 0);
    });
    connect(ui_.button4, &QPushButton::clicked, this, [this] { showPanel(3); });
    for (int mode = 0; mode < 5; ++mode)
        connect(ui_.modeItems[mode], &QAction::triggered, this, [this, mode] { onModeItem(mode); });
    connect(ui_.n51, &QAction::triggered, this, [this] { ui_.Panel15->setVisible(ui_.n51->isChecked()); });

    connect(ui_.getbtn, &QPushButton::clicked, this, &MainWindow::onGet);
    for (QCheckBox* option : {ui_.chkhorizontal, ui_.CheckBox1, ui_.whCheck})
        connect(option, &QCheckBox::clicked, this, &MainWindow::onViewOption);
    connect(ui_.cb1, &QComboBox::activated, this, &MainWindow::onSkinChosen);
    connect(ui_.Label59, &ClickableLabel::clicked, this,
            [this] { UpgradeNow(dir_, desktop_, static_cast<quint64>(winId())); });
    connect(ui_.Label11, &ClickableLabel::clicked, this,
            [this] { wb1_->openInNewWindow(MakerSite(dir_.path()).helpPage()); });
}

void MainWindow::showPanel(int page) {
    ui_.PageControl1->setCurrentIndex(page);
}

void MainWindow::onModeItem(int mode) {
    for (int i = 0; i < 5; ++i)
        ui_.modeItems[i]->setChecked(i == mode);
    ui_.PageControl11->setCurrentIndex(mode);
    showPanel(2);
    ShowButtonPairs(this, PairPanel::Enhanced, mode);
}

void MainWindow::loadSettings() {
    IniFile file(settingsPath());
    file.load();
    const QScreen* screen = QGuiApplication::primaryScreen();
    settings_ = SettingsBinding::read(file, this, screen ? screen->availableGeometry() : QRect());
    Skins::apply(ui_.cb1->currentIndex());
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
        ui_.getbtn->setEnabled(true);
        timer1_->start();
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
        wbad_->loadHtml(welcomeText_);
    } catch (const AppError&) {
    }
}

void MainWindow::showMissingTemplateWarning() {
    const QString page = MissingTemplatePageText(MakerSite(dir_.path()));
    QFile file(dir_.writtenFile(kWarningPage));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(page.toUtf8()) >= 0) {
        file.close();
        wb1_->navigate(file.fileName());
    } else {
        // Nowhere to write: the warning is shown all the same.
        wb1_->loadHtml(page);
    }
}

void MainWindow::onStartupTimer() {
    timer1_->stop();
    waitForDocumentComplete();
    try {
        wb2_->document()->body()->setContentEditable(true);
    } catch (const PageError&) {
    }
    onGet();
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
    // The start-up timer or a script may ask while a capture or a save goes on: that one runs alone.
    if (commands_.busy())
        return;
    const CommandGuard::Hold running(commands_, {QStringLiteral("getbtn"), QStringLiteral("savebtn")});
    runOnState([this] {
        // The capture waits for the browser with events let in: Get and Save show at once that they
        // are out of use until it ends.
        ui_.getbtn->setEnabled(false);
        ui_.savebtn->setEnabled(false);
        getCommand_.run(state_, false);
    });
}

void MainWindow::renderPreview() {
    PreviewOptions options;
    options.thumbnail = ui_.chkhorizontal->isChecked();
    options.originSize = ui_.CheckBox1->isChecked();
    options.showSize = ui_.whCheck->isChecked();
    const CommentPanelState& comments = results_->commentPanelState();
    options.availableWidth =
        PreviewAvailableWidth(ui_.PageControl1->width(), style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                              comments.visible, comments.visible ? comments.width : 0);
    RenderPreview(state_, *wb1_, options, kPreviewBgColor);
    emit previewRendered();
}

void MainWindow::onViewOption() {
    if (!ui_.getbtn->isEnabled())
        return;
    runOnState([this] { renderPreview(); });
}

void MainWindow::onSkinChosen(int index) {
    if (index < 0 || index >= Skins::count())
        return;
    desktop_.minimizeApplication();
    Skins::apply(index);
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
        wbad_->navigate(QStringLiteral("about:blank"));
    else if (!isMinimized() && wasMinimized)
        loadWelcomePage();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A save under way would otherwise go on writing while the program winds down.
    if (saving_->state().running)
        saving_->state().closing = true;
    writeSettings();
    QMainWindow::closeEvent(event);
}

}  // namespace vorlaken
