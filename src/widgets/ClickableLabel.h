#pragma once

#include <QLabel>

namespace vorlaken {

// A label that works as a command, like the link-style labels of the panels ("Upgrade Now").
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

  public slots:
    // Runs the label's command as a click would; a disabled label does nothing.
    void click();

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace vorlaken
