// The other windows as a user meets them.
#include "desktop/Twips.h"
#include "skins/Skin.h"
#include "tests/support/SessionFixture.h"
#include "ui/AboutWindow.h"
#include "ui/OptionsDialog.h"
#include "ui/SeekBar.h"
#include "ui/SkinWidgets.h"
#include "ui/SplashWindow.h"
#include "ui/SubtitleWindow.h"
#include "ui/VideoWindow.h"
#include "ui/ZoomStrip.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace qr::test {
namespace {

using Windows = SessionFixture;

// The grip drags with the left button alone, after a press on it.
TEST_F(Windows, VideoWindowShowsTheLayoutAndResizesByItsGrip)
{
    QWidget view;
    VideoWindow window(*session, &view);
    window.show();
    open("clip.mpg");
    EXPECT_FALSE(view.isVisibleTo(&window));
    media.openStream(352, 240, 10);
    EXPECT_EQ(window.size(), session->video().layout().windowSize());
    EXPECT_EQ(view.geometry(), QRect(0, 7, 350, 227));
    EXPECT_TRUE(view.isVisibleTo(&window));
    auto *grip = window.findChild<SkinPicture *>("sizer");
    EXPECT_EQ(grip->geometry().bottomRight(), window.rect().bottomRight()) << "the grip keeps its corner";

    const QSize before = window.size();
    for (const auto &[buttons, pressed] : {std::pair{Qt::MouseButtons(Qt::LeftButton), false},
                                           {Qt::LeftButton | Qt::MiddleButton, true},
                                           {Qt::LeftButton, true}}) {
        if (pressed)
            QTest::mousePress(grip, Qt::RightButton, {}, QPoint(1, 1));
        QMouseEvent move(QEvent::MouseMove, QPointF(10, 20), grip->mapToGlobal(QPointF(10, 20)), Qt::NoButton,
                         buttons, {});
        QCoreApplication::sendEvent(grip, &move);
    }
    EXPECT_EQ(window.size(), before + QSize(10, 20)) << "resized once";
    QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(view.geometry(), QRect(0, 7, window.width() - 2, window.height() - 13)) << "fitted";

    // Each skin picture is drawn again at each width the window takes.
    auto *edge = window.findChild<SkinPicture *>("topedge1");
    media.openStream(640, 480, 10);
    const auto image = [](const QPixmap &p) { return p.toImage().convertToFormat(QImage::Format_ARGB32); };
    EXPECT_EQ(image(edge->grab()), image(skinPixmap("topedge1", edge->size(), edge->devicePixelRatioF())));

    window.move(123, 45);
    EXPECT_EQ(windows().videoPosition(), QPoint(123, 45));
    session->play();
    media.calls.clear();
    window.close();
    EXPECT_EQ(media.calls, QStringList{"stop"});
    EXPECT_FALSE(shown(PlayerWindow::Video));
}

TEST_F(Windows, ZoomStripDocksListsAndHandsOverTheChoice)
{
    session->panelMoved(QPoint(300, 200));
    ZoomStrip strip(*session, 113);
    open("clip.mpg");
    media.openStream(352, 240, 10);
    session->showZoomStrip();
    strip.show();
    EXPECT_EQ(strip.geometry().topRight() + QPoint(1, 0), QPoint(300, 200));
    EXPECT_EQ(strip.height(), 113);
    session->panelMoved(QPoint(330, 240));
    EXPECT_EQ(strip.pos(), QPoint(330 - strip.width(), 240)) << "follows the panel";

    auto *list = strip.findChild<QComboBox *>();
    ASSERT_EQ(list->count(), session->video().zoomChoices().size());
    for (int i = 0; i < list->count(); ++i)
        EXPECT_EQ(list->model()->flags(list->model()->index(i, 0)).testFlag(Qt::ItemIsEnabled),
                  session->video().zoomChoices()[i].kind != ZoomChoice::Kind::Separator)
            << "only the separators cannot be chosen: " << i;
    EXPECT_EQ(lines().status(), "Select zoom..");
    EXPECT_EQ(list->currentIndex(), -1);
    list->setCurrentIndex(2);
    Q_EMIT list->activated(2);
    EXPECT_EQ(session->video().shownSize(), "704x480");
    strip.close();
    EXPECT_FALSE(shown(PlayerWindow::ZoomStrip));
}

// White plain text on black; closed it only hides, empty.
TEST_F(Windows, SubtitleWindow)
{
    setValue(PlayerSettings::UseSubs, "yes");
    restart();
    SubtitleWindow window(*session);
    window.show();
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 2, shot.height() - 2)), QColor(Qt::black));
    const auto *text = window.findChild<QLabel *>("subtitleText");
    EXPECT_EQ(text->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(text->textFormat(), Qt::PlainText);

    desktop.files = {{makeFile("clip.avi")}, {makeFile("clip.sub", "{0}{100}<b>text</b>\r\n")}};
    session->openFromDialog();
    media.state = PlayState::Playing;
    media.position = 1;
    session->clockTick();
    EXPECT_EQ(text->text(), "<b>text</b>");
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(text->text().isEmpty());
    EXPECT_FALSE(shown(PlayerWindow::Subtitles));
}

