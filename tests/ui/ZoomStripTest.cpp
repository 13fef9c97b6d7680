// The zoom strip: docked to the panel, the session's choices, the custom
// size prompts and the list's focus.
#include "ui/ZoomStrip.h"
#include "tests/support/SessionFixture.h"

#include <QComboBox>
#include <QTest>

namespace qr::test {
namespace {

class ZoomStripTest : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        session->setPanelPosition(QPoint(300, 200));
        strip = std::make_unique<ZoomStrip>(*session, 113);
        open("clip.mpg");
        media.openStream(352, 240, 10);
        session->showZoomStrip();
        strip->show();
    }
    QComboBox *list() const { return strip->findChild<QComboBox *>(); }
    void choose(const QString &text)
    {
        list()->setCurrentText(text);
        Q_EMIT list()->activated(list()->currentIndex());
    }

    std::unique_ptr<ZoomStrip> strip;
};

TEST_F(ZoomStripTest, DocksToThePanelsLeftAtItsHeight)
{
    EXPECT_EQ(strip->height(), 113);
    EXPECT_EQ(strip->geometry().topRight() + QPoint(1, 0), QPoint(300, 200));
    session->setPanelPosition(QPoint(330, 240));
    EXPECT_EQ(strip->pos(), QPoint(330 - strip->width(), 240)) << "follows the panel";
}

TEST_F(ZoomStripTest, ListsTheSessionsChoicesAndHandsOverTheOneMade)
{
    ASSERT_EQ(list()->count(), 13);
    EXPECT_EQ(list()->itemText(10), "352x240");
    EXPECT_EQ(list()->currentIndex(), -1);
    choose("200%");
    EXPECT_EQ(session->zoomChoice(), 2);
    EXPECT_EQ(session->videoSizeText(), "704x480");
}

TEST_F(ZoomStripTest, CustomSizeAsksTwiceAndGivesUpOnAnythingButTwoSizes)
{
    const struct {
        QStringList answers;
        QString sizeText; // "" when nothing changes
        bool asksTwice = true;
    } cases[] = {
        {{"400", "300"}, "400x300"}, {{" 400.4 ", "299.5"}, "400x300"}, {{"704", "0"}, ""},
        {{"", ""}, "", false},       {{"abc", "300"}, "", false},       {{"99999999", "300"}, "", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answers.join(',').toStdString());
        choose("352x240");
        QStringList answers = c.answers;
        QStringList titles;
        strip->setPrompt([&](const QString &, const QString &title, const QString &) {
            titles << title;
            return answers.takeFirst();
        });
        choose("Custom...");
        EXPECT_EQ(session->videoSizeText(), c.sizeText.isEmpty() ? "352x240" : c.sizeText);
        const QStringList asked{"Horizontal Zoom", "Vertical Zoom"};
        EXPECT_EQ(titles, c.asksTwice ? asked : asked.first(1));
    }
}

TEST_F(ZoomStripTest, ClosingItPutsTheSwitchOff)
{
    ASSERT_TRUE(session->zoomStripShown());
    strip->close();
    EXPECT_FALSE(session->zoomStripShown());
}

} // namespace
} // namespace qr::test
