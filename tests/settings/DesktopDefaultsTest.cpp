#include "settings/DesktopDefaults.h"
#include "StoreDump.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kId = QStringLiteral("example.tarvell.QuilvaneRyn.desktop");
const QStringList kTypes = {"video/x-msvideo", "video/mpeg", "application/vnd.ms-asf", "x-content/video-vcd"};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

// A private home and XDG folders, new for each case; the system data folder
// holds only the MIME database. The process's own settings are not restored:
// this program runs nothing else.
class DesktopDefaults : public ::testing::Test {
protected:
    void SetUp() override { fresh(); }

    void fresh()
    {
        dir = std::make_unique<QTemporaryDir>();
        for (const char *folder : {"home", "config", "etc", "system"})
            QDir().mkpath(path(folder));
        ASSERT_TRUE(QFile::link("/usr/share/mime", path("system/mime")));
        qputenv("HOME", path("home").toUtf8());
        qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", path("etc").toUtf8());
        qputenv("XDG_DATA_HOME", path("data").toUtf8());
        qputenv("XDG_DATA_DIRS", path("system").toUtf8());
    }
    QString path(const QString &relative) const { return dir->filePath(relative); }
    QString list() const { return path("config/mimeapps.list"); }
    void installEntry(const QString &dataDir = QStringLiteral("data"))
    {
        const QByteArray entry = qr::test::ReadFile(qEnvironmentVariable("QR_SOURCE_DIR") + "/dist/" + kId);
        ASSERT_TRUE(entry.startsWith("[Desktop Entry]"));
        writeFile(path(dataDir + "/applications/" + kId), entry);
    }

