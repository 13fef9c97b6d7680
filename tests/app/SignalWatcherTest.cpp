// Signals reach the program through its event loop, never inside the
// handler; an ignored signal stays ignored; the old handlers come back.
#include "app/SignalWatcher.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <csignal>

namespace qr {
namespace {

// A signal's handler, put back as it was at the end.
class Disposition {
public:
    explicit Disposition(int signalNumber) : m_number(signalNumber)
    {
        sigaction(m_number, nullptr, &m_saved);
    }
    ~Disposition() { sigaction(m_number, &m_saved, nullptr); }
    void set(void (*handler)(int)) const
    {
        struct sigaction action {};
        action.sa_handler = handler;
        sigaction(m_number, &action, nullptr);
    }
    void (*current() const)(int)
    {
        struct sigaction now {};
        sigaction(m_number, nullptr, &now);
        return now.sa_handler;
    }

private:
    int m_number;
    struct sigaction m_saved {};
};

void otherHandler(int) {}

TEST(SignalWatcher, EachSignalArrivesThroughTheLoop)
{
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(number));
        const Disposition before(number);
        before.set(otherHandler);
        {
            SignalWatcher watcher({SIGTERM, SIGINT, SIGHUP});
            ASSERT_TRUE(watcher.isWatching());
            QSignalSpy received(&watcher, &SignalWatcher::received);
            std::raise(number);
            std::raise(number);
            EXPECT_EQ(received.count(), 0) << "told inside the handler";
            EXPECT_TRUE(received.wait(5000));
            ASSERT_EQ(received.count(), 2) << "a signal was lost";
            EXPECT_EQ(received.at(0).at(0).toInt(), number);
            EXPECT_EQ(received.at(1).at(0).toInt(), number);
        }
        EXPECT_EQ(before.current(), otherHandler) << "the earlier handler did not come back";
    }
}

// As under nohup: the run was asked to outlive a hangup.
TEST(SignalWatcher, AnIgnoredSignalStaysIgnored)
{
    const Disposition hangup(SIGHUP);
    hangup.set(SIG_IGN);
    SignalWatcher watcher({SIGTERM, SIGHUP});
    EXPECT_EQ(hangup.current(), SIG_IGN);
    QSignalSpy received(&watcher, &SignalWatcher::received);
    std::raise(SIGHUP);
    std::raise(SIGTERM);
    EXPECT_TRUE(received.wait(5000));
    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).toInt(), SIGTERM);
}

} // namespace
} // namespace qr
