#include "ui/OptionsDialog.h"
#include "tests/settings/StoreDump.h"
#include "tests/support/SessionFixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace qr::test {
namespace {

struct Switch {
    const char *box;
    const QString &name;
};

const Switch Switches[] = {
    {"splashBox", PlayerSettings::Splash},
    {"registerExtensionsBox", PlayerSettings::Registext},
    {"windowPositionsBox", PlayerSettings::Windowpos},
    {"autostartBox", PlayerSettings::Autostart},
    {"alwaysOnTopBox", PlayerSettings::Ontop},
    {"rememberPlayerBox", PlayerSettings::RememberPlayer},
    {"scrollTitleBox", PlayerSettings::ScrollTitle},
};

class OptionsDialogTest : public SessionFixture {
protected:
    void TearDown() override { delete dialog; }
    OptionsDialog &openDialog()
    {
        delete dialog;
        dialog = new OptionsDialog(*session, settings);
        return *dialog;
    }
    QCheckBox *box(const char *name) const { return dialog->findChild<QCheckBox *>(name); }
    QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(name); }
    // OK and Cancel delete the dialog once the event loop comes round.
    void click(const char *name)
    {
        QTest::mouseClick(button(name), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void clickBox(const char *name) { QTest::mouseClick(box(name), Qt::LeftButton, {}, QPoint(4, 6)); }

    QPointer<OptionsDialog> dialog;
};

// Only a text beginning with "yes" (case-sensitive) checks a box; each box
// writes its own value; Apply writes at once, and a Cancel after it keeps
// what Apply wrote.
TEST_F(OptionsDialogTest, EachBoxReadsAndWritesOnlyItsOwnValue)
{
    const size_t n = std::size(Switches);
    for (size_t i = 0; i < n; ++i) {
        const Switch &s = Switches[i], &next = Switches[(i + 1) % n], &third = Switches[(i + 2) % n];
        SCOPED_TRACE(s.box);
        TempStore fresh;
        for (const Switch &other : Switches)
            setValue(other.name, &other == &s ? "yesterday" : "Yes");
        openDialog();
        for (const Switch &other : Switches)
            EXPECT_EQ(box(other.box)->isChecked(), &other == &s) << other.box;
        EXPECT_FALSE(button("apply")->isEnabled());
        clickBox(s.box);
        clickBox(next.box);
        EXPECT_TRUE(button("apply")->isEnabled());
        click("apply");
        box(third.box)->setChecked(true);
        click("cancel");
        for (const Switch &other : Switches)
            EXPECT_EQ(value(other.name), &other == &next ? "yes" : "no") << other.box;
    }
}

// From a first run, which shows every box cleared: OK and Apply write all
// seven, Cancel nothing; title scrolling follows at once.
TEST_F(OptionsDialogTest, ButtonsWriteCloseAndClearDialogOpenAsEachShould)
{
    const struct {
        const char *button;
        bool writes, closes, dialogOpenAfter;
    } cases[] = {
        {"ok", true, true, false},
        {"apply", true, false, true},
        {"cancel", false, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button);
        TempStore fresh;
        remake();
        openDialog();
        EXPECT_TRUE(session->dialogOpen());
        for (const Switch &s : Switches)
            EXPECT_FALSE(box(s.box)->isChecked()) << s.box;
        box("scrollTitleBox")->setChecked(true);
        click(c.button);
        for (const Switch &s : Switches)
            EXPECT_EQ(value(s.name), !c.writes ? "<none>" : &s == &Switches[6] ? "yes" : "no") << s.box;
        EXPECT_EQ(session->scrollTitleEnabled(), c.writes);
        EXPECT_EQ(dialog.isNull(), c.closes);
        EXPECT_EQ(session->dialogOpen(), c.dialogOpenAfter);
        EXPECT_TRUE(c.closes || !button("apply")->isEnabled()) << "Apply is spent";
    }
}

TEST_F(OptionsDialogTest, DamagedStoreReadsAllOffAndIsLeftAlone)
{
    WriteFile(store.path(), "this is not a key store");
    openDialog();
    for (const Switch &s : Switches)
        EXPECT_FALSE(box(s.box)->isChecked()) << s.box;
    box("registerExtensionsBox")->setChecked(true);
    click("ok");
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(ReadFile(store.path()), "this is not a key store");
}

TEST_F(OptionsDialogTest, EveryTextFitsItsControl)
{
    openDialog();
    const auto *frame = dialog->findChild<QGroupBox *>("frame");
    for (const Switch &s : Switches) {
        const QCheckBox *b = box(s.box);
        EXPECT_LE(b->sizeHint().width(), b->width()) << s.box;
        EXPECT_TRUE(frame->contentsRect().contains(b->geometry())) << s.box << " inside the frame";
    }
    const auto *band = dialog->findChild<QLabel *>("band");
    EXPECT_LE(band->fontMetrics().horizontalAdvance(band->text()),
              dialog->width() - band->contentsMargins().left());
}

} // namespace
} // namespace qr::test
