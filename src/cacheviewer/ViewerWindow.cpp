#include "ViewerWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>
#include <QUrl>

#include "cacheviewer/CacheClearing.h"
#include "cacheviewer/LoadedZone.h"
#include "cacheviewer/PictureList.h"
#include "cacheviewer/ShownCommands.h"
#include "cacheviewer/ViewerSettings.h"
#include "common/IniFile.h"
#include "common/UpgradeCommands.h"
#include "common/WelcomePage.h"
#include "platform/webzone/WebZone.h"
#include "widgets/ClickableLabel.h"
#include "widgets/KeyboardAccess.h"
#include "widgets/WindowHandle.h"

namespace vorlaken {

namespace {

const QString kSettingsFile = QStringLiteral("tidecove.ini");

}  // namespace

ViewerWindow::ViewerWindow(const ProgramDir& programDir, std::unique_ptr<BrowserCache> cache,
                           Desktop& desktop, QWidget* parent)
    : QWidget(parent),
      programDir_(programDir),
      desktop_(desktop),
      cache_(std::move(cache)),
      cacheComponent_(cache_.get()) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Tidewell 1.3 - ") + MakerSite::name());
    ui_.build(this);
    const QUrl base = QUrl::fromLocalFile(programDir_.path());
    // The show-all page is ours and shows cached files through <img>, which never runs a picture's
    // script; the preview opens cached files and web addresses themselves, so nothing runs there.
    shownZone_ = new WebZone(ui_.shownView, base, ZoneAccess::ownPageWithLocalPictures());
    previewZone_ = new WebZone(ui_.previewView, base, ZoneAccess::contentOnly());
    shownZone_->setParent(this);
    shownLoaded_ = std::make_unique<LoadedZone>(*shownZone_);
    previewZone_->setParent(this);
    loadSettings();
    setGeometry(state_.geometry);
    state_.currentTab = ViewerState::InitialSelected;
    if (!cacheComponent_.LibraryFound()) {
        state_.cacheNote = cacheComponent_.StatusNote();  // no cache at all: said before the first listing
    }
    pushState();
    shownZone_->navigate(QStringLiteral("about:blank"));
    previewZone_->navigate(QStringLiteral("about:blank"));
    upgradeTimer_.setSingleShot(true);
    upgradeTimer_.setInterval(2000);
    connect(&upgradeTimer_, &QTimer::timeout, this, &ViewerWindow::onUpgradeTimer);
    connectCommands();
    KeyboardAccess::addShortcuts(this, {ui_.helpButton, ui_.listPictureButton, ui_.saveButton});
}

ViewerWindow::~ViewerWindow() = default;

Zone* ViewerWindow::zone(const QString& name) const {
    if (name == QLatin1String("wb1")) {
        return shownZone_;
    }
    if (name == QLatin1String("wb2")) {
        return previewZone_;
    }
    return nullptr;
}

void ViewerWindow::loadSettings() {
    IniFile file(programDir_.writtenFile(kSettingsFile));
    file.load();
    const QScreen* screen = QGuiApplication::primaryScreen();
    ViewerSettings::load(file, state_, screen ? screen->availableGeometry() : QRect());
}

void ViewerWindow::writeSettings() {
    pullState();
    state_.geometry = geometry();
    IniFile file(programDir_.writtenFile(kSettingsFile));
    file.load();
    ViewerSettings::store(state_, file);
    file.save();  // a failed write leaves the previous file; nothing to tell the user
}

