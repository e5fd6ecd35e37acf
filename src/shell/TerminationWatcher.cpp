#include "shell/TerminationWatcher.h"

#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>

namespace vorlaken {

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipe_) != 0)
        return;
    notifier_ = new QSocketNotifier(pipe_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(pipe_[1], &byte, 1) == 1)
            emit terminationRequested();
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

// Only async-signal-safe work here: one byte into the pipe; the event loop does the rest.
void TerminationWatcher::onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipe_[0], &byte, 1);
}

}  // namespace vorlaken
