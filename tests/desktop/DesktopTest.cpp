#include "desktop/FileDialogs.h"
#include "desktop/Paths.h"
#include "desktop/WindowHelpers.h"
#include "tests/support/QtPrinters.h"

#include <QCursor>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace qr::test {
namespace {

// Extension, name and short title (24 characters, then "..."); a file is a regular one, links followed;
// media files of a folder come in natural order.
TEST(Paths, SplitAndFindFiles)
{
    for (const QString row :
         {"/home/a.b/c.mkv|mkv|c.mkv|c.mkv", "/home/a.b/file||file|file", "clip.avi|avi||", "/m/dir/|||",
          "/m/abcdefghijklmnopqrstuvwx||abcdefghijklmnopqrstuvwx|abcdefghijklmnopqrstuvwx",
          "/m/abcdefghijklmnopqrstuvwxy||abcdefghijklmnopqrstuvwxy|abcdefghijklmnopqrstuvwx..."}) {
        const QStringList c = row.split('|'); // path, extension, name, short title
        EXPECT_EQ(QStringList({c[0], fileExtension(c[0]), fileNameOnly(c[0]), shortFileTitle(c[0])}), c);
    }
    QTemporaryDir dir;
    for (const char *name : {"clip.avi", "Ep10.MKV", "ep9.mp4", "notes.txt"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("folder");
    QFile::link(dir.filePath("clip.avi"), dir.filePath("link.avi"));
    QFile::link(dir.filePath("folder"), dir.filePath("dirlink"));
    using File = std::pair<QString, bool>;
    for (const auto &[name, exists] : {File("clip.avi", true), File("link.avi", true), File("folder", false),
                                       File("dirlink", false), File("gone.avi", false)})
        EXPECT_EQ(fileExists(dir.filePath(name)), exists) << name.toStdString();
    EXPECT_FALSE(fileExists(""));
    EXPECT_EQ(mediaFilesIn(dir.path()), (QStringList{dir.filePath("clip.avi"), dir.filePath("ep9.mp4"),
                                                     dir.filePath("Ep10.MKV"), dir.filePath("link.avi")}));
    const QStringList media = openDialogFilter(FileKind::Media).split(";;");
    ASSERT_EQ(media.size(), 3);
    EXPECT_TRUE(media[0].startsWith("All media files (*.[aA][vV][iI] ") &&
                media[0].contains(" *.[mM][kK][vV] "));
    EXPECT_EQ(media[1],
              "Supported media types (*.[aA][vV][iI] *.[aA][sS][fF] *.[mM][pP][gG] *.[mM][pP][eE][gG] "
              "*.[dD][aA][tT])");
    EXPECT_EQ(media[2], "All files (*)");
    EXPECT_EQ(openDialogFilter(FileKind::Subtitles),
              "Supported subtitle files (*.[tT][xX][tT] *.[sS][uU][bB] *.[sS][rR][tT]);;All files (*)");
}

// Where the window system cannot move a borderless window (offscreen, a bare X server), it follows the
// pointer, moving under it between two steps, from the press to that button's release.
TEST(WindowDrag, TheWindowFollowsThePointerUntilTheButtonIsReleased)
{
    using Drag = std::tuple<Qt::MouseButton, QPoint, QPoint>; // moved while held, where the window ends
    for (const auto &[button, moved, expected] :
         {Drag(Qt::LeftButton, {30, 20}, {130, 120}), Drag(Qt::RightButton, {-40, 15}, {60, 115}),
          Drag(Qt::LeftButton, {}, {100, 100})}) {
        QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(100, 100, 200, 150);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QWindow *handle = window.windowHandle();
        const QPoint grab(50, 40), pressedAt = window.mapToGlobal(grab);
        QCursor::setPos(pressedAt);
        QTest::mousePress(handle, button, {}, grab);
        dragWindow(&window, button);
        QTest::mouseMove(handle, window.mapFromGlobal(pressedAt + moved / 2));
        QTest::mouseMove(handle, window.mapFromGlobal(pressedAt + moved));
        EXPECT_EQ(window.pos(), expected);
        QTest::mouseRelease(handle, button, {}, window.mapFromGlobal(pressedAt + moved));
        QTest::mouseMove(handle, QPoint(120, 90));
        EXPECT_EQ(window.pos(), expected) << "released: the window stays";
    }
}

} // namespace
} // namespace qr::test