void ViewerWindow::pullState() {
    state_.urlInclude = ui_.urlIncludeEdit->text().toLower();
    state_.urlExclude = ui_.urlExcludeEdit->text().toLower();
    state_.jpg = ui_.jpgCheck->isChecked();
    state_.gif = ui_.gifCheck->isChecked();
    state_.png = ui_.pngCheck->isChecked();
    state_.bmp = ui_.bmpCheck->isChecked();
    state_.otherFormat = ui_.otherFormatEdit->text();
    state_.timePassed = ui_.timePassedSpin->value();
    state_.timeUnit = ui_.timeUnitCombo->currentIndex();
    state_.previewLocal = ui_.localCachedRadio->isChecked();
    for (int i = 0; i < ui_.foundList->count() && i < state_.listChecked.size(); ++i) {
        state_.listChecked[i] = ui_.foundList->item(i)->checkState() == Qt::Checked;
    }
    state_.listSelected = ui_.foundList->currentRow();
    state_.widthLimit = ui_.widthSpin->value();
    state_.heightLimit = ui_.heightSpin->value();
    state_.sizeMode = ui_.sizeModeCombo->currentIndex();
    state_.thumbnail = ui_.thumbnailCheck->isChecked();
    state_.originSize = ui_.originSizeCheck->isChecked();
    state_.autoUpgrade = ui_.autoUpgradeCheck->isChecked();
    state_.currentTab = ui_.pageTabs->currentIndex();
    state_.tabControlWidth = ui_.pageTabs->width();
}

void ViewerWindow::pushState() {
    // Showing the state is no user action: no change handler runs meanwhile.
    const QList<QWidget*> controls = {ui_.urlIncludeEdit,
                                      ui_.urlExcludeEdit,
                                      ui_.jpgCheck,
                                      ui_.gifCheck,
                                      ui_.pngCheck,
                                      ui_.bmpCheck,
                                      ui_.otherFormatEdit,
                                      ui_.timePassedSpin,
                                      ui_.timeUnitCombo,
                                      ui_.localCachedRadio,
                                      ui_.websitePictureRadio,
                                      ui_.foundList,
                                      ui_.widthSpin,
                                      ui_.heightSpin,
                                      ui_.sizeModeCombo,
                                      ui_.thumbnailCheck,
                                      ui_.originSizeCheck,
                                      ui_.autoUpgradeCheck,
                                      ui_.pageTabs};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* control : controls) {
        blockers.push_back(std::make_unique<QSignalBlocker>(control));
    }
    ui_.urlIncludeEdit->setText(state_.urlInclude);
    ui_.urlExcludeEdit->setText(state_.urlExclude);
    ui_.jpgCheck->setChecked(state_.jpg);
    ui_.gifCheck->setChecked(state_.gif);
    ui_.pngCheck->setChecked(state_.png);
    ui_.bmpCheck->setChecked(state_.bmp);
    ui_.otherFormatEdit->setText(state_.otherFormat);
    ui_.timePassedSpin->setValue(state_.timePassed);
    ui_.timeUnitCombo->setCurrentIndex(state_.timeUnit);
    ui_.localCachedRadio->setChecked(state_.previewLocal);
    ui_.websitePictureRadio->setChecked(!state_.previewLocal);
    ui_.picturesFoundLabel->setText(state_.picturesFoundText);
    ui_.cacheNoteLabel->setText(state_.cacheNote);
    ui_.cacheNoteLabel->setVisible(!state_.cacheNote.isEmpty());
    if (listedUrls_ != state_.foundUrls || ui_.foundList->count() != state_.foundUrls.size()) {
        ui_.foundList->clear();
        for (const QString& url : state_.foundUrls) {
            auto* item = new QListWidgetItem(url, ui_.foundList);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        }
        listedUrls_ = state_.foundUrls;
    }
    for (int i = 0; i < ui_.foundList->count() && i < state_.listChecked.size(); ++i) {
        ui_.foundList->item(i)->setCheckState(state_.listChecked.at(i) ? Qt::Checked : Qt::Unchecked);
    }
    ui_.foundList->setCurrentRow(state_.listSelected);
    ui_.currentUrlEdit->setText(state_.currentUrl);
    ui_.showAllButton->setEnabled(state_.showAllEnabled);
    ui_.clearCacheButton->setEnabled(state_.clearEnabled);
    ui_.widthSpin->setValue(state_.widthLimit);
    ui_.heightSpin->setValue(state_.heightLimit);
    ui_.sizeModeCombo->setCurrentIndex(state_.sizeMode);
    ui_.thumbnailCheck->setChecked(state_.thumbnail);
    ui_.originSizeCheck->setChecked(state_.originSize);
    ui_.filterButton->setEnabled(state_.filterEnabled);
    ui_.saveFolderEdit->setText(state_.cacheSaveFolder);
    ui_.pictureInformationMemo->setPlainText(state_.pictureInformation.join(QLatin1Char('\n')));
    ui_.autoUpgradeCheck->setChecked(state_.autoUpgrade);
    ui_.pageTabs->setCurrentIndex(state_.currentTab);
}

