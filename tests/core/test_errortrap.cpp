#include "core/errortrap.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "panel/seekbar/simpleProgress.h"
#include "tests/support/PlayerFixture.h"
#include "video/video.h"

namespace qr::test {
namespace {

TEST(FillErrorText, NumberFirstThenDescription)
{
    struct Case {
        int code;
        const char *description;
        const char *expected;
    } cases[] = {
        {53, "File not found", "#53/File not found/#53"},
        {-2147467259, "Unspecified", "#-2147467259/Unspecified/#-2147467259"},
        {7, "holds [err.Number] literally", "#7/holds [err.Number] literally/#7"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FillErrorText("#[err.Number]/[err.Description]/#[err.Number]", c.code, c.description), c.expected);
}

TEST(ErrorReportText, Layout)
{
    EXPECT_EQ(ErrorReportText("Something failed.", -5, "bad"),
              "Something failed.\r\n\r\nIf this error occurs again, please send the errorcode/description in a mail to "
              "support@tarvell.example\r\n\r\n(Error code: #-5/Error description: bad)");
}

class Reporting : public PlayerFixture {};

TEST_F(Reporting, ReturnsToNoMedia)
{
    for (bool loaded : {true, false}) {
        remote &panel = makePanel();
        media.file = loaded ? QStringLiteral("/m/clip.avi") : QString();
        panel.time->setText(QStringLiteral("0:00:01 / 0:00:02"));
        panel.playbackInfo->setText(QStringLiteral("352 x 240 MPG"));
        panel.progress->setMax(100);
        panel.progress->setValue(50);
        player->videoWindow().show();
        boxes.clear();

        ReportError(*player, QStringLiteral("An error occured while loading program. This may be critical."), 1, "x");
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].title, "Error");
        EXPECT_EQ(boxes[0].icon, MessageBoxRequest::Critical);
        EXPECT_TRUE(media.file.isEmpty());
        EXPECT_EQ(panel.progress->Value(), 0);
        EXPECT_EQ(panel.status->text(), "No media loaded..");
        EXPECT_TRUE(panel.time->text().isEmpty());
        EXPECT_TRUE(panel.playbackInfo->text().isEmpty());
        EXPECT_FALSE(player->videoWindow().isVisible());
        player.reset();
    }
}

} // namespace
} // namespace qr::test
