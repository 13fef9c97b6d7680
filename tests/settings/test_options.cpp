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

// Every box with the value it stands for.
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
    ASSERT_EQ(value(kSplash), QStringLiteral("Error"));
    frmOptions &d = open();
    for (const Switch &s : kSwitches)
        EXPECT_FALSE((d.*s.box)->isChecked()) << s.name.toStdString();
    EXPECT_FALSE(d.cmdApply->isEnabled());
    EXPECT_TRUE(state.DialogOpen);

    click(d.cmdOK);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_FALSE(state.DialogOpen);
    for (const Switch &s : kSwitches)
        EXPECT_EQ(value(s.name), kNo) << s.name.toStdString();
}

TEST_F(OptionsDialog, EachStoredTextGivesItsBoxState)
{
    // Only a text beginning with "yes" (case-sensitive) checks a box; absent
    // or anything else leaves it cleared, chkSplash included.
    const struct {
        const char *stored; // nullptr: absent
        bool checked;
    } cases[] = {{"yes", true}, {"yesterday", true}, {"Yes", false}, {"No", false}, {nullptr, false}};
    for (const Switch &s : kSwitches) {
        for (const auto &c : cases) {
            SCOPED_TRACE(s.name.toStdString() + " = " + (c.stored ? c.stored : "absent"));
            test::TempStore fresh;
            CreateKey(SettingsKey);
            if (c.stored)
                WriteValue(SettingsKey, s.name, QString::fromLatin1(c.stored));
            frmOptions &d = open();
            for (const Switch &other : kSwitches)
                EXPECT_EQ((d.*other.box)->isChecked(), other.box == s.box && c.checked)
                    << other.name.toStdString();
            EXPECT_FALSE(d.cmdApply->isEnabled());
        }
    }
}

TEST_F(OptionsDialog, EachBoxWritesOnlyItsOwnValue)
{
    for (const Switch &s : kSwitches) {
        SCOPED_TRACE(s.name.toStdString());
        test::TempStore fresh;
        frmOptions &d = open();
        QTest::mouseClick(d.*s.box, Qt::LeftButton, {}, QPoint(4, (d.*s.box)->height() / 2));
        EXPECT_TRUE((d.*s.box)->isChecked());
        EXPECT_TRUE(d.cmdApply->isEnabled());
        click(d.cmdOK);
        for (const Switch &other : kSwitches)
            EXPECT_EQ(value(other.name), other.box == s.box ? kYes : kNo) << other.name.toStdString();
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
        d.chkAutostart->setChecked(true);
        d.chkscroll->setChecked(true);
        click(d.*c.button);

        EXPECT_EQ(value(kAutostart), c.writes ? kYes : kNo);
        EXPECT_EQ(value(kScrollTitle), c.writes ? kYes : kNo);
        EXPECT_EQ(state.ScrollTitleEnabled, c.writes) << "title scrolling follows at once";
        EXPECT_EQ(dialog.isNull(), c.closes);
        EXPECT_EQ(state.DialogOpen, c.dialogOpenAfter);
        if (!c.closes) {
            EXPECT_FALSE(d.cmdApply->isEnabled());
        }
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
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a key store");
    file.close();

    frmOptions &d = open();
    EXPECT_FALSE(d.chkSplash->isChecked());
    d.chkExts->setChecked(true);
    click(d.cmdOK);
    EXPECT_TRUE(dialog.isNull());

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
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
        {&d, QPoint(4, d.height() - 4), Qt::LeftButton, true},
        {&d, QPoint(4, d.height() - 4), Qt::RightButton, true},
        {d.Label1, QPoint(10, 10), Qt::LeftButton, true},
        {d.picOptions, QPoint(2, d.picOptions->height() - 2), Qt::LeftButton, true},
        {d.fraConfig, QPoint(d.fraConfig->width() / 2, d.fraConfig->height() - 4), Qt::LeftButton, true},
        {d.chkOnTop, QPoint(4, d.chkOnTop->height() / 2), Qt::LeftButton, false},
        {d.chkOnTop, QPoint(4, d.chkOnTop->height() / 2), Qt::RightButton, false},
        {d.chkOnTop, QPoint(d.chkOnTop->width() - 2, d.chkOnTop->height() / 2), Qt::LeftButton, false},
        {d.cmdOK, QPoint(4, 4), Qt::RightButton, false},
        {d.Label2, QPoint(4, 4), Qt::LeftButton, false},
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
        EXPECT_LE(box->fontMetrics().height(), box->height());
        EXPECT_TRUE(inside.contains(box->geometry())) << "inside the frame";
    }
    const QFontMetrics title(d.Label1->font());
    EXPECT_LE(title.horizontalAdvance(d.Label1->text()), d.width() - d.Label1->contentsMargins().left());
    EXPECT_LE(title.ascent() + title.descent(), d.Label1->height());
    EXPECT_GE(d.Label1->font().pointSizeF(), 36) << "the title stays display type";
    EXPECT_LE(d.Label2->fontMetrics().horizontalAdvance(d.Label2->text()), d.Label2->width());
    EXPECT_LE(d.Label2->geometry().right(), d.rect().right());
}

} // namespace
} // namespace qr
