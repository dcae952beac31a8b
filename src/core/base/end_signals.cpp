#include "core/base/end_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace mirute {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};

// [0] is written by the handler, [1] read by the event loop.
int g_sockets[2] = {-1, -1};

void onEndSignal(int signalNumber) {
    const int savedErrno = errno;
    const char number = char(signalNumber);
    // Non-blocking: with the socket full the event loop has more than enough to end on already.
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[0], &number, 1);
    errno = savedErrno;
}

void setAction(int signalNumber, void (*handler)(int), int flags) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigemptyset(&action.sa_mask);
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

EndSignals::EndSignals(QObject *parent) : QObject(parent) {
    if (g_sockets[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_sockets) != 0) {
        return; // the signals keep their default actions
    }
    m_notifier = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readSignals);
    for (int s : kEndSignals)
        setAction(s, onEndSignal, SA_RESTART | SA_RESETHAND);
}

EndSignals::~EndSignals() {
    if (!m_notifier)
        return;
    for (int s : kEndSignals)
        setAction(s, SIG_DFL, 0);
    delete m_notifier;
    ::close(g_sockets[0]);
    ::close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
}

void EndSignals::readSignals() {
    char numbers[16];
    ssize_t got;
    while ((got = ::read(g_sockets[1], numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < got; ++i)
            emit received(int(numbers[i]));
}

} // namespace mirute
