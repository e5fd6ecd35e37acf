#include "common/BoundedWait.h"

#include "common/Termination.h"

namespace vorlaken {

BoundedWait::BoundedWait(const QDeadlineTimer& deadline) : deadline_(deadline) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &loop_, &QEventLoop::quit);
    Termination::quitOnTermination(loop_);
}

bool BoundedWait::over() const {
    return deadline_.hasExpired() || Termination::requested();
}

void BoundedWait::sleep() {
    timer_.start(qMax<qint64>(1, deadline_.remainingTime()));
    loop_.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace vorlaken
