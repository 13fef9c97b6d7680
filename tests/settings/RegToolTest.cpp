#include "StoreDump.h"

#include "settings/RegistryStore.h"
#include "tests/support/TempStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

using qr::RegistryStore;
using qr::test::RunTool;

namespace {

const QString kRyn = "HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Quilvane\\Ryn";

void SetRaw(const std::string &sub, const std::string &name, std::uint32_t type, const std::string &data)
{
    std::uint32_t h = 0;
    ASSERT_EQ(RegistryStore::CreateKey(RegistryStore::kCurrentUser, sub, h), 0);
    ASSERT_EQ(RegistryStore::SetValue(h, name, type, data.data(), std::uint32_t(data.size())), 0);
    RegistryStore::CloseKey(h);
}

TEST(RegTool, ExportImportExportIsByteIdentical)
{
    QByteArray first;
    std::map<std::string, std::string> original;
    {
        qr::test::TempStore store;
        const QStringList sets[] = {
            {"set", kRyn, "Splash", "yes"},
            {"set", kRyn, "", "the default"},
            {"set", kRyn, "quote\"d", "back\\slash \"and\" quotes"},
            {"set", kRyn, "multi", "line one\nline two"},
            {"set", kRyn, "QV_RL", ""},
            {"set", "HKEY_CLASSES_ROOT\\*.dat", "", "datfile"},
            {"set", "HKEY_LOCAL_MACHINE", "at root", QString::fromUtf8("Gr\u00fc\u00dfe")},
            {"create", "HKEY_CLASSES_ROOT\\a b"},
            {"create", "HKEY_CLASSES_ROOT\\A\\z"},
            {"create", "HKEY_CLASSES_ROOT\\B"},
        };
        for (const QStringList &args : sets)
            ASSERT_EQ(RunTool(args).exit, 0) << args.join(' ').toStdString();
        SetRaw("Types", "dword", RegistryStore::kRegDword, std::string("\x10\x0e\x00\x00", 4));
        SetRaw("Types", "binary", RegistryStore::kRegBinary, std::string("\x00\xff\x01", 3));
        SetRaw("Types", "none", RegistryStore::kRegNone, "");

        const auto run = RunTool({"export"});
        ASSERT_EQ(run.exit, 0) << run.err.toStdString();
        first = run.out;
        original = qr::test::DumpStore();
    }
    for (const char *line :
         {"REGEDIT4\n\n[HKEY_CLASSES_ROOT\\*.dat]\n@=\"datfile\"\n",
          "\n[HKEY_CLASSES_ROOT\\A]\n\n[HKEY_CLASSES_ROOT\\A\\z]\n\n[HKEY_CLASSES_ROOT\\a b]\n",
          "\n\"quote\\\"d\"=\"back\\\\slash \\\"and\\\" quotes\"\n",
          "\n\"multi\"=hex(1):6c,69,6e,65,20,6f,6e,65,0a,6c,69,6e,65,20,74,77,6f\n",
          "\n\"dword\"=dword:00000e10\n\"binary\"=hex:00,ff,01\n\"none\"=hex(0):\n"})
        EXPECT_TRUE(first.contains(line)) << line << "\n--- in ---\n" << first.toStdString();

    qr::test::TempStore empty;
    const QString file = empty.dir() + "/export.reg";
    qr::test::WriteFile(file, first);
    const auto import = RunTool({"import", file});
    ASSERT_EQ(import.exit, 0) << import.err.toStdString();
    EXPECT_EQ(RunTool({"export"}).out, first);
    EXPECT_EQ(qr::test::DumpStore(), original);
}

TEST(RegTool, CommandsAndOptionsAnswerWithTheirExitCodes)
{
    qr::test::TempStore store;
    ASSERT_EQ(RunTool({"set", kRyn, "Splash", "yes"}).exit, 0);
    ASSERT_EQ(RunTool({"set", kRyn, "", "def"}).exit, 0);
    ASSERT_EQ(RunTool({"create", kRyn + "\\Sub"}).exit, 0);
    const QByteArray version =
        QByteArray("quilvane-ryn-reg (Quilvane Ryn) ") + QByteArray::number(QR_VERSION_MAJOR) + "." +
        QByteArray::number(QR_VERSION_MINOR) + "." + QByteArray::number(QR_VERSION_PATCH) + "\n";
    struct Case {
        QStringList args;
        int exit;
        QByteArray out,
            inErr; // standard output (exact, or its start when it ends in "..."), part of standard error
    };
    const Case cases[] = {
        {{}, 2, "", "usage:"},
        {{"--help"}, 0, "usage: quilvane-ryn-reg ...", ""},
        {{"help"}, 0, "usage: quilvane-ryn-reg ...", ""},
        {{"get", kRyn, "--help"}, 0, "usage: quilvane-ryn-reg ...", ""},
        {{"--version"}, 0, version, ""},
        {{"--verbose"}, 2, "", "quilvane-ryn-reg: unknown option --verbose (see quilvane-ryn-reg --help)\n"},
        {{"get", kRyn, "--x"}, 2, "", "unknown option --x"},
        {{"--", "--help"}, 2, "", "usage:"},
        {{"frobnicate", kRyn}, 2, "", "usage:"},
        {{"import"}, 2, "", "usage:"},
        {{"set", kRyn, "x"}, 2, "", "usage:"},
        {{"get", "HKEY_LOCAL_MACHINE\\Software\\"}, 2, "", "Incorrect Format"},
        {{"get", "HKEY_FOO\\Software"}, 2, "", "unknown root key"},
        {{"delete", "HKEY_USERS"}, 2, "", "root key"},
        {{"get", kRyn, "splash"}, 0, "yes\n", ""},
        {{"get", kRyn}, 0, "def\n", ""},
        {{"get", kRyn, "Missing"}, 1, "", "not found"},
        {{"get", kRyn + "\\Missing", "x"}, 1, "", "key not found"},
        {{"set", "--", kRyn, "dash", "--data"}, 0, "", ""},
        {{"get", kRyn, "--", "dash"}, 0, "--data\n", ""},
        {{"set", kRyn + "\\\\x", "a", "1"}, 1, "", "invalid key name"},
        {{"set", kRyn, "a\tb", "1"}, 1, "", "invalid value name \"a\\x09b\""},
        {{"list", kRyn}, 0, "Sub\\\n\"Splash\"=\"yes\"\n@=\"def\"\n\"dash\"=\"--data\"\n", ""},
        {{"delete", kRyn, "Splash"}, 0, "", ""},
        {{"delete", kRyn, "Splash"}, 1, "", "not found"},
        {{"delete", "HKEY_LOCAL_MACHINE\\Software"}, 0, "", ""},
        {{"delete", "HKEY_LOCAL_MACHINE\\Software"}, 1, "", "not found"},
        {{"export"}, 0, "REGEDIT4\n\n", ""},
        {{"export", "HKEY_LOCAL_MACHINE\\Software"}, 1, "", "key not found"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const auto run = RunTool(c.args);
        EXPECT_EQ(run.exit, c.exit);
        if (c.out.endsWith("...")) {
            EXPECT_TRUE(run.out.startsWith(c.out.chopped(3))) << run.out.toStdString();
        } else {
            EXPECT_EQ(run.out, c.out);
        }
        if (c.exit == 0) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_TRUE(run.err.contains(c.inErr)) << run.err.toStdString();
        }
    }
}

// A store with a little in every corner an import could touch.
void FillStore()
{
    for (const QStringList &args :
         {QStringList{"set", kRyn, "Splash", "no"}, QStringList{"set", kRyn, "QV_RL", "10"},
          QStringList{"set", "HKEY_CURRENT_USER\\x", "a", "1"},
          QStringList{"create", "HKEY_CLASSES_ROOT\\.dat"}})
        ASSERT_EQ(RunTool(args).exit, 0) << args.join(' ').toStdString();
}

// Both delete forms take effect; what they do not name stays.
TEST(RegTool, ImportDeletesKeysAndValues)
{
    qr::test::TempStore store;
    FillStore();
    const QString file = store.dir() + "/delete.reg";
    qr::test::WriteFile(file, "REGEDIT4\n\n[-HKEY_CURRENT_USER\\x]\n[" + kRyn.toUtf8() +
                                  "]\n\"QV_RL\"=-\n\"Missing\"=-\n[-HKEY_USERS\\never]\n");
    const auto run = RunTool({"import", file});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const auto dump = qr::test::DumpStore();
    EXPECT_EQ(dump.count("HKEY_CURRENT_USER\\x"), 0u);
    EXPECT_EQ(dump.count("HKEY_CURRENT_USER\\x|a"), 0u);
    EXPECT_EQ(dump.count(kRyn.toStdString() + "|QV_RL"), 0u);
    EXPECT_EQ(dump.count(kRyn.toStdString() + "|Splash"), 1u);
    EXPECT_EQ(dump.count("HKEY_CLASSES_ROOT\\.dat"), 1u);
}

TEST(RegTool, FailedImportLeavesTheStoreAsItWas)
{
    struct Case {
        const char *name;
        QByteArray text; // the import file; empty: `path` is used as it is
        QByteArray inErr;
        QString path = {};
    };
    const QByteArray deleteRyn =
        "REGEDIT4\n\n[-" + kRyn.toUtf8() + "]\n[HKEY_CURRENT_USER\\y]\n\"b\"=\"2\"\n";
    const Case cases[] = {
        {"bad data late in the file", deleteRyn + "\"c\"=\"3\"\n\"broken\"=what\n", "in.reg:7: cannot read"},
        {"an empty key name after a valid delete", deleteRyn + "[HKEY_CURRENT_USER\\x\\\\y]\n",
         "in.reg:6: invalid key name"},
        {"a control character in a value name", deleteRyn + "\"a\x01\"=\"1\"\n",
         "in.reg:6: invalid value name"},
        {"an unknown root", deleteRyn + "[HKEY_NOWHERE\\x]\n", "in.reg:6: unknown root key"},
        {"a root deleted", deleteRyn + "[-HKEY_CURRENT_USER]\n", "in.reg:6: a root key cannot be deleted"},
        {"a value after a deleted key", deleteRyn + "[-HKEY_CURRENT_USER\\x]\n\"a\"=\"1\"\n",
         "in.reg:7: a value line outside"},
        {"no REGEDIT4 line", "\n[-" + kRyn.toUtf8() + "]\n", "in.reg:2: not a REGEDIT4 file"},
        {"a directory", {}, "cannot read", "."},
        {"a vanished file", {}, "cannot read", "gone.reg"},
    };
    qr::test::TempStore store;
    FillStore();
    const QByteArray before = RunTool({"export"}).out;
    ASSERT_TRUE(before.contains("Splash")) << before.toStdString();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QString file = store.dir() + "/" + (c.text.isEmpty() ? c.path : "in.reg");
        if (!c.text.isEmpty())
            qr::test::WriteFile(file, c.text);
        const auto run = RunTool({"import", QDir::cleanPath(file)});
        EXPECT_EQ(run.exit, 1);
        EXPECT_TRUE(run.err.contains(c.inErr)) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_EQ(RunTool({"export"}).out, before);
    }
}

