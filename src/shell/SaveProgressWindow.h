#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QWidget>

#include "save/SaveProgress.h"
#include "shell/PieGauge.h"

namespace vorlaken {

// The save progress window TfrmPrompt: borderless, centred on the screen, never blocking the main
// window. One lives as long as the main window.
class SaveProgressWindow : public QWidget, public SaveProgress {
    Q_OBJECT
  public:
    explicit SaveProgressWindow(QWidget* parent = nullptr);

    void show() override;
    void hide() override;
    void setText(const QString& text) override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;
    bool stopTicked() override;
    void untick() override;
    void setStopEnabled(bool enabled) override;

    QLabel* label() const { return label_; }
    QCheckBox* stopBox() const { return stop_; }

  private:
    QLabel* label_;
    PieGauge* gauge_;
    QCheckBox* stop_;
};

}  // namespace vorlaken
