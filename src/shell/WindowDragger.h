#pragma once

#include <QObject>

class QWidget;

namespace vorlaken {

// Lets the user move the window by pressing the left button on the bare background of a panel, as a
// drag of the title bar would.
class WindowDragger : public QObject {
    Q_OBJECT
  public:
    explicit WindowDragger(QObject* parent = nullptr) : QObject(parent) {}
    void watch(QWidget* panel);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vorlaken
