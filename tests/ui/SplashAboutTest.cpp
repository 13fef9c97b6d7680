#include "desktop/Twips.h"
#include "skins/Skin.h"
#include "tests/support/SessionFixture.h"
#include "ui/AboutWindow.h"
#include "ui/SplashWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace qr::test {
namespace {

void fireTimer(SplashWindow &splash)
{
    auto *timer = splash.findChild<QTimer *>();
    QSignalSpy fired(timer, &QTimer::timeout);
    timer->start(1);
    ASSERT_TRUE(fired.wait(5000));
}

TEST(Splash, ShowsTheVersionFlushRightForTwoSeconds)
{
    SplashWindow splash;
    splash.show();
    EXPECT_EQ(splash.size(), skinSize("splash"));
    const auto *number = splash.findChild<QLabel *>("versionNumber");
    EXPECT_EQ(number->text(), "v1.0.1");
    // 120 twips from the right edge, and wide enough for its text
    EXPECT_EQ(number->x() + number->width() + pixelsX(120), splash.width());
    EXPECT_GE(number->width(), number->fontMetrics().horizontalAdvance(number->text()));
    const auto *timer = splash.findChild<QTimer *>();
    EXPECT_TRUE(timer->isActive() && timer->isSingleShot());
    EXPECT_EQ(timer->interval(), 2000);
}

// Whatever closes the splash, the panel is asked for at most once: a later
// timer or click adds nothing.
TEST(Splash, AsksForThePanelOnlyOnce)
{
    const struct {
        const char *how;
        void (*close)(SplashWindow &);
        int emits;
    } cases[] = {
        {"timer", fireTimer, 1},
        {"click", [](SplashWindow &s) { QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(50, 50)); }, 1},
        {"click on the version",
         [](SplashWindow &s) {
             QTest::mouseClick(&s, Qt::LeftButton, {},
                               s.findChild<QLabel *>("versionNumber")->geometry().center());
         },
         1},
        {"right button",
         [](SplashWindow &s) { QTest::mouseClick(&s, Qt::RightButton, {}, QPoint(200, 120)); }, 1},
        {"closed from outside", [](SplashWindow &s) { s.close(); }, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        SplashWindow splash;
        splash.show();
        QSignalSpy finished(&splash, &SplashWindow::finished);
        c.close(splash);
        EXPECT_EQ(finished.count(), c.emits);
        EXPECT_FALSE(splash.isVisible());
        fireTimer(splash);
        QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(50, 50));
        EXPECT_EQ(finished.count(), c.emits);
    }
}

class About : public SessionFixture {};

TEST_F(About, ShownAgainItIsTheSameWindowAndOkLeavesTheDialogFlag)
{
    session->showAbout();
    AboutWindow about(*session);
    about.show();
    EXPECT_EQ(about.windowTitle(), "About the Quilvane Ryn");
    EXPECT_FALSE(about.isModal());
    const QPixmap picture = about.findChild<QLabel *>("artwork")->pixmap();
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(120, 120));
    EXPECT_EQ(picture.devicePixelRatio(), about.devicePixelRatioF());
    EXPECT_TRUE(about.findChild<QLabel *>("support")->text().contains("support@tarvell.example"));

    QTest::mouseClick(about.findChild<QPushButton *>("ok"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(session->isShown(PlayerWindow::About));
    EXPECT_TRUE(session->dialogOpen()) << "until the options dialog's OK";
}

} // namespace
} // namespace qr::test
