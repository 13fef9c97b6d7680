#include "StoreDump.h"

#include "settings/RegistryStore.h"
#include "tests/support/TempStore.h"

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

TEST(RegTool, CommandsAnswerWithTheirExitCodes)
{
    qr::test::TempStore store;
    ASSERT_EQ(RunTool({"set", kRyn, "Splash", "yes"}).exit, 0);
    ASSERT_EQ(RunTool({"set", kRyn, "", "def"}).exit, 0);
    ASSERT_EQ(RunTool({"create", kRyn + "\\Sub"}).exit, 0);
    const QString badImport = store.dir() + "/bad.reg";
    qr::test::WriteFile(badImport,
                        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\New]\n\"ok\"=\"1\"\n\"broken\"=what\n");
    struct Case {
        QStringList args;
        int exit;
        QByteArray out, inErr; // exact standard output, part of standard error
    };
    const Case cases[] = {
        {{}, 2, "", "usage:"},
        {{"set", kRyn, "x"}, 2, "", "usage:"},
        {{"get", "HKEY_LOCAL_MACHINE\\Software\\"}, 2, "", "Incorrect Format"},
        {{"get", "HKEY_FOO\\Software"}, 2, "", "unknown root key"},
        {{"delete", "HKEY_USERS"}, 2, "", "root key"},
        {{"get", kRyn, "splash"}, 0, "yes\n", ""},
        {{"get", kRyn}, 0, "def\n", ""},
        {{"get", kRyn, "Missing"}, 1, "", "not found"},
        {{"list", kRyn}, 0, "Sub\\\n\"Splash\"=\"yes\"\n@=\"def\"\n", ""},
        {{"import", badImport}, 1, "", "bad.reg:5:"},
        // nothing of a bad file is applied
        {{"get", "HKEY_LOCAL_MACHINE\\Software\\New", "ok"}, 1, "", "key not found"},
        {{"delete", kRyn, "Splash"}, 0, "", ""},
        {{"delete", kRyn, "Splash"}, 1, "", "not found"},
        {{"delete", "HKEY_LOCAL_MACHINE\\Software"}, 0, "", ""},
        {{"export"}, 0, "REGEDIT4\n\n", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const auto run = RunTool(c.args);
        EXPECT_EQ(run.exit, c.exit);
        EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(run.err.contains(c.inErr)) << run.err.toStdString();
    }
}

} // namespace
