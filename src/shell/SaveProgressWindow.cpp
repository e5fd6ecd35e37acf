#include "shell/SaveProgressWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace vorlaken {

SaveProgressWindow::SaveProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      label_(new QLabel(QStringLiteral("0/0"))),
      gauge_(new PieGauge),
      stop_(new QCheckBox(QStringLiteral("stop saving"))),
      openFolder_(new QPushButton(QStringLiteral("Open folder"))) {
    setObjectName(QStringLiteral("TfrmPrompt"));
    setWindowModality(Qt::NonModal);
    label_->setObjectName(QStringLiteral("Label3"));
    label_->setAlignment(Qt::AlignCenter);
    gauge_->setObjectName(QStringLiteral("Gauge1"));
    gauge_->setFixedSize(90, 90);
    stop_->setObjectName(QStringLiteral("CheckBox1"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(gauge_, 0, Qt::AlignHCenter);
    layout->addWidget(stop_, 0, Qt::AlignHCenter);
    openFolder_->setObjectName(QStringLiteral("openFolder"));
    openFolder_->hide();
    layout->addWidget(openFolder_, 0, Qt::AlignHCenter);
    setFixedSize(180, 170);
    offerEnds_.setSingleShot(true);
    connect(&offerEnds_, &QTimer::timeout, this, &SaveProgressWindow::hide);
    connect(openFolder_, &QPushButton::clicked, this, [this] {
        const QString folder = offeredFolder_;
        hide();
        emit openFolderRequested(folder);
    });
}

void SaveProgressWindow::centre() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SaveProgressWindow::show() {
    // A new run takes back the offer of the last one.
    offerEnds_.stop();
    openFolder_->hide();
    stop_->show();
    centre();
    QWidget::show();
    repaint();
}

void SaveProgressWindow::hide() {
    offerEnds_.stop();
    QWidget::hide();
}

void SaveProgressWindow::offerFolder(const QString& folder) {
    offeredFolder_ = folder;
    stop_->hide();
    openFolder_->show();
    centre();
    // Shown without taking the focus from the window the user works in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QWidget::show();
    offerEnds_.start(kOfferMs);
}

void SaveProgressWindow::setText(const QString& text) {
    label_->setText(text);
    label_->repaint();
}

void SaveProgressWindow::setMaximum(int maximum) {
    gauge_->setMaximum(maximum);
}

void SaveProgressWindow::setPosition(int position) {
    gauge_->setPosition(position);
    gauge_->repaint();
}

bool SaveProgressWindow::stopTicked() {
    return stop_->isChecked();
}

void SaveProgressWindow::untick() {
    stop_->setChecked(false);
}

void SaveProgressWindow::setStopEnabled(bool enabled) {
    stop_->setEnabled(enabled);
}

}  // namespace vorlaken
