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

TEST(Splash, ShowsTheVersionFlushRight)
{
    qr::frmSplash splash;
    splash.show();
    EXPECT_EQ(splash.size(), qr::SkinSize(QStringLiteral("splash")));
    EXPECT_EQ(splash.Label1->text(), QStringLiteral("Version 1.0"));
    EXPECT_EQ(splash.Label2->text(), QStringLiteral("Windows 98"));
    EXPECT_EQ(splash.vernfo->text(), QStringLiteral("v1.0.1"));
    // 120 twips from the right edge, and wide enough for its text
    EXPECT_EQ(splash.vernfo->x() + splash.vernfo->width() + qr::PixelsX(120), splash.width());
    EXPECT_EQ(qr::PixelsX(120), 8);
    EXPECT_GE(splash.vernfo->width(), splash.vernfo->fontMetrics().horizontalAdvance(splash.vernfo->text()));
    for (QLabel *label : {splash.Label1, splash.Label2, splash.vernfo})
        EXPECT_TRUE(splash.rect().contains(label->geometry())) << label->text().toStdString();
    EXPECT_TRUE(splash.tmrHide->isActive());
    EXPECT_TRUE(splash.tmrHide->isSingleShot());
    EXPECT_EQ(splash.tmrHide->interval(), 2000);
}

TEST(Splash, TimerClosesItAndAsksForThePanelOnce)
{
    qr::frmSplash splash;
    splash.show();
    QSignalSpy closed(&splash, &qr::frmSplash::closedToPanel);
    splash.tmrHide->start(1);
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.tmrHide->isActive());

    QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(closed.count(), 1);
}

TEST(Splash, ClickThenTimerShowsThePanelOnlyOnce)
{
    const struct {
        const char *where;
        Qt::MouseButton button;
        QPoint pos;
    } clicks[] = {
        {"artwork", Qt::LeftButton, {50, 50}},
        {"version label", Qt::LeftButton, {}},
        {"right button", Qt::RightButton, {200, 120}},
    };
    for (const auto &c : clicks) {
        SCOPED_TRACE(c.where);
        qr::frmSplash splash;
        splash.show();
        QSignalSpy closed(&splash, &qr::frmSplash::closedToPanel);
        const QPoint pos = c.pos.isNull() ? splash.vernfo->geometry().center() : c.pos;
        QTest::mouseClick(&splash, c.button, {}, pos);
        EXPECT_EQ(closed.count(), 1);
        EXPECT_FALSE(splash.isVisible());
        EXPECT_FALSE(splash.tmrHide->isActive());

        // even a timer that still fired must not show the panel again
        QSignalSpy fired(splash.tmrHide, &QTimer::timeout);
        splash.tmrHide->start(1);
        ASSERT_TRUE(fired.wait(5000));
        EXPECT_EQ(closed.count(), 1);
    }
}

TEST(Splash, HiddenSplashStillClosesToThePanel)
{
    // the start-up path without splash creates it hidden and lets its timer run
    qr::frmSplash splash;
    QSignalSpy closed(&splash, &qr::frmSplash::closedToPanel);
    splash.tmrHide->start(1);
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_EQ(closed.count(), 1);
}

TEST(Splash, ClosedFromOutsideStopsTheTimerWithoutThePanel)
{
    qr::frmSplash splash;
    splash.show();
    QSignalSpy closed(&splash, &qr::frmSplash::closedToPanel);
    splash.close();
    EXPECT_FALSE(splash.tmrHide->isActive());
    QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(closed.count(), 0);
}

TEST(About, TextsTitleIconAndOk)
{
    qr::frmAbout about;
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About the Quilvane Ryn"));
    EXPECT_FALSE(about.isModal());
    EXPECT_FALSE(about.windowIcon().isNull());
    EXPECT_EQ(about.Picture1->size(), QSize(120, 120));
    const QPixmap picture = about.Picture1->pixmap();
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(120, 120));
    EXPECT_EQ(picture.devicePixelRatio(), about.devicePixelRatioF());

    const struct {
        QLabel *label;
        QString text;
    } texts[] = {
        {about.Label1, QStringLiteral("Quilvane Multi Media Player  ")},
        {about.Label2, QStringLiteral("Version 1.0  for Windows 95/98")},
        {about.Label4, QStringLiteral("The player requires Windows Media Player in order to run. It uses less CPU so it "
                                      "can increase the smooth playback of DivX video files, but also other media formats")},
    };
    for (const auto &t : texts)
        EXPECT_EQ(t.label->text(), t.text) << t.label->objectName().toStdString();
    EXPECT_TRUE(about.Label5->text().contains(QStringLiteral("Tarvell")));
    EXPECT_TRUE(about.Label3->text().contains(QStringLiteral("support@tarvell.example")));
    for (QLabel *label : {about.Label1, about.Label2, about.Label4, about.Label5, about.Label3})
        EXPECT_TRUE(about.rect().contains(label->geometry())) << label->objectName().toStdString();

    EXPECT_EQ(about.cmdOK->text(), QStringLiteral("OK"));
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    // shown again, it is the same window
    about.show();
    EXPECT_TRUE(about.isVisible());
}