struct Switch {
    const char *box;
    const QString &name;
} const Switches[] = {{"splashBox", PlayerSettings::Splash},
                      {"registerExtensionsBox", PlayerSettings::Registext},
                      {"windowPositionsBox", PlayerSettings::Windowpos},
                      {"autostartBox", PlayerSettings::Autostart},
                      {"alwaysOnTopBox", PlayerSettings::Ontop},
                      {"rememberPlayerBox", PlayerSettings::RememberPlayer},
                      {"scrollTitleBox", PlayerSettings::ScrollTitle},
                      {"resumeBox", PlayerSettings::ResumePlayback}};

// Only "yes..." checks a box, but only "no..." clears the splash box. Cancel keeps what
// Apply wrote.
TEST_F(Windows, OptionsDialogReadsAndWritesEachSwitch)
{
    const size_t n = std::size(Switches);
    for (size_t i = 0; i < n; ++i) {
        const Switch &s = Switches[i], &next = Switches[(i + 1) % n];
        SCOPED_TRACE(s.box);
        TempStore fresh;
        for (const Switch &other : Switches)
            setValue(other.name, &other == &s ? "yesterday" : &other == &Switches[0] ? "no" : "Yes");
        QPointer dialog = new OptionsDialog(*session, settings);
        const auto box = [&](const Switch &sw) { return dialog->findChild<QCheckBox *>(sw.box); };
        const auto click = [&](const char *button) {
            QTest::mouseClick(dialog->findChild<QPushButton *>(button), Qt::LeftButton);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        for (const Switch &other : Switches)
            EXPECT_EQ(box(other)->isChecked(), &other == &s) << other.box;
        EXPECT_FALSE(dialog->findChild<QPushButton *>("apply")->isEnabled());
        QTest::mouseClick(box(s), Qt::LeftButton, {}, QPoint(4, 6));
        QTest::mouseClick(box(next), Qt::LeftButton, {}, QPoint(4, 6));
        click(i % 2 ? "ok" : "apply");
        if (dialog) {
            box(Switches[(i + 2) % n])->setChecked(true);
            click("cancel");
        }
        EXPECT_TRUE(dialog.isNull());
        for (const Switch &other : Switches)
            EXPECT_EQ(value(other.name), &other == &next ? "yes" : "no") << other.box;
    }
    for (const auto &[stored, checked] : {std::pair{"nope", false}, {"No", true}, {"", true}}) {
        setValue(PlayerSettings::Splash, stored);
        OptionsDialog dialog(*session, settings);
        EXPECT_EQ(dialog.findChild<QCheckBox *>("splashBox")->isChecked(), checked) << stored;
    }
}

TEST_F(Windows, OptionsDialogOnADamagedStoreAndItsTextsFit)
{
    makeFile("registry.db", "this is not a key store");
    OptionsDialog dialog(*session, settings);
    const auto *frame = dialog.findChild<QGroupBox *>("frame");
    for (const Switch &s : Switches) {
        const QCheckBox *box = dialog.findChild<QCheckBox *>(s.box);
        EXPECT_EQ(box->isChecked(), &s == &Switches[0]) << s.box << ": all off, so the splash shows";
        EXPECT_LE(box->sizeHint().width(), box->width()) << s.box;
        EXPECT_TRUE(frame->contentsRect().contains(box->geometry())) << s.box;
    }
    const auto *band = dialog.findChild<QLabel *>("band");
    EXPECT_LE(band->fontMetrics().horizontalAdvance(band->text()),
              dialog.width() - band->contentsMargins().left());
    dialog.findChild<QCheckBox *>("registerExtensionsBox")->setChecked(true);
    QTest::mouseClick(dialog.findChild<QPushButton *>("apply"), Qt::LeftButton);
    QFile file(store.path());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == "this is not a key store");
    EXPECT_EQ(failedSaves.size(), 1);
}

