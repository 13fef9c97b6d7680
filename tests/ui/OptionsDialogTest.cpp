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

// Only a text beginning with "yes" (case-sensitive) checks a box, the
// splash box aside (below); each box writes its own value; Apply writes at
// once, and a Cancel after it keeps what Apply wrote.
TEST_F(OptionsDialogTest, EachBoxReadsAndWritesOnlyItsOwnValue)
{
    const size_t n = std::size(Switches);
    for (size_t i = 0; i < n; ++i) {
        const Switch &s = Switches[i], &next = Switches[(i + 1) % n], &third = Switches[(i + 2) % n];
        SCOPED_TRACE(s.box);
        TempStore fresh;
        for (const Switch &other : Switches)
            setValue(other.name, &other == &s                             ? "yesterday"
                                 : &other.name == &PlayerSettings::Splash ? "no"
                                                                          : "Yes");
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

// The splash box shows whether the splash shows: it does unless the value
// begins with "no", so on a first run (no value, no key) it is checked and
// an untouched OK keeps the splash.
TEST_F(OptionsDialogTest, SplashBoxIsClearedOnlyWhenTheSplashIsSkipped)
{
    const struct {
        const char *what;
        std::optional<QString> splash; // nullopt: absent
        bool checked;
    } cases[] = {
        {"absent", std::nullopt, true}, {"yes", "yes", true}, {"no", "no", false},
        {"nope", "nope", false},        {"No", "No", true},   {"empty", "", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempStore fresh;
        if (c.splash)
            setValue(PlayerSettings::Splash, *c.splash);
        openDialog();
        EXPECT_EQ(box("splashBox")->isChecked(), c.checked);
        click("ok");
        EXPECT_EQ(value(PlayerSettings::Splash), c.checked ? "yes" : "no");
    }
}

// From a first run, which shows every box but the splash one cleared: OK
// and Apply write all seven, Cancel nothing; title scrolling follows at once.
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
            EXPECT_EQ(box(s.box)->isChecked(), &s == &Switches[0]) << s.box;
        box("scrollTitleBox")->setChecked(true);
        click(c.button);
        for (const Switch &s : Switches)
            EXPECT_EQ(value(s.name), !c.writes                                  ? "<none>"
                                     : &s == &Switches[0] || &s == &Switches[6] ? "yes"
                                                                                : "no")
                << s.box;
        EXPECT_EQ(session->scrollTitleEnabled(), c.writes);
        EXPECT_EQ(dialog.isNull(), c.closes);
        EXPECT_EQ(session->dialogOpen(), c.dialogOpenAfter);
        EXPECT_TRUE(c.closes || !button("apply")->isEnabled()) << "Apply is spent";
    }
}

// As every switch reads off, the splash shows: its box alone is checked.
TEST_F(OptionsDialogTest, DamagedStoreReadsAllOffAndIsLeftAlone)
{
    WriteFile(store.path(), "this is not a key store");
    openDialog();
    for (const Switch &s : Switches)
        EXPECT_EQ(box(s.box)->isChecked(), &s == &Switches[0]) << s.box;
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
