#include "TerminationWatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here: the event loop does the rest.
    [[maybe_unused]] ssize_t written = ::write(g_pipe[1], &byte, 1);
}
} // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    if (g_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0)
        return;
    notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatcher::Drain);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kSignals)
        ::sigaction(sig, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher() {
    for (int sig : kSignals)
        ::signal(sig, SIG_DFL);
}

void TerminationWatcher::Drain() {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    emit terminationRequested();
}
