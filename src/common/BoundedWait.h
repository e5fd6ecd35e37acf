#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace vorlaken {

// A wait on the event loop, without user input, for an answer from another program: it ends when its
// condition holds, when its deadline has passed, or when the program is asked to end. The loop looks at
// the condition again whenever one of the signals it wakes on is emitted.
class BoundedWait {
  public:
    explicit BoundedWait(const QDeadlineTimer& deadline);

    template <typename Sender, typename Signal>
    void wakeOn(const Sender* sender, Signal signal) {
        QObject::connect(sender, signal, &loop_, &QEventLoop::quit);
    }

    template <typename Done>
    void until(Done done) {
        while (!done() && !over())
            sleep();
    }

  private:
    bool over() const;
    void sleep();

    QDeadlineTimer deadline_;
    QEventLoop loop_;
    QTimer timer_;
};

}  // namespace vorlaken
