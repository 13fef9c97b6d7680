#include "core/AppState.h"
#include "desktop/windowpos.h"
#include "settings/SettingsKeys.h"
#include "settings/frmOptions.h"
#include "settings/registry.h"
#include "tests/support/TempStore.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
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
    void store7(const QString &text)
    {
        CreateKey(SettingsKey);
        for (const Switch &s : kSwitches)
            WriteValue(SettingsKey, s.name, text);
    }
    QString value(const QString &name)
    {
        return ReadValue(SettingsKey, name).value_or(QStringLiteral("<none>"));
    }
};

TEST_F(OptionsDialog, FirstRunCreatesTheKeyShowsAllClearedAndOkStoresNo)
{
    frmOptions &d = open();
    for (const Switch &s : kSwitches)
        EXPECT_FALSE((d.*s.box)->isChecked()) << s.name.toStdString();
    EXPECT_TRUE(state.DialogOpen);
    click(d.cmdOK);
    for (const Switch &s : kSwitches)
        EXPECT_EQ(value(s.name), kNo) << s.name.toStdString();
}

// Only a text beginning with "yes" (case-sensitive) checks a box; each box writes its own value.
TEST_F(OptionsDialog, EachBoxReadsAndWritesOnlyItsOwnValue)
{
    for (size_t i = 0; i < std::size(kSwitches); ++i) {
        const Switch &s = kSwitches[i], &next = kSwitches[(i + 1) % std::size(kSwitches)];
        SCOPED_TRACE(s.name.toStdString());
        test::TempStore fresh;
        store7("Yes");
        WriteValue(SettingsKey, s.name, "yesterday");
        frmOptions &d = open();
        for (const Switch &other : kSwitches)
            EXPECT_EQ((d.*other.box)->isChecked(), other.box == s.box) << other.name.toStdString();
        EXPECT_FALSE(d.cmdApply->isEnabled());
        QTest::mouseClick(d.*s.box, Qt::LeftButton, {}, QPoint(4, (d.*s.box)->height() / 2));
        QTest::mouseClick(d.*next.box, Qt::LeftButton, {}, QPoint(4, (d.*next.box)->height() / 2));
        EXPECT_TRUE(d.cmdApply->isEnabled());
        click(d.cmdOK);
        for (const Switch &other : kSwitches)
            EXPECT_EQ(value(other.name), other.box == next.box ? kYes : kNo) << other.name.toStdString();
    }
}

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
        store7(kNo);
        frmOptions &d = open();
        SCOPED_TRACE((d.*c.button)->text().toStdString());
        d.chkscroll->setChecked(true);
        click(d.*c.button);

        EXPECT_EQ(value(kScrollTitle), c.writes ? kYes : kNo);
        EXPECT_EQ(state.ScrollTitleEnabled, c.writes) << "title scrolling follows at once";
        EXPECT_EQ(dialog.isNull(), c.closes);
        EXPECT_EQ(state.DialogOpen, c.dialogOpenAfter);
        EXPECT_TRUE(c.closes || !d.cmdApply->isEnabled()) << "Apply is spent";
        state = AppState();
    }
}

TEST_F(OptionsDialog, ApplyThenCancelKeepsWhatApplyWroteAndNextOpeningShowsIt)
{
    store7(kNo);
    frmOptions &d = open();
    d.chkPlayer->setChecked(true);
    click(d.cmdApply);
    d.chkOnTop->setChecked(true);
    click(d.cmdCancel);

    EXPECT_EQ(value(kRememberPlayer), kYes);
    EXPECT_EQ(value(kOntop), kNo);
    EXPECT_FALSE(state.OnTopEnabled) << "Ontop takes effect only at the next start";
    frmOptions &again = open();
    EXPECT_TRUE(again.chkPlayer->isChecked());
    EXPECT_FALSE(again.chkOnTop->isChecked());
}

TEST_F(OptionsDialog, DamagedStoreReadsAllOffAndIsLeftAlone)
{
    QFile file(store.path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.write("this is not a key store") > 0 && file.flush());
    frmOptions &d = open();
    EXPECT_FALSE(d.chkSplash->isChecked());
    d.chkExts->setChecked(true);
    click(d.cmdOK);
    EXPECT_TRUE(dialog.isNull());
    file.seek(0);
    EXPECT_EQ(file.readAll(), QByteArray("this is not a key store"));
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
