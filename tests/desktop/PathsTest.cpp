#include "desktop/Paths.h"
#include "desktop/FileDialogs.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qr::test {
namespace {

TEST(PathHelpers, SplitPaths)
{
    struct Case {
        QString path, extension, nameOnly, shortTitle;
    } cases[] = {
        {"/home/u/clip.avi", "avi", "clip.avi", "clip.avi"},
        {"/home/a.b/file", "", "file", "file"},
        {"/home/a.b/c.mkv", "mkv", "c.mkv", "c.mkv"},
        {"/home/u/noext", "", "noext", "noext"},
        {"clip.avi", "avi", "", ""},
        {"", "", "", ""},
        {"/m/abcdefghijklmnopqrstuvwx", "", "abcdefghijklmnopqrstuvwx", "abcdefghijklmnopqrstuvwx"},
        {"/m/abcdefghijklmnopqrstuvwxy", "", "abcdefghijklmnopqrstuvwxy", "abcdefghijklmnopqrstuvwx..."},
        {"/m/dir/", "", "", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(fileExtension(c.path), c.extension) << c.path.toStdString();
        EXPECT_EQ(fileNameOnly(c.path), c.nameOnly) << c.path.toStdString();
        EXPECT_EQ(shortFileTitle(c.path), c.shortTitle) << c.path.toStdString();
    }
}

TEST(PathHelpers, FileExists)
{
    QTemporaryDir dir;
    auto touch = [&](const QString &name) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return f.fileName();
    };
    const QString plain = touch("clip.avi");
    const QString hidden = touch(".hidden.avi");
    const QString wild = touch("a*b?.avi");
    QDir(dir.path()).mkdir("folder");
    QFile::link(plain, dir.filePath("link.avi"));
    QFile::link(dir.filePath("folder"), dir.filePath("dirlink"));

    const std::pair<QString, bool> cases[] = {
        {plain, true},
        {hidden, true},
        {wild, true},
        {dir.filePath("link.avi"), true},
        {dir.filePath("*.avi"), false},
        {dir.filePath("folder"), false},
        {dir.filePath("dirlink"), false},
        {dir.filePath("gone.avi"), false},
        {"", false},
    };
    for (const auto &[path, exists] : cases)
        EXPECT_EQ(fileExists(path), exists) << path.toStdString();
}

TEST(PathHelpers, DialogFiltersMatchAnyCase)
{
    const QString media = openDialogFilter(FileKind::Media);
    EXPECT_TRUE(media.startsWith("Supported media types ("));
    EXPECT_TRUE(media.contains("*.[aA][vV][iI]"));
    EXPECT_TRUE(media.contains("*.[mM][pP][eE][gG]"));
    EXPECT_TRUE(media.endsWith(";;All files (*)"));
    EXPECT_TRUE(openDialogFilter(FileKind::Subtitles)
                    .startsWith("Supported subtitle files (*.[tT][xX][tT] *.[sS][uU][bB] *.[sS][rR][tT])"));
}

} // namespace
} // namespace qr::test