    // xdg-mime as on a desktop it does not know, with the programs on the PATH.
    QString xdgMimeDefault(const QString &type)
    {
        for (const char *program : {"bin/quilvane-ryn", "bin/other-player"}) {
            writeFile(path(program), "#!/bin/sh\n");
            QFile::setPermissions(path(program), QFile::ReadOwner | QFile::ExeOwner);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION"})
            env.remove(name);
        env.insert("PATH", path("bin") + ":" + env.value("PATH"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start("xdg-mime", {"query", "default", type});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    std::unique_ptr<QTemporaryDir> dir;
};

TEST_F(DesktopDefaults, XdgMimeNamesTheEntryForEachOldType)
{
    ASSERT_EQ(qr::desktopDefaultTypes(), kTypes);
    // Another player is the system's default for these and for MP4.
    writeFile(path("system/applications/other.desktop"),
              "[Desktop Entry]\nType=Application\nName=Other\nExec=other-player %f\nMimeType=" +
                  (kTypes.join(';') + ";video/mp4;").toUtf8() + "\n");
    writeFile(path("etc/mimeapps.list"),
              "[Default Applications]\n" + (kTypes.join("=other.desktop;\n") + "=other.desktop;\n").toUtf8() +
                  "video/mp4=other.desktop;\n");
    installEntry();
    EXPECT_EQ(xdgMimeDefault("video/x-msvideo"), "other.desktop");
    EXPECT_TRUE(qr::setDesktopDefaults());
    for (const QString &type : kTypes)
        EXPECT_EQ(xdgMimeDefault(type), kId) << type.toStdString();
    EXPECT_EQ(xdgMimeDefault("video/mp4"), "other.desktop");
    // Done once: the next start-up finds nothing to write.
    EXPECT_FALSE(qr::setDesktopDefaults());
}

// Each case: what is there before (null: no list), the file written and all it then holds.
TEST_F(DesktopDefaults, WritesTheDefaultsAndKeepsTheRest)
{
    const QString ours = kTypes.join("=" + kId + ";\n") + "=" + kId + ";\n";
    const QString group = "[Default Applications]\n";
    const struct {
        const char *name;
        std::function<void()> prepare;
        QByteArray before;
        QString written;
        QString after;
    } cases[] = {
        {"no list yet", [&] { installEntry(); }, QByteArray(), "config/mimeapps.list", group + ours},
        {"other groups and comments stay; the group is added", [&] { installEntry(); },
         "# mine\n[Added Associations]\ntext/plain=ed.desktop;\n", "config/mimeapps.list",
         "# mine\n[Added Associations]\ntext/plain=ed.desktop;\n\n" + group + ours},
        {"new keys follow the group's last key", [&] { installEntry(); },
         "[Default Applications]\n  text/plain = ed.desktop;\n\n# next\n[Removed "
         "Associations]\nimage/png=v.desktop;",
         "config/mimeapps.list",
         group + "  text/plain = ed.desktop;\n" + ours +
             "\n# next\n[Removed Associations]\nimage/png=v.desktop;\n"},
        {"ours moves first, the others stay after it", [&] { installEntry(); },
         "[Default Applications]\nVIDEO/MPEG=other.desktop;" + kId.toUtf8() +
             "\nvideo/x-msvideo=" + kId.toUtf8() + ";old.desktop;\n",
         "config/mimeapps.list",
         group + "VIDEO/MPEG=" + kId + ";other.desktop;\nvideo/x-msvideo=" + kId +
             ";old.desktop;\napplication/vnd.ms-asf=" + kId + ";\nx-content/video-vcd=" + kId + ";\n"},
        {"a linked list is written through the link",
         [&] {
             installEntry();
             writeFile(path("dotfiles/mimeapps.list"), "");
             QFile::link(path("dotfiles/mimeapps.list"), list());
         },
         QByteArray(), "dotfiles/mimeapps.list", group + ours},
        {"unset, empty and relative variables: the folders under HOME",
         [&] {
             qunsetenv("XDG_DATA_HOME");
             qputenv("XDG_DATA_DIRS", (path("elsewhere") + "::relative:" + path("system")).toUtf8());
             qputenv("XDG_CONFIG_HOME", "config");
             QDir().mkpath(path("home/.config"));
             installEntry("home/.local/share");
         },
         QByteArray(), "home/.config/mimeapps.list", group + ours},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        if (!c.before.isNull())
            writeFile(list(), c.before);
        c.prepare();
        EXPECT_TRUE(qr::setDesktopDefaults());
        EXPECT_EQ(QString::fromUtf8(qr::test::ReadFile(path(c.written))), c.after);
    }
}

// Each case sets up what must stop it; the config folder must then be as it was.
TEST_F(DesktopDefaults, ChangesNothingWhenItShouldNot)
{
    const QByteArray plain = "[Default Applications]\ntext/plain=ed.desktop;\n";
    const struct {
        const char *name;
        bool entry;
        QByteArray before;
        std::function<void()> prepare;
    } cases[] = {
        {"the entry is not installed", false, plain, [] {}},
        {"no config folder", true, QByteArray(), [&] { QDir(path("config")).removeRecursively(); }},
        {"read-only config folder", true, QByteArray(),
         [&] { QFile::setPermissions(path("config"), QFile::ReadOwner | QFile::ExeOwner); }},
        {"read-only list", true, plain, [&] { QFile::setPermissions(list(), QFile::ReadOwner); }},
        {"the list is a folder", true, QByteArray(), [&] { QDir().mkpath(list()); }},
        {"a key before any group", true, "text/plain=ed.desktop;\n[Default Applications]\n", [] {}},
        {"a line that is no key", true, "[Default Applications]\nvideo/mpeg\n", [] {}},
        {"a group twice", true, "[Default Applications]\n[Default Applications]\n", [] {}},
        {"CR LF lines", true, "[Default Applications]\r\ntext/plain=ed.desktop;\r\n", [] {}},
        {"not UTF-8", true, "[Default Applications]\ntext/plain=\xff.desktop;\n", [] {}},
        {"larger than a megabyte", true, "[Default Applications]\n#" + QByteArray(1 << 20, 'x') + "\n",
         [] {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        if (c.entry)
            installEntry();
        if (!c.before.isNull())
            writeFile(list(), c.before);
        c.prepare();
        const auto entries = [&] { return QDir(path("config")).entryList(QDir::AllEntries | QDir::Hidden); };
        const QStringList before = entries();
        EXPECT_FALSE(qr::setDesktopDefaults());
        EXPECT_EQ(entries(), before);
        if (!c.before.isNull()) {
            EXPECT_EQ(qr::test::ReadFile(list()), c.before);
        }
    }
}

} // namespace