void ViewerWindow::run(const Command& command) {
    pullState();
    command();
    pushState();
}

void ViewerWindow::clickListItem(int row) {
    if (row < 0 || row >= ui_.foundList->count()) {
        return;
    }
    ui_.foundList->setCurrentRow(row);
    run([this] { PictureList::PreviewEntry(state_, *previewZone_, cacheComponent_); });
}

void ViewerWindow::setListItemTicked(int row, bool ticked) {
    if (row >= 0 && row < ui_.foundList->count()) {
        ui_.foundList->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void ViewerWindow::connectCommands() {
    const auto shown = [this] {
        return ShownCommands(state_, *shownLoaded_, desktop_, programDir_, &cacheComponent_);
    };
    connect(ui_.listPictureButton, &QPushButton::clicked, this, [this] {
        run([this] { PictureList::ListPictures(state_, cacheComponent_, QDateTime::currentDateTime()); });
    });
    connect(ui_.foundList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { clickListItem(ui_.foundList->row(item)); });
    for (QRadioButton* radio : {ui_.localCachedRadio, ui_.websitePictureRadio}) {
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                run([this] { PictureList::PreviewEntry(state_, *previewZone_, cacheComponent_); });
            }
        });
    }
    connect(ui_.showAllButton, &QPushButton::clicked, this,
            [this, shown] { run([shown] { shown().ShowAll(); }); });
    connect(ui_.thumbnailCheck, &QCheckBox::clicked, this,
            [this, shown] { run([shown] { shown().ThumbnailClicked(); }); });
    connect(ui_.originSizeCheck, &QCheckBox::clicked, this,
            [this, shown] { run([shown] { shown().OriginSizeClicked(); }); });
    connect(ui_.filterButton, &QPushButton::clicked, this,
            [this, shown] { run([shown] { shown().FilterShown(); }); });
    connect(ui_.saveButton, &QPushButton::clicked, this,
            [this, shown] { run([shown] { shown().SaveShown(); }); });
    connect(ui_.chooseFolderButton, &QToolButton::clicked, this,
            [this, shown] { run([shown] { shown().ChooseFolder(); }); });
    connect(ui_.clearCacheButton, &QPushButton::clicked, this,
            [this] { run([this] { ClearCacheCommand(state_, cacheComponent_, desktop_); }); });
    connect(ui_.helpButton, &QPushButton::clicked, this, [this] {
        desktop_.openPath(MakerSite(programDir_.path()).helpSection(QStringLiteral("tidewell")));
    });
    connect(ui_.homeLabel, &ClickableLabel::clicked, this,
            [this] { desktop_.openPath(MakerSite(programDir_.path()).home()); });
    connect(ui_.upgradeNowButton, &QPushButton::clicked, this,
            [this] { run([this] { upgrade().UpgradeNow(); }); });
}

UpgradeCommands ViewerWindow::upgrade() {
    return UpgradeCommands(UpgradeCommands::tidecove(), programDir_, desktop_, WindowHandle(this));
}

void ViewerWindow::onUpgradeTimer() {
    upgradeTimer_.stop();
    if (ui_.autoUpgradeCheck->isChecked()) {
        run([this] { upgrade().UpgradeCheck(QDate::currentDate()); });
    }
}

void ViewerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        KeyboardAccess::prepare(this);
        upgradeTimer_.start();
    }
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
    writeSettings();
    QWidget::closeEvent(event);
}

}  // namespace vorlaken
