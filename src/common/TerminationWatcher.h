#pragma once

#include <QObject>

class QSocketNotifier;

namespace vorlaken {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal, so that ending the program from a terminal or a
// session closes the window the ordinary way (and the settings are written). The request is also raised
// process-wide (Termination in common/), so that bounded waits and long runs anywhere end early; ask
// Termination::requested() there. A second signal, or a program that has not ended some seconds after
// the first, ends the process at once.
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