// Closed from outside, the panel is not asked for.
TEST(Splash, ShowsTheVersionAndAsksForThePanelOnce)
{
    using Close = void (*)(SplashWindow &);
    for (const auto &[close, emits] :
         {std::pair<Close, int>{[](SplashWindow &s) { s.findChild<QTimer *>()->start(1); }, 1},
          {[](SplashWindow &s) { QTest::mouseClick(&s, Qt::RightButton, {}, QPoint(50, 50)); }, 1},
          {[](SplashWindow &s) { s.close(); }, 0}}) {
        SplashWindow splash;
        splash.show();
        const auto *number = splash.findChild<QLabel *>("versionNumber");
        EXPECT_EQ(number->text(), "v1.0.1");
        EXPECT_EQ(number->x() + number->width() + pixelsX(120), splash.width()) << "flush right";
        auto *timer = splash.findChild<QTimer *>();
        QSignalSpy finished(&splash, &SplashWindow::finished);
        close(splash);
        EXPECT_TRUE(QTest::qWaitFor([&] { return finished.count() == emits; }, 10000));
        EXPECT_FALSE(splash.isVisible());
        QSignalSpy fired(timer, &QTimer::timeout);
        timer->start(1);
        ASSERT_TRUE(fired.wait(10000));
        QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(50, 50));
        EXPECT_EQ(finished.count(), emits);
    }
}

TEST_F(Windows, AboutWindowClosedAnyWayEndsTheDialog)
{
    for (const bool byEsc : {false, true}) {
        session->showAbout();
        AboutWindow about(*session);
        about.show();
        const QPixmap picture = about.findChild<QLabel *>("artwork")->pixmap();
        EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(120, 120));
        if (byEsc)
            QTest::keyClick(&about, Qt::Key_Escape);
        else
            QTest::mouseClick(about.findChild<QPushButton *>("ok"), Qt::LeftButton);
        EXPECT_FALSE(about.isVisible());
        EXPECT_FALSE(shown(PlayerWindow::About) || windows().dialogOpen()) << byEsc;
    }
}

TEST(SeekBarTest, FillsValueOverMaximumAndReportsTheMouse)
{
    SeekBar bar;
    bar.resize(pixelsX(3870), pixelsY(80));
    bar.show();
    using Row = std::tuple<qint64, qint64, int>; // value, maximum, twips filled
    for (const auto &[value, maximum, twips] :
         {Row{0, 100, 0}, {1, 4, 968}, {3, 4, 2902}, {100, 100, 3870}, {18000, 36000, 1935}, {5, 0, 1935}}) {
        bar.setPosition(value, maximum);
        EXPECT_EQ(bar.filledTwips(), twips) << value << " of " << maximum;
    }
    const QImage shot = bar.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(bar.width() / 2 - 2, shot.height() / 2)), QColor(128, 128, 128));
    EXPECT_NE(QColor(shot.pixel(bar.width() / 2 + 2, shot.height() / 2)), QColor(128, 128, 128));

    QSignalSpy pressed(&bar, &SeekBar::pressed);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 2));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).value<Qt::MouseButtons>(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(pressed.at(0).at(1).toDouble(), twipsX(10));
}

} // namespace
} // namespace qr::test
