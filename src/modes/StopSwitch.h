#pragma once

#include <QObject>

namespace vorlaken {

// The tick of a run's "stop" box, as the run sees it. The window keeps it and the box in step; the
// run's wait wakes the moment it is ticked.
class StopSwitch : public QObject {
    Q_OBJECT
  public:
    explicit StopSwitch(QObject* parent = nullptr) : QObject(parent) {}

    bool isTicked() const { return ticked_; }
    // Emits toggled when the tick changes.
    void setTicked(bool ticked);

  signals:
    void toggled(bool ticked);

  private:
    bool ticked_ = false;
};

}  // namespace vorlaken
