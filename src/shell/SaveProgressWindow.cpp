#include "shell/SaveProgressWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace vorlaken {

SaveProgressWindow::SaveProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      label_(new QLabel(QStringLiteral("0/0"))),
      gauge_(new PieGauge),
      stop_(new QCheckBox(QStringLiteral("stop saving"))) {
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
    setFixedSize(180, 170);
}

void SaveProgressWindow::show() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QWidget::show();
    repaint();
}

void SaveProgressWindow::hide() {
    QWidget::hide();
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
