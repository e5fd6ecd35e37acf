#pragma once

#include <QObject>

class QEventLoop;

namespace vorlaken {

// The process-wide "the program is asked to end" state. A signal handler raises it; bounded waits ask
// for it so that a nested event loop does not hold the program past the request, and long runs stop at
// their next step.
class Termination : public QObject {
    Q_OBJECT
  public:
    // Async-signal-safe: only a lock-free atomic store.
    static void raise() noexcept;
    static bool requested() noexcept;
    // Emits requested() of the instance; called on the event loop once the raise has been seen there.
    static void announce();
    // Makes loop quit when termination is announced, and at once when it already was requested.
    static void quitOnTermination(QEventLoop& loop);

    static Termination& instance();

  signals:
    void announced();

  private:
    Termination() = default;
};

}  // namespace vorlaken
