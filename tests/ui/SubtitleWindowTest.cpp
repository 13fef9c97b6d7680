#include "ui/SubtitleWindow.h"
#include "desktop/Twips.h"
#include "tests/support/SessionFixture.h"

#include <QLabel>
#include <QTest>

namespace qr::test {
namespace {

class SubtitleWindowTest : public SessionFixture {};

// White plain text on black: a subtitle line is never read as markup.
TEST_F(SubtitleWindowTest, LooksAsDesigned)
{
    SubtitleWindow window(*session);
    EXPECT_EQ(window.windowTitle(), "Subtitles");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.size(), QSize(pixelsX(7530), pixelsY(1560)));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 2, shot.height() - 2)), QColor(Qt::black));
    const auto *text = window.findChild<QLabel *>("subtitleText");
    EXPECT_EQ(text->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(text->textFormat(), Qt::PlainText);
}

TEST_F(SubtitleWindowTest, ClosedItOnlyHidesAndShowsAgainEmpty)
{
    setValue(PlayerSettings::UseSubs, "yes");
    remake().applyStartSettings(QSize(274, 113));
    session->loadPanel(std::nullopt);
    QPointer<SubtitleWindow> window = new SubtitleWindow(*session);
    session->setShown(PlayerWindow::Subtitles, true);
    window->show();
    const QString subs = makeFile("clip.sub", "{0}{100}text\r\n");
    media.state = PlayState::Playing;
    session->openChosenFile(makeFile("clip.avi"), subs);
    media.position = 1;
    session->clockTick();
    const auto *text = window->findChild<QLabel *>("subtitleText");
    EXPECT_EQ(text->text(), "text");

    EXPECT_TRUE(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(window) << "closing only hides";
    EXPECT_FALSE(session->isShown(PlayerWindow::Subtitles));
    EXPECT_TRUE(text->text().isEmpty());
    media.state = PlayState::Paused;
    session->clockTick();
    EXPECT_TRUE(session->isShown(PlayerWindow::Subtitles)) << "the next tick shows it again";
    delete window;
}

} // namespace
} // namespace qr::test
