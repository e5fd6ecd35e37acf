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
#include "cacheviewer/ViewerUpgrade.h"
#include "common/IniFile.h"
#include "common/WelcomePage.h"
#include "platform/webzone/WebZone.h"
#include "widgets/ClickableLabel.h"

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
      IECache1(cache_.get()) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Tidewell 1.3 - ") + MakerSite::name());
    ui_.build(this);
    const QUrl base = QUrl::fromLocalFile(programDir_.path());
    // The show-all page is ours and shows cached files through <img>, which never runs a picture's
    // script; the preview opens cached files and web addresses themselves, so nothing runs there.
    wb1_ = new WebZone(ui_.wb1, base, ZoneAccess::ownPageWithLocalPictures());
    wb2_ = new WebZone(ui_.wb2, base, ZoneAccess::contentOnly());
    wb1_->setParent(this);
    view_ = std::make_unique<LoadedZone>(*wb1_);
    wb2_->setParent(this);
    loadSettings();
    setGeometry(state_.geometry);
    state_.currentTab = ViewerState::InitialSelected;
    if (!IECache1.LibraryFound()) {
        state_.cacheNote = IECache1.StatusNote();  // no cache at all: said before the first listing
    }
    pushState();
    wb1_->navigate(QStringLiteral("about:blank"));
    wb2_->navigate(QStringLiteral("about:blank"));
    Timer1.setSingleShot(true);
    Timer1.setInterval(2000);
    connect(&Timer1, &QTimer::timeout, this, &ViewerWindow::onTimer1);
    connectCommands();
}

ViewerWindow::~ViewerWindow() = default;

Zone* ViewerWindow::zone(const QString& name) const {
    if (name == QLatin1String("wb1")) {
        return wb1_;
    }
    if (name == QLatin1String("wb2")) {
        return wb2_;
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
    state_.urlInclude = ui_.Edit3->text().toLower();
    state_.urlExclude = ui_.Edit4->text().toLower();
    state_.jpg = ui_.c1->isChecked();
    state_.gif = ui_.c2->isChecked();
    state_.png = ui_.c3->isChecked();
    state_.bmp = ui_.c7->isChecked();
    state_.otherFormat = ui_.extEdit->text();
    state_.timePassed = ui_.SpinEdit3->value();
    state_.timeUnit = ui_.cb1->currentIndex();
    state_.previewLocal = ui_.RadioButton1->isChecked();
    for (int i = 0; i < ui_.ListBox1->count() && i < state_.listChecked.size(); ++i) {
        state_.listChecked[i] = ui_.ListBox1->item(i)->checkState() == Qt::Checked;
    }
    state_.listSelected = ui_.ListBox1->currentRow();
    state_.widthLimit = ui_.SpinEdit1->value();
    state_.heightLimit = ui_.SpinEdit2->value();
    state_.sizeMode = ui_.cbsize->currentIndex();
    state_.thumbnail = ui_.CheckBox5->isChecked();
    state_.originSize = ui_.CheckBox6->isChecked();
    state_.autoUpgrade = ui_.autoUpgrade->isChecked();
    state_.currentTab = ui_.PageControl1->currentIndex();
    state_.tabControlWidth = ui_.PageControl1->width();
}

void ViewerWindow::pushState() {
    // Showing the state is no user action: no change handler runs meanwhile.
    const QList<QWidget*> controls = {ui_.Edit3,     ui_.Edit4,        ui_.c1,           ui_.c2,
                                      ui_.c3,        ui_.c7,           ui_.extEdit,      ui_.SpinEdit3,
                                      ui_.cb1,       ui_.RadioButton1, ui_.RadioButton2, ui_.ListBox1,
                                      ui_.SpinEdit1, ui_.SpinEdit2,    ui_.cbsize,       ui_.CheckBox5,
                                      ui_.CheckBox6, ui_.autoUpgrade,  ui_.PageControl1};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* control : controls) {
        blockers.push_back(std::make_unique<QSignalBlocker>(control));
    }
    ui_.Edit3->setText(state_.urlInclude);
    ui_.Edit4->setText(state_.urlExclude);
    ui_.c1->setChecked(state_.jpg);
    ui_.c2->setChecked(state_.gif);
    ui_.c3->setChecked(state_.png);
    ui_.c7->setChecked(state_.bmp);
    ui_.extEdit->setText(state_.otherFormat);
    ui_.SpinEdit3->setValue(state_.timePassed);
    ui_.cb1->setCurrentIndex(state_.timeUnit);
    ui_.RadioButton1->setChecked(state_.previewLocal);
    ui_.RadioButton2->setChecked(!state_.previewLocal);
    ui_.Label1->setText(state_.label1);
    ui_.cacheNote->setText(state_.cacheNote);
    ui_.cacheNote->setVisible(!state_.cacheNote.isEmpty());
    if (listedUrls_ != state_.FoundUrls || ui_.ListBox1->count() != state_.FoundUrls.size()) {
        ui_.ListBox1->clear();
        for (const QString& url : state_.FoundUrls) {
            auto* item = new QListWidgetItem(url, ui_.ListBox1);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        }
        listedUrls_ = state_.FoundUrls;
    }
    for (int i = 0; i < ui_.ListBox1->count() && i < state_.listChecked.size(); ++i) {
        ui_.ListBox1->item(i)->setCheckState(state_.listChecked.at(i) ? Qt::Checked : Qt::Unchecked);
    }
    ui_.ListBox1->setCurrentRow(state_.listSelected);
    ui_.Edit1->setText(state_.currentUrl);
    ui_.Button3->setEnabled(state_.showAllEnabled);
    ui_.Button2->setEnabled(state_.clearEnabled);
    ui_.SpinEdit1->setValue(state_.widthLimit);
    ui_.SpinEdit2->setValue(state_.heightLimit);
    ui_.cbsize->setCurrentIndex(state_.sizeMode);
    ui_.CheckBox5->setChecked(state_.thumbnail);
    ui_.CheckBox6->setChecked(state_.originSize);
    ui_.Button4->setEnabled(state_.filterEnabled);
    ui_.Edit2->setText(state_.CacheSaveFolder);
    ui_.Memo1->setPlainText(state_.pictureInformation.join(QLatin1Char('\n')));
    ui_.autoUpgrade->setChecked(state_.autoUpgrade);
    ui_.PageControl1->setCurrentIndex(state_.currentTab);
}

