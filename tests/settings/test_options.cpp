#include "StoreDump.h"

#include "core/AppState.h"
#include "desktop/windowpos.h"
#include "settings/SettingsKeys.h"
#include "settings/frmOptions.h"
#include "settings/registry.h"
#include "tests/support/TempStore.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace qr {
namespace {

using Box = QCheckBox *frmOptions::*;

struct Switch {
    Box box;
    const QString &name;
};

const Switch kSwitches[] = {
    {&frmOptions::chkSplash, kSplash},       {&frmOptions::chkExts, kRegistext},
    {&frmOptions::chkWindowPos, kWindowpos}, {&frmOptions::chkAutostart, kAutostart},
    {&frmOptions::chkOnTop, kOntop},         {&frmOptions::chkPlayer, kRememberPlayer},
    {&frmOptions::chkscroll, kScrollTitle},
};

class OptionsDialog : public ::testing::Test {
protected:
    test::TempStore store;
    AppState state;
    QPointer<frmOptions> dialog;

    void TearDown() override
    {
        delete dialog;
        SetAfterDragHook({});
    }

    frmOptions &open()
    {
        delete dialog;
        dialog = new frmOptions(state);
        return *dialog;
    }
    // OK and Cancel delete the dialog once the event loop comes round.
    void click(QPushButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString value(const QString &name) { return ReadValue(SettingsKey, name).value_or("<none>"); }
};

// Only a text beginning with "yes" (case-sensitive) checks a box; each box writes its own value,
// Apply does so at once and a Cancel after it keeps what Apply wrote.
TEST_F(OptionsDialog, EachBoxReadsAndWritesOnlyItsOwnValue)
{
    const size_t n = std::size(kSwitches);
    for (size_t i = 0; i < n; ++i) {
        const Switch &s = kSwitches[i], &next = kSwitches[(i + 1) % n], &third = kSwitches[(i + 2) % n];
        SCOPED_TRACE(s.name.toStdString());
        test::TempStore fresh;
        CreateKey(SettingsKey);
        for (const Switch &other : kSwitches)
            WriteValue(SettingsKey, other.name, other.box == s.box ? "yesterday" : "Yes");
        frmOptions &d = open();
        for (const Switch &other : kSwitches)
            EXPECT_EQ((d.*other.box)->isChecked(), other.box == s.box) << other.name.toStdString();
        EXPECT_FALSE(d.cmdApply->isEnabled());
        QTest::mouseClick(d.*s.box, Qt::LeftButton, {}, QPoint(4, (d.*s.box)->height() / 2));
        QTest::mouseClick(d.*next.box, Qt::LeftButton, {}, QPoint(4, (d.*next.box)->height() / 2));
        EXPECT_TRUE(d.cmdApply->isEnabled());
        click(d.cmdApply);
        (d.*third.box)->setChecked(true);
        click(d.cmdCancel);
        for (const Switch &other : kSwitches)
            EXPECT_EQ(value(other.name), other.box == next.box ? kYes : kNo) << other.name.toStdString();
        EXPECT_FALSE(state.OnTopEnabled) << "Ontop takes effect only at the next start";
    }
}

// From a first run, which shows every box cleared: OK and Apply write all seven, Cancel nothing.
TEST_F(OptionsDialog, ButtonsWriteCloseAndClearDialogOpenAsEachShould)
{
    const struct {
        QPushButton *frmOptions::*button;
        bool writes;
        bool closes;
        bool dialogOpenAfter;
    } cases[] = {
        {&frmOptions::cmdOK, true, true, false},
        {&frmOptions::cmdApply, true, false, true},
        {&frmOptions::cmdCancel, false, true, true},
    };
    for (const auto &c : cases) {
        test::TempStore fresh;
        frmOptions &d = open();
        SCOPED_TRACE((d.*c.button)->text().toStdString());
        EXPECT_TRUE(state.DialogOpen);
        for (const Switch &s : kSwitches)
            EXPECT_FALSE((d.*s.box)->isChecked()) << s.name.toStdString();
        d.chkscroll->setChecked(true);
        click(d.*c.button);

        for (const Switch &s : kSwitches)
            EXPECT_EQ(value(s.name), !c.writes ? "Error" : s.box == &frmOptions::chkscroll ? kYes : kNo)
                << s.name.toStdString();
        EXPECT_EQ(state.ScrollTitleEnabled, c.writes) << "title scrolling follows at once";
        EXPECT_EQ(dialog.isNull(), c.closes);
        EXPECT_EQ(state.DialogOpen, c.dialogOpenAfter);
        EXPECT_TRUE(c.closes || !d.cmdApply->isEnabled()) << "Apply is spent";
        state = AppState();
    }
}

TEST_F(OptionsDialog, DamagedStoreReadsAllOffAndIsLeftAlone)
{
    test::WriteFile(store.path(), "this is not a key store");
    frmOptions &d = open();
    for (const Switch &s : kSwitches)
        EXPECT_FALSE((d.*s.box)->isChecked()) << s.name.toStdString();
    d.chkExts->setChecked(true);
    click(d.cmdOK);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(test::ReadFile(store.path()), "this is not a key store");
}

TEST_F(OptionsDialog, PressingTheBackgroundFrameOrBandDragsTheDialog)
{
    int drags = 0;
    SetAfterDragHook([&drags] { ++drags; });
    frmOptions &d = open();
    const struct {
        QWidget *target;
        QPoint at;
        Qt::MouseButton button;
        bool drags;
    } cases[] = {
        {&d, QPoint(4, d.height() - 4), Qt::RightButton, true},
        {d.Label1, QPoint(10, 10), Qt::LeftButton, true},
        {d.fraConfig, QPoint(d.fraConfig->width() / 2, d.fraConfig->height() - 4), Qt::LeftButton, true},
        {d.chkOnTop, QPoint(d.chkOnTop->width() - 2, d.chkOnTop->height() / 2), Qt::LeftButton, false},
        {d.cmdOK, QPoint(4, 4), Qt::RightButton, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target->objectName().toStdString());
        drags = 0;
        QTest::mousePress(c.target, c.button, {}, c.at);
        QTest::mouseRelease(c.target, c.button, {}, c.at);
        EXPECT_EQ(drags, c.drags ? 1 : 0);
    }
}

TEST_F(OptionsDialog, EveryTextFitsItsControl)
{
    frmOptions &d = open();
    const QRect inside = d.fraConfig->contentsRect();
    for (const Switch &s : kSwitches) {
        const QCheckBox *box = d.*s.box;
        SCOPED_TRACE(box->objectName().toStdString());
        EXPECT_LE(box->sizeHint().width(), box->width());
        EXPECT_TRUE(inside.contains(box->geometry())) << "inside the frame";
    }
    EXPECT_LE(d.Label1->fontMetrics().horizontalAdvance(d.Label1->text()),
              d.width() - d.Label1->contentsMargins().left());
}

} // namespace
} // namespace qr
