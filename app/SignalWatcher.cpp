#include "app/SignalWatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace qr {

namespace {

// The pipe's write end while a watcher lives, -1 otherwise: all the handler
// may touch.
volatile std::sig_atomic_t g_writeEnd = -1;

void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto number = static_cast<unsigned char>(signalNumber);
    // A full pipe drops the byte: the loop has a great many unread then.
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &number, 1);
    errno = savedErrno;
}

bool ignored(const struct sigaction &action)
{
    return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_IGN;
}

sigset_t setOf(const QList<int> &signalNumbers)
{
    sigset_t set;
    sigemptyset(&set);
    for (const int number : signalNumbers)
        sigaddset(&set, number);
    return set;
}

} // namespace

void SignalWatcher::blockSignals(const QList<int> &signalNumbers)
{
    const sigset_t set = setOf(signalNumbers);
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

SignalWatcher::SignalWatcher(const QList<int> &signalNumbers, QObject *parent) : QObject(parent)
{
    Q_ASSERT(g_writeEnd == -1);
    const sigset_t set = setOf(signalNumbers);
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_pipe[0] = m_pipe[1] = -1;
        ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        return;
    }
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWatcher::takePending);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the rest of the program never sees EINTR for these
    for (const int number : signalNumbers) {
        struct sigaction previous {};
        if (::sigaction(number, nullptr, &previous) != 0 || ignored(previous))
            continue;
        if (::sigaction(number, &action, &previous) == 0)
            m_replaced.emplace_back(number, previous);
    }
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

SignalWatcher::~SignalWatcher()
{
    for (const auto &[number, previous] : m_replaced)
        ::sigaction(number, &previous, nullptr);
    if (m_pipe[0] < 0)
        return;
    g_writeEnd = -1;
    delete m_notifier;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

// All that is waiting is read before anything is told: a receiver may run an
// event loop of its own, in which the notifier fires again.
void SignalWatcher::takePending()
{
    if (m_pipe[0] < 0)
        return;
    QList<int> numbers;
    unsigned char buffer[64];
    ssize_t count = 0;
    while ((count = ::read(m_pipe[0], buffer, sizeof buffer)) > 0)
        for (ssize_t i = 0; i < count; ++i)
            numbers << buffer[i];
    for (const int number : numbers)
        Q_EMIT received(number);
}

} // namespace qr
