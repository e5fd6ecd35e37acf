#include "common/TerminationWatcher.h"

#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>

#include "common/Termination.h"

namespace vorlaken {

namespace {

// How long an orderly end may take before the process is ended without one.
constexpr unsigned kLastResortSeconds = 5;

}  // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipe_) != 0)
        return;
    ::fcntl(pipe_[0], F_SETFL, ::fcntl(pipe_[0], F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(pipe_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(pipe_[1], &byte, 1) == 1) {
            // Nested waits quit first, so that the window closes from whatever the program was doing.
            Termination::announce();
            emit terminationRequested();
        }
    });
    struct sigaction action = {};
    action.sa_handler = &TerminationWatcher::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher() {
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        std::signal(sig, SIG_DFL);
    for (int& fd : pipe_) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

// Only async-signal-safe work here: a flag, one byte into the pipe and an alarm; the event loop does the
// rest. A request that is already under way is not waited for again.
void TerminationWatcher::onSignal(int sig) {
    if (Termination::requested()) {
        std::signal(sig, SIG_DFL);
        std::raise(sig);
        return;
    }
    Termination::raise();
    std::signal(SIGALRM, SIG_DFL);
    ::alarm(kLastResortSeconds);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipe_[0], &byte, 1);
}

}  // namespace vorlaken
