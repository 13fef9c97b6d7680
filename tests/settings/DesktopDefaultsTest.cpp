#include "settings/DesktopDefaults.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace
{

const QString kId = QStringLiteral("example.tarvell.QuilvaneRyn.desktop");
const QStringList kTypes = {"video/x-msvideo", "video/mpeg", "application/vnd.ms-asf", "x-content/video-vcd"};
const char *const kVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME",
                                  "XDG_DATA_DIRS"};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// A private home and XDG folders; the system data folder holds only the MIME database.
class DesktopDefaults : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        for (const char *name : kVariables)
            saved.append(qgetenv(name));
        fresh();
    }
    void TearDown() override
    {
        writable();
        for (int i = 0; i < int(std::size(kVariables)); ++i)
            saved.at(i).isNull() ? qunsetenv(kVariables[i]) : qputenv(kVariables[i], saved.at(i));
    }

    // New folders, for the next case of a table.
    void fresh()
    {
        if (dir)
            writable();
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
    // So that a non-root user can remove what a case made read-only.
    void writable()
    {
        for (const QString &p : {path("config"), list()})
            QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString path(const QString &relative) const { return dir->filePath(relative); }
    QString list() const { return path("config/mimeapps.list"); }
    void installEntry(const QString &dataDir = QStringLiteral("data"))
    {
        const QString source = qEnvironmentVariable("QR_SOURCE_DIR") + "/dist/" + kId;
        writeFile(path(dataDir + "/applications/" + kId), readFile(source));
        ASSERT_TRUE(readFile(source).startsWith("[Desktop Entry]")) << source.toStdString();
    }

    // xdg-mime as on a desktop it does not know, with the programs on the PATH.
    QString xdgMimeDefault(const QString &type)
    {
        for (const char *program : {"bin/quilvane-ryn", "bin/other-player"}) {
            writeFile(path(program), "#!/bin/sh\n");
            QFile::setPermissions(path(program), QFile::ReadOwner | QFile::ExeOwner);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            env.remove(name);
        env.insert("PATH", path("bin") + ":" + env.value("PATH"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start("xdg-mime", {"query", "default", type});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    std::unique_ptr<QTemporaryDir> dir;
    QList<QByteArray> saved;
};

TEST_F(DesktopDefaults, TypesAreTheSystemsNames)
{
    EXPECT_EQ(qr::desktopDefaultTypes(), kTypes);
}

TEST_F(DesktopDefaults, XdgMimeNamesTheEntryForEveryType)
{
    // Another player is the system's default for everything.
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

// Each case: the list before (null: no file) and after.
TEST_F(DesktopDefaults, KeepsEverythingElseInTheList)
{
    const QString ours = "video/x-msvideo=" + kId + ";\nvideo/mpeg=" + kId +
                         ";\napplication/vnd.ms-asf=" + kId + ";\nx-content/video-vcd=" + kId + ";\n";
    const struct {
        const char *name;
        QByteArray before;
        QString after;
    } cases[] = {
        {"no list yet", QByteArray(), "[Default Applications]\n" + ours},
        {"an empty list", "", "[Default Applications]\n" + ours},
        {"other groups and comments stay; a group is added",
         "# mine\n[Added Associations]\ntext/plain=ed.desktop;\n",
         "# mine\n[Added Associations]\ntext/plain=ed.desktop;\n\n[Default Applications]\n" + ours},
        {"new keys follow the group's last key, before the next group",
         "[Default Applications]\n  text/plain = ed.desktop;\n\n# next\n[Removed "
         "Associations]\nimage/png=v.desktop;",
         "[Default Applications]\n  text/plain = ed.desktop;\n" + ours +
             "\n# next\n[Removed Associations]\nimage/png=v.desktop;\n"},
        {"another default stays as the fallback; ours moves first",
         "[Default Applications]\nVIDEO/MPEG=other.desktop;" + kId.toUtf8() +
             "\nvideo/x-msvideo=" + kId.toUtf8() + ";old.desktop;\n",
         "[Default Applications]\nVIDEO/MPEG=" + kId + ";other.desktop;\nvideo/x-msvideo=" + kId +
             ";old.desktop;\napplication/vnd.ms-asf=" + kId + ";\nx-content/video-vcd=" + kId + ";\n"},
    };
    installEntry();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(list());
        if (!c.before.isNull())
            writeFile(list(), c.before);
        EXPECT_TRUE(qr::setDesktopDefaults());
        EXPECT_EQ(QString::fromUtf8(readFile(list())), c.after);
    }

    // A list kept elsewhere and linked in stays linked.
    QFile::remove(list());
    writeFile(path("dotfiles/mimeapps.list"), "");
    ASSERT_TRUE(QFile::link(path("dotfiles/mimeapps.list"), list()));
    EXPECT_TRUE(qr::setDesktopDefaults());
    EXPECT_EQ(QFileInfo(list()).symLinkTarget(), path("dotfiles/mimeapps.list"));
    EXPECT_EQ(QString::fromUtf8(readFile(path("dotfiles/mimeapps.list"))), "[Default Applications]\n" + ours);
}

TEST_F(DesktopDefaults, FindsTheEntryAndFolderAsTheBaseDirectoryRulesSay)
{
    const struct {
        const char *name;
        std::function<void()> prepare;
        QString written;
    } cases[] = {
        {"entry in the second system folder",
         [&] {
             qputenv("XDG_DATA_DIRS", (path("elsewhere") + "::relative:" + path("system")).toUtf8());
             installEntry("system");
         },
         "config/mimeapps.list"},
        {"unset and relative variables: the folders under HOME",
         [&] {
             qunsetenv("XDG_DATA_HOME");
             qputenv("XDG_CONFIG_HOME", "config");
             QDir().mkpath(path("home/.config"));
             installEntry("home/.local/share");
         },
         "home/.config/mimeapps.list"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        c.prepare();
        EXPECT_TRUE(qr::setDesktopDefaults());
        EXPECT_TRUE(readFile(path(c.written)).startsWith("[Default Applications]\n"));
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
        {"the entry name is a folder", false, plain,
         [&] { QDir().mkpath(path("data/applications/" + kId)); }},
        {"no config folder", true, QByteArray(), [&] { QDir(path("config")).removeRecursively(); }},
        {"read-only config folder", true, QByteArray(),
         [&] { QFile::setPermissions(path("config"), QFile::ReadOwner | QFile::ExeOwner); }},
        {"read-only list", true, plain, [&] { QFile::setPermissions(list(), QFile::ReadOwner); }},
        {"list is a folder", true, QByteArray(), [&] { QDir().mkpath(list()); }},
        {"list is a dangling link", true, QByteArray(), [&] { QFile::link(path("nowhere"), list()); }},
        {"a key before any group", true, "text/plain=ed.desktop;\n[Default Applications]\n", [] {}},
        {"a line that is no key", true, "[Default Applications]\nvideo/mpeg\n", [] {}},
        {"an empty key", true, "[Default Applications]\n=a.desktop;\n", [] {}},
        {"a group twice", true, "[Default Applications]\n[Default Applications]\n", [] {}},
        {"an unclosed group", true, "[Default Applications\n", [] {}},
        {"CR LF lines", true, "[Default Applications]\r\ntext/plain=ed.desktop;\r\n", [] {}},
        {"not UTF-8", true, "[Default Applications]\ntext/plain=\xff.desktop;\n", [] {}},
        {"a byte-order mark", true, "\xef\xbb\xbf[Default Applications]\n", [] {}},
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
        const QStringList filesBefore =
            QDir(path("config")).entryList(QDir::AllEntries | QDir::System | QDir::Hidden);
        EXPECT_FALSE(qr::setDesktopDefaults());
        EXPECT_EQ(QDir(path("config")).entryList(QDir::AllEntries | QDir::System | QDir::Hidden),
                  filesBefore);
        if (!c.before.isNull()) {
            EXPECT_EQ(readFile(list()), c.before);
        }
    }
}

} // namespace
