// Signals reach the program through its event loop, never inside the
// handler, also those that came blocked before the watcher; an ignored signal
// stays ignored; the old handlers come back.
#include "app/SignalWatcher.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <csignal>

namespace qr {
namespace {

using Handler = void (*)(int);
void otherHandler(int) {}

Handler setHandler(int number, Handler handler)
{
    struct sigaction action {
    }, old{};
    action.sa_handler = handler;
    sigaction(number, &action, &old);
    return old.sa_handler;
}

TEST(SignalWatcher, EachSignalArrivesThroughTheLoop)
{
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(number));
        setHandler(number, otherHandler);
        SignalWatcher::blockSignals({SIGTERM, SIGINT, SIGHUP});
        std::raise(number); // before the watcher: it waits for it
        {
            SignalWatcher watcher({SIGTERM, SIGINT, SIGHUP});
            ASSERT_TRUE(watcher.isWatching());
            QSignalSpy received(&watcher, &SignalWatcher::received);
            std::raise(number);
            std::raise(number);
            EXPECT_EQ(received.count(), 0) << "told inside the handler";
            EXPECT_TRUE(received.wait(5000));
            ASSERT_EQ(received.count(), 3) << "a signal was lost";
            for (const QList<QVariant> &told : received)
                EXPECT_EQ(told.at(0).toInt(), number);
        }
        EXPECT_EQ(setHandler(number, SIG_DFL), otherHandler) << "the earlier handler did not come back";
    }
}

// As under nohup: the run was asked to outlive a hangup.
TEST(SignalWatcher, AnIgnoredSignalStaysIgnored)
{
    setHandler(SIGHUP, SIG_IGN);
    {
        SignalWatcher watcher({SIGTERM, SIGHUP});
        EXPECT_EQ(setHandler(SIGHUP, SIG_IGN), SIG_IGN);
        QSignalSpy received(&watcher, &SignalWatcher::received);
        std::raise(SIGHUP);
        std::raise(SIGTERM);
        EXPECT_TRUE(received.wait(5000));
        ASSERT_EQ(received.count(), 1);
        EXPECT_EQ(received.at(0).at(0).toInt(), SIGTERM);
    }
    setHandler(SIGHUP, SIG_DFL);
}

} // namespace
} // namespace qr