void ViewerWindow::run(const Command& command) {
    pullState();
    command();
    pushState();
}

void ViewerWindow::clickListItem(int row) {
    if (row < 0 || row >= ui_.ListBox1->count()) {
        return;
    }
    ui_.ListBox1->setCurrentRow(row);
    run([this] { PictureList::PreviewEntry(state_, *wb2_, IECache1); });
}

void ViewerWindow::setListItemTicked(int row, bool ticked) {
    if (row >= 0 && row < ui_.ListBox1->count()) {
        ui_.ListBox1->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void ViewerWindow::connectCommands() {
    const auto shown = [this] { return ShownCommands(state_, *view_, desktop_, programDir_, &IECache1); };
    connect(ui_.Button1, &QPushButton::clicked, this, [this] {
        run([this] { PictureList::ListPictures(state_, IECache1, QDateTime::currentDateTime()); });
    });
    connect(ui_.ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { clickListItem(ui_.ListBox1->row(item)); });
    for (QRadioButton* radio : {ui_.RadioButton1, ui_.RadioButton2}) {
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                run([this] { PictureList::PreviewEntry(state_, *wb2_, IECache1); });
            }
        });
    }
    connect(ui_.Button3, &QPushButton::clicked, this, [this, shown] { run([shown] { shown().ShowAll(); }); });
    connect(ui_.CheckBox5, &QCheckBox::clicked, this,
            [this, shown] { run([shown] { shown().thumbnailClicked(); }); });
    connect(ui_.CheckBox6, &QCheckBox::clicked, this,
            [this, shown] { run([shown] { shown().originSizeClicked(); }); });
    connect(ui_.Button4, &QPushButton::clicked, this,
            [this, shown] { run([shown] { shown().FilterShown(); }); });
    connect(ui_.Button5, &QPushButton::clicked, this,
            [this, shown] { run([shown] { shown().SaveShown(); }); });
    connect(ui_.SpeedButton1, &QToolButton::clicked, this,
            [this, shown] { run([shown] { shown().ChooseFolder(); }); });
    connect(ui_.Button2, &QPushButton::clicked, this,
            [this] { run([this] { ClearCacheCommand(state_, IECache1, desktop_); }); });
    connect(ui_.Button6, &QPushButton::clicked, this, [this] {
        desktop_.openPath(MakerSite(programDir_.path()).helpSection(QStringLiteral("tidewell")));
    });
    connect(ui_.Image2, &ClickableLabel::clicked, this,
            [this] { desktop_.openPath(MakerSite(programDir_.path()).home()); });
    connect(ui_.updatebtn, &QPushButton::clicked, this,
            [this] { run([this] { ViewerUpgrade(programDir_, desktop_, quint64(winId())).UpgradeNow(); }); });
}

void ViewerWindow::onTimer1() {
    Timer1.stop();
    if (ui_.autoUpgrade->isChecked()) {
        run([this] {
            ViewerUpgrade(programDir_, desktop_, quint64(winId()))
                .AutoUpgradeCheck(QDateTime::currentDateTime());
        });
    }
}

void ViewerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        Timer1.start();
    }
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
    writeSettings();
    QWidget::closeEvent(event);
}

}  // namespace vorlaken
