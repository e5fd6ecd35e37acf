#include "common/Termination.h"

#include <atomic>

#include <QEventLoop>
#include <QTimer>

namespace vorlaken {

namespace {

std::atomic<bool> raised{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

}  // namespace

void Termination::raise() noexcept {
    raised.store(true, std::memory_order_relaxed);
}

bool Termination::requested() noexcept {
    return raised.load(std::memory_order_relaxed);
}

Termination& Termination::instance() {
    static Termination notice;
    return notice;
}

void Termination::announce() {
    raise();
    emit instance().announced();
}

void Termination::quitOnTermination(QEventLoop& loop) {
    QObject::connect(&instance(), &Termination::announced, &loop, &QEventLoop::quit);
    if (requested())
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
}

}  // namespace vorlaken