TEST(RegTool, ImportKilledMidWayLeavesTheStoreAsItWas)
{
    qr::test::TempStore store;
    FillStore();
    const QByteArray before = RunTool({"export"}).out;
    // Large enough that SQLite spills the open transaction to its log long before the end.
    QByteArray text = "REGEDIT4\n\n[-" + kRyn.toUtf8() + "]\n";
    const QByteArray data = "\"" + QByteArray(100, 'x') + "\"\n";
    for (int k = 0; k < 1000; ++k) {
        text += "[" + kRyn.toUtf8() + "\\K" + QByteArray::number(k) + "]\n";
        for (int v = 0; v < 100; ++v)
            text += "\"v" + QByteArray::number(v) + "\"=" + data;
    }
    const QString file = store.dir() + "/big.reg";
    qr::test::WriteFile(file, text);

    QProcess import;
    import.start(QString::fromLocal8Bit(std::getenv("QR_REG_TOOL")), {"import", file});
    ASSERT_TRUE(import.waitForStarted());
    // Stopped once the open transaction spills into SQLite's log, or after a
    // second for an import that never makes one.
    const QString log = store.path() + "-wal";
    QElapsedTimer timer;
    timer.start();
    while (import.state() == QProcess::Running && QFileInfo(log).size() < (1 << 20) && timer.elapsed() < 1000)
        QThread::msleep(2);
    ASSERT_EQ(import.state(), QProcess::Running)
        << "the import ended before it could be stopped: " << import.readAllStandardError().toStdString();
    import.terminate(); // SIGTERM
    ASSERT_TRUE(import.waitForFinished(60000));
    EXPECT_EQ(import.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(RunTool({"export"}).out, before);
}

} // namespace
