#include "core/frmAbout.h"
#include "core/frmSplash.h"
#include "desktop/Twips.h"
#include "skins/Skin.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void fireTimer(qr::frmSplash &s)
{
    QSignalSpy fired(s.tmrHide, &QTimer::timeout);
    s.tmrHide->start(1);
    ASSERT_TRUE(fired.wait(5000));
}

} // namespace

TEST(Splash, ShowsTheVersionFlushRightForTwoSeconds)
{
    qr::frmSplash splash;
    splash.show();
    EXPECT_EQ(splash.size(), qr::SkinSize(QStringLiteral("splash")));
    EXPECT_EQ(splash.vernfo->text(), QStringLiteral("v1.0.1"));
    // 120 twips from the right edge, and wide enough for its text
    EXPECT_EQ(splash.vernfo->x() + splash.vernfo->width() + qr::PixelsX(120), splash.width());
    EXPECT_GE(splash.vernfo->width(), splash.vernfo->fontMetrics().horizontalAdvance(splash.vernfo->text()));
    EXPECT_TRUE(splash.tmrHide->isActive() && splash.tmrHide->isSingleShot());
    EXPECT_EQ(splash.tmrHide->interval(), 2000);
}

// Whatever closes the splash, the panel is asked for at most once: a later timer or click adds nothing.
TEST(Splash, AsksForThePanelOnlyOnce)
{
    const struct {
        const char *how;
        bool shown;
        void (*close)(qr::frmSplash &);
        int emits;
    } cases[] = {
        {"timer", true, fireTimer, 1},
        {"timer, never shown", false, fireTimer, 1}, // the start-up path without a splash
        {"click on the artwork", true,
         [](qr::frmSplash &s) { QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(50, 50)); }, 1},
        {"click on the version", true,
         [](qr::frmSplash &s) { QTest::mouseClick(&s, Qt::LeftButton, {}, s.vernfo->geometry().center()); },
         1},
        {"right button", true,
         [](qr::frmSplash &s) { QTest::mouseClick(&s, Qt::RightButton, {}, QPoint(200, 120)); }, 1},
        {"closed from outside", true, [](qr::frmSplash &s) { s.close(); }, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        qr::frmSplash splash;
        splash.setVisible(c.shown);
        QSignalSpy closed(&splash, &qr::frmSplash::closedToPanel);
        c.close(splash);
        EXPECT_EQ(closed.count(), c.emits);
        EXPECT_FALSE(splash.isVisible());
        EXPECT_FALSE(splash.tmrHide->isActive());

        fireTimer(splash);
        QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(50, 50));
        EXPECT_EQ(closed.count(), c.emits);
    }
}

TEST(About, TitleIconAndOk)
{
    qr::frmAbout about;
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About the Quilvane Ryn"));
    EXPECT_FALSE(about.isModal());
    EXPECT_FALSE(about.windowIcon().isNull());
    const QPixmap picture = about.Picture1->pixmap();
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(120, 120));
    EXPECT_EQ(picture.devicePixelRatio(), about.devicePixelRatioF());
    EXPECT_TRUE(about.Label3->text().contains(QStringLiteral("support@tarvell.example")));

    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    about.show(); // shown again, it is the same window
    EXPECT_TRUE(about.isVisible());
}
