#include "StoreDump.h"

#include "settings/FileTypes.h"
#include "settings/Registry.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const std::string kCr = "HKEY_CLASSES_ROOT\\";
const auto Open = [](const std::string &type) { return kCr + type + "\\Shell\\Open\\Command"; };
const auto Play = [](const std::string &type) { return kCr + type + "\\Shell\\Play\\Command"; };

void Put(const std::string &key, const char *name = nullptr, const char *value = nullptr)
{
    qr::createKey(QString::fromStdString(key));
    if (name)
        qr::writeValue(QString::fromStdString(key), QString::fromUtf8(name), QString::fromUtf8(value));
}

TEST(FileTypes, CommandIsTheProgramsDirectoryAndExecutable)
{
    EXPECT_EQ(qr::associationCommand("/usr/bin/"), "/usr/bin/quilvane-ryn %1");
    EXPECT_EQ(qr::associationCommand("/usr/bin"), "/usr/bin/quilvane-ryn %1");
    EXPECT_EQ(qr::associationCommand("/"), "/quilvane-ryn %1");
}

// Each case prepares keys and lists the values registration must change; all else stays.
TEST(FileTypes, RegistersOnlyIntoExistingKeys)
{
    const std::string cmd = "/opt/My Player/quilvane-ryn %1";
    const struct {
        const char *name;
        void (*prepare)();
        std::map<std::string, std::string> changed;
    } cases[] = {
        {"another program's command everywhere",
         [] {
             for (const char *t : {"avifile", "mpegfile", "ASFfile", "datfile"}) {
                 Put(Open(t), "", "other.exe %1");
                 Put(Play(t), "", "other.exe /play %1");
             }
             Put(kCr + "*.dat", "", "something");
         },
         [&] {
             std::map<std::string, std::string> m;
             for (const char *t : {"avifile", "mpegfile", "ASFfile", "datfile"})
                 for (const std::string &k : {Open(t), Play(t)})
                     m[k + "|"] = m[k + "|QV_Path"] = cmd;
             return m;
         }()},
        {"empty open commands: only the two defaults, and *.dat for datfile",
         [] {
             Put(Open("mpegfile"), "", "   ");
             Put(Play("mpegfile"));
             Put(Open("datfile"), "", "");
             Put(Play("datfile"));
             Put(kCr + "*.dat", "", "");
         },
         {{Open("mpegfile") + "|", cmd},
          {Play("mpegfile") + "|", cmd},
          {Open("datfile") + "|", cmd},
          {Play("datfile") + "|", cmd},
          {kCr + "*.dat|", "datfile"}}},
        {"no open command key: the play key still gets both values",
         [] { Put(Play("avifile"), "", "old"); },
         {{Play("avifile") + "|", cmd}, {Play("avifile") + "|QV_Path", cmd}}},
        {"open key without a default value counts as taken",
         [] { Put(Open("ASFfile")); },
         {{Open("ASFfile") + "|", cmd}, {Open("ASFfile") + "|QV_Path", cmd}}},
        {"empty datfile command without a *.dat key",
         [] { Put(Open("datfile"), "", ""); },
         {{Open("datfile") + "|", cmd}}},
        {"nothing registered", [] {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        qr::test::TempStore store;
        c.prepare();
        auto expected = qr::test::DumpStore();
        for (const auto &[k, v] : c.changed)
            expected[k] = v;
        qr::registerExtensions("/opt/My Player");
        EXPECT_EQ(qr::test::DumpStore(), expected);
    }
}

} // namespace
