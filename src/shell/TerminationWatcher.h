#pragma once

#include <QObject>

class QSocketNotifier;

namespace vorlaken {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal, so that ending the program from a terminal or a
// session closes the window the ordinary way (and the settings are written).
class TerminationWatcher : public QObject {
    Q_OBJECT
  public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

  signals:
    void terminationRequested();

  private:
    static void onSignal(int signal);
    static inline int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vorlaken
