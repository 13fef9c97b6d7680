#pragma once

#include <QList>
#include <QObject>

#include <csignal>
#include <vector>

class QSocketNotifier;

namespace qr {

// Turns process signals (SIGTERM, SIGINT, SIGHUP...) into a Qt signal
// delivered by the event loop. The handler only writes the signal's number
// into a pipe; everything else happens on the GUI thread when the loop reads
// it. A signal the process was started with ignored (nohup, say) stays
// ignored. One watcher at a time per process; the handlers it replaced come
// back when it goes.
//
// So that no signal can end the program before the watcher exists, main
// blocks them first (blockSignals); the watcher unblocks them once it
// handles them, and those that came meanwhile go into its pipe then.
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(const QList<int> &signalNumbers, QObject *parent = nullptr);
    ~SignalWatcher() override;

    // False when the pipe could not be made: the signals keep what they had.
    bool isWatching() const { return m_notifier != nullptr; }

    // Blocks the signals in the calling thread and in the threads it starts
    // from now on, until a watcher takes them.
    static void blockSignals(const QList<int> &signalNumbers);
    // Tells at once of the signals that wait in the pipe, rather than when
    // the loop next looks at it.
    void takePending();

Q_SIGNALS:
    void received(int signalNumber);

private:
    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    std::vector<std::pair<int, struct sigaction>> m_replaced;
};

} // namespace qr
