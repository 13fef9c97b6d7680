#include "StoreDump.h"

#include "settings/DesktopDefaults.h"
#include "settings/FileTypes.h"
#include "settings/StoredNumber.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempStore.h"

#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using qr::RegistryError;
using qr::RegistryStore;
using qr::test::kRyn;
using qr::test::ReadFile;
using qr::test::RunTool;
using Change = RegistryStore::Change;
using Kind = Change::Kind;

namespace {

const std::string kSub = "Software\\Tarvell\\Quilvane\\Ryn", kRynPath = kRyn.toStdString();
const QString kWriter = qEnvironmentVariable("QR_STORE_WRITER");
constexpr std::uint32_t kHklm = RegistryStore::kLocalMachine, kHkcu = RegistryStore::kCurrentUser;

// A process and a thread write at once, racing also to make the file, then the process and two threads;
// the process is killed mid-write. Every write succeeds, every value whose write returned is there, and
// the store still opens.
TEST(Store, WritersAtOnceLoseNothingAndAKilledOneLeavesASoundStore)
{
    qr::test::TempStore store;
    QProcess b;
    b.start(kWriter, {QString::fromStdString(kSub), "b", "0"});
    const auto writeMany = [](const QString &prefix) {
        for (int i = 0; i < 200; ++i)
            EXPECT_FALSE(qr::createKey(kRyn) ||
                         qr::writeValue(kRyn, prefix + QString::number(i), "v" + QString::number(i)));
    };
    std::thread c(writeMany, "c");
    QByteArray acks;
    while (acks.count('\n') < 300 && b.waitForReadyRead(60000))
        acks += b.readAllStandardOutput();
    c.join();
    std::thread d(writeMany, "d"), e(writeMany, "e");
    d.join();
    e.join();
    b.kill();
    ASSERT_TRUE(b.waitForFinished(60000));
    acks += b.readAllStandardOutput();
    acks.truncate(acks.lastIndexOf('\n')); // a half-written number was never acknowledged
    ASSERT_GE(acks.count('\n'), 299) << b.readAllStandardError().toStdString();
    auto dump = qr::test::DumpStore();
    int lost = 0;
    for (const char *prefix : {"c", "d", "e"})
        for (int i = 0; i < 200; ++i)
            lost += dump[kRynPath + "|" + prefix + std::to_string(i)] != "v" + std::to_string(i);
    for (const QByteArray &i : acks.split('\n'))
        lost += dump[kRynPath + "|b" + i.toStdString()] != "v" + i.toStdString();
    EXPECT_EQ(lost, 0);
}

// Another process holds the write lock for 20 times the player's wait (and half the tool's): reads go
// on, each write gives up with kBusy long before the hold ends, and succeeds once it has ended.
TEST(Store, LockedStoreReadsAndFailsWritesWithBusyBeforeTheHoldEnds)
{
    qr::test::TempStore store;
    qr::test::FillStore();
    std::uint32_t h = 0, created = 0; // opened with the tool's wait, written with the player's
    ASSERT_EQ(RegistryStore::OpenKey(kHklm, kSub, RegistryStore::kKeyWrite, h), RegistryStore::kSuccess);
    QProcess holder;
    holder.start(kWriter, {"hold", "5000"});
    ASSERT_TRUE(holder.waitForReadyRead(60000) && holder.readAllStandardOutput() == "locked\n")
        << holder.readAllStandardError().toStdString();
    RegistryStore::SetBusyTimeout(RegistryStore::kPlayerBusyTimeoutMs);

    EXPECT_EQ(qr::readValue(kRyn, "Splash").valueOr("?"), "no");
    EXPECT_EQ(RegistryStore::SetValue(h, "Splash", 1, "yes", 3), RegistryStore::kBusy);
    EXPECT_EQ(RegistryStore::CreateKey(kHklm, "Software\\New", created), RegistryStore::kBusy);
    EXPECT_EQ(RegistryStore::WriteValues(kHklm, kSub, {{"Splash", "yes"}}), RegistryStore::kBusy);
    EXPECT_EQ(holder.state(), QProcess::Running) << "a write waited for the whole hold";

    holder.closeWriteChannel();
    EXPECT_TRUE(holder.waitForFinished(60000));
    EXPECT_EQ(RegistryStore::SetValue(h, "Splash", 1, "yes", 3), RegistryStore::kSuccess);
    EXPECT_EQ(RegistryStore::SetValue(h, "a\x1f", 1, "yes", 3), RegistryStore::kInvalidParameter);
    RegistryStore::CloseKey(h);
    RegistryStore::SetBusyTimeout(RegistryStore::kToolBusyTimeoutMs);
}

// A store read-only by its file's mode, its folder's or a full disk, or no store at all: a value reads
// from a store only, every write fails naming why, nothing is written, nor any file beside it.
TEST(Store, ReadOnlyStoresAndForeignFilesAreNeverWritten)
{
    enum ReadOnly { No, File, Folder, Disk };
    using Case = std::tuple<const char *, ReadOnly, QByteArray (*)(QByteArray store)>;
    const Case cases[] = {
        Case("read-only file", File, nullptr),
        Case("read-only folder", Folder, nullptr),
        Case("a few bytes", No, [](QByteArray) { return QByteArray("hello\n"); }),
        Case("no SQLite header", No, [](QByteArray s) { return QByteArray(s.size(), 'Z'); }),
        Case("an SQLite header, then garbage", No,
             [](QByteArray s) { return s.left(16) + QByteArray(s.size() - 16, 'Z'); }),
        Case("another program's database: no id, no version", No,
             [](QByteArray s) { return s.replace(60, 12, QByteArray(12, 0)); }),
        Case("every page after the first overwritten", No,
             [](QByteArray s) { return s.left(4096) + QByteArray(s.size() - 4096, 'Z'); }),
        Case("cut short at 10,000 bytes", No, [](QByteArray s) { return s.left(10000); }),
        Case("800 bytes overwritten at 8192", No,
             [](QByteArray s) { return s.replace(8192, 800, QByteArray(800, 'Z')); }),
        Case("no room left on its disk", Disk, nullptr), // last: it may be skipped
    };
    for (const auto &[name, readOnly, damage] : cases) {
        SCOPED_TRACE(name);
        qr::test::TempStore store;
        qr::test::FillStore();
        if (damage)
            qr::test::WriteFile(store.path(), damage(ReadFile(store.path())));
        QStringList asUser;
        const QString filler = store.dir() + "/filler";
        if (readOnly == Disk) {
            const QByteArray data = ReadFile(store.path());
            if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=128k", "tmpfs", store.dir()}) != 0)
                GTEST_SKIP() << "a small tmpfs cannot be mounted here (that needs root)";
            qr::test::WriteFile(store.path(), data);
            QFile fill(filler);
            fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
            while (fill.write(QByteArray(512, 'f')) == 512) {
            }
        }
        if (readOnly == File) {
            QFile::setPermissions(store.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        } else if (readOnly == Folder && ::geteuid() != 0) {
            QFile::setPermissions(store.dir(), QFile::ReadOwner | QFile::ExeOwner);
        } else if (readOnly == Folder) { // root writes anywhere: the tool runs as nobody, who owns the file
            asUser = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
            QFile::setPermissions(store.dir(),
                                  QFile::permissions(store.dir()) | QFile::ReadOther | QFile::ExeOther);
            if (::chown(qPrintable(store.path()), 65534, 65534) ||
                QProcess::execute(asUser[0],
                                  asUser.mid(1) + QStringList{"test", "-w", store.path(), "-a", "-x",
                                                              qEnvironmentVariable("QR_REG_TOOL")}))
                GTEST_SKIP() << "nobody (65534) cannot write the store file or run the tool";
        }
        const QByteArray before = ReadFile(store.path());
        if (asUser.isEmpty()) {
            EXPECT_EQ(qr::writeValue(kRyn, "Splash", "yes"), readOnly == Disk ? RegistryError::Failed
                                                             : readOnly       ? RegistryError::AccessDenied
                                                                              : RegistryError::Damaged);
        }
        for (const QStringList &args : {QStringList{"get", kRyn, "Splash"},
                                        {"set", kRyn, "Splash", "yes"},
                                        {"delete", kRyn, "Splash"},
                                        {"delete", kRyn}}) {
            const auto run = RunTool(args, asUser);
            const bool read = readOnly && args[0] == "get";
            EXPECT_EQ(run.exit, read ? 0 : 1) << run.err.toStdString();
            EXPECT_EQ(run.out, read ? "no\n" : "");
            const char *why = readOnly == Disk ? "no space left" : readOnly ? "read-only" : "damaged";
            EXPECT_TRUE(read || run.err.contains(why)) << run.err.toStdString();
            EXPECT_EQ(run.err.count("will not be saved"), readOnly == Disk && read ? 1 : 0)
                << run.err.toStdString();
        }
        QFile::setPermissions(store.dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(ReadFile(store.path()), before);
        QFile::remove(filler);
        EXPECT_EQ(QDir(store.dir()).entryList(QDir::Files), QStringList{"registry.db"});
        if (readOnly == Disk) {
            EXPECT_EQ(QProcess::execute("umount", {store.dir()}), 0);
        }
    }
}

Change C(Kind kind, std::string sub, std::string name = {}, std::uint32_t root = kHklm,
         std::uint32_t type = RegistryStore::kRegSz)
{
    return {kind, root, sub, {name, type, type == RegistryStore::kRegSz ? "1" : ""}};
}

// Each batch against the filled store (or none): all of it or, on any failure found while applying,
// none. (The tool's imports apply every kind of change.)
TEST(Store, ChangesApplyAllOrNothing)
{
    struct Batch {
        const char *name;
        std::int32_t status;
        std::size_t failedIndex;
        std::vector<Change> changes;
        bool filled = true;
    };
    using S = RegistryStore;
    using K = Kind;
    const Batch cases[] = {
        Batch("the handle after the last root", S::kInvalidHandle, 1,
              {C(K::SetValue, kSub, "ok"), C(K::CreateKey, "x", {}, S::kDynData + 1)}),
        Batch("a value in a missing key", S::kNotFound, 1,
              {C(K::SetValue, kSub, "ok"), C(K::SetValue, kSub + "\\Missing", "x")}),
        Batch("a value in a key the batch deleted", S::kNotFound, 2,
              {C(K::SetValue, kSub, "ok"), C(K::DeleteKey, "Software\\Tarvell"), C(K::SetValue, kSub, "x")}),
        Batch("no store file: a value in a key", S::kNotFound, 0, {C(K::SetValue, kSub, "a")}, false),
        Batch("no store file: a value of a root", S::kSuccess, 1, {C(K::SetValue, "", "a", kHkcu)}, false),
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        qr::test::TempStore store;
        if (c.filled)
            qr::test::FillStore();
        auto expected = qr::test::DumpStore();
        if (c.status == S::kSuccess)
            expected["HKEY_CURRENT_USER|a"] = "1";
        std::size_t failed = 99;
        EXPECT_EQ(RegistryStore::ApplyChanges(c.changes, &failed), c.status);
        EXPECT_EQ(failed, c.failedIndex);
        EXPECT_EQ(qr::test::DumpStore(), expected);
        EXPECT_EQ(QFile::exists(store.path()), c.filled || c.status == RegistryStore::kSuccess);
    }
}

// Every form a value takes, keys sorted without regard to case, each below its parent.
const QByteArray kClasses = "REGEDIT4\n\n[HKEY_CLASSES_ROOT]\n\"at root\"=\"Gr\u00fc\u00dfe\"\n\n"
                            "[HKEY_CLASSES_ROOT\\*.dat]\n@=\"datfile\"\n\n[HKEY_CLASSES_ROOT\\A]\n\n"
                            "[HKEY_CLASSES_ROOT\\A\\z]\n\n[HKEY_CLASSES_ROOT\\a b]\n"
                            "\"quote\\\"d\"=\"back\\\\slash \\\"and\\\" quotes\"\n"
                            "\"multi\"=hex(1):6c,69,6e,65,0a,74,77,6f\n\"dword\"=dword:00000e10\n"
                            "\"binary\"=hex:00,ff,01\n\"none\"=hex(0):\n\n";

// One filled store, each command in turn. kClasses goes in with its keys reversed, CR LF line ends and a
// byte list continued, and comes out last. Each failing import deletes Ryn first: nothing is imported.
TEST(RegTool, CommandsAnswerWithTheirOutputAndExitCodes)
{
    qr::test::TempStore store;
    qr::test::FillStore();
    const QString in = store.dir() + "/in.reg", sw = "HKEY_LOCAL_MACHINE\\Software";
    // Imports that must not be read to their end: a pipe no one writes to, and the largest one taken.
    const QString fifo = store.dir() + "/fifo.reg", largest = store.dir() + "/64MiB.reg",
                  tooLarge = store.dir() + "/64MiB+1.reg";
    ASSERT_EQ(::mkfifo(qPrintable(fifo), 0600), 0);
    qr::test::WriteFile(largest, "");
    qr::test::WriteFile(tooLarge, "");
    ASSERT_TRUE(QFile::resize(largest, 64 << 20) && QFile::resize(tooLarge, (64 << 20) + 1));
    const QByteArray ryn = kRyn.toUtf8(), deleteRyn = "REGEDIT4\n\n[-" + ryn + "]\n[HKEY_CURRENT_USER\\y]\n";
    QStringList sections = QString::fromUtf8(kClasses).split("\n\n");
    std::reverse(sections.begin() + 1, sections.end() - 1);
    const QString classes = sections.join("\n\n").replace("\n", "\r\n").replace("ff,", "ff,\\\r\n  ");
    const QByteArray version = QString::asprintf("quilvane-ryn-reg (Quilvane Ryn) %d.%d.%d\n",
                                                 QR_VERSION_MAJOR, QR_VERSION_MINOR, QR_VERSION_PATCH)
                                   .toUtf8();
    // Standard output exactly, or up to "..."; part of standard error; a text written to `in` first.
    struct Call {
        QStringList args;
        int exit;
        QByteArray out, inErr, file = {};
    };
    const Call calls[] = {
        Call({"import", in}, 0, "", "", classes.toUtf8()),
        Call({}, 2, "", "usage:"),
        Call({"--help"}, 0, "usage: quilvane-ryn-reg ...", ""),
        Call({"help"}, 0, "usage: quilvane-ryn-reg ...", ""),
        Call({"--version"}, 0, version, ""),
        Call({"get", kRyn, "--verbose"}, 2, "",
             "quilvane-ryn-reg: unknown option --verbose (see quilvane-ryn-reg --help)\n"),
        Call({"--", "--help"}, 2, "", "usage:"),
        Call({"import"}, 2, "", "usage:"),
        Call({"set", kRyn, "x"}, 2, "", "usage:"),
        Call({"get", sw + "\\"}, 2, "", "Incorrect Format"),
        Call({"get", "HKEY_FOO\\Software"}, 2, "", "unknown root key"),
        Call({"delete", "HKEY_USERS"}, 2, "", "root key"),
        Call({"get", "hkey_Local_Machine\\SOFTWARE\\tarvell\\QUILVANE\\ryn", "splash"}, 0, "no\n", ""),
        Call({"get", kRyn}, 1, "", "value (default) not found"),
        Call({"set", kRyn, "", "def"}, 0, "", ""),
        Call({"get", kRyn}, 0, "def\n", ""),
        Call({"get", kRyn + "\\Missing", "x"}, 1, "", "key not found"),
        Call({"set", "--", kRyn, "dash", "--data"}, 0, "", ""),
        Call({"set", kRyn + "\\\\x", "a", "1"}, 1, "", "invalid key name"),
        Call({"set", kRyn, "a\x1f", "1"}, 1, "", "invalid value name \"a\\x1f\""),
        Call({"set", kRyn, "SPLASH", "on"}, 0, "", ""),
        Call({"create", "HKEY_LOCAL_MACHINE\\SOFTWARE\\b"}, 0, "", ""),
        Call({"create", sw + "\\Sub"}, 0, "", ""),
        Call({"list", sw}, 0, "b\\\nSub\\\nTarvell\\\n", ""),
        Call({"list", "HKEY_LOCAL_MACHINE"}, 0, "Software\\\n", ""),
        Call({"import", in}, 1, "", "in.reg:6: cannot read", deleteRyn + "\"c\"=\"3\"\n\"broken\"=what\n"),
        Call({"import", in}, 1, "", "in.reg:5: invalid key name",
             deleteRyn + "[HKEY_CURRENT_USER\\x\\\\y]\n"),
        Call({"import", in}, 1, "", "in.reg:5: invalid value name", deleteRyn + "\"a\x01\"=\"1\"\n"),
        Call({"import", in}, 1, "", "in.reg:5: unknown root key", deleteRyn + "[HKEY_NOWHERE\\x]\n"),
        Call({"import", in}, 1, "", "in.reg:5: a root key cannot be deleted",
             deleteRyn + "[-HKEY_CURRENT_USER]\n"),
        Call({"import", in}, 1, "", "in.reg:6: a value line outside",
             deleteRyn + "[-HKEY_USERS\\x]\n\"a\"=\"1\"\n"),
        Call({"import", in}, 1, "", "in.reg:2: not a REGEDIT4 file", "\n[-" + ryn + "]\n"),
        Call({"import", store.dir()}, 1, "", "cannot read"),
        Call({"import", fifo}, 1, "", "not a regular file"),
        Call({"import", "/dev/zero"}, 1, "", "not a regular file"),
        Call({"import", largest}, 1, "", "64MiB.reg:1: not a REGEDIT4 file"),
        Call({"import", tooLarge}, 1, "", "64MiB+1.reg is too large to import (more than 64 MiB)"),
        Call({"import", store.dir() + "/gone.reg"}, 1, "", "cannot read"),
        Call({"list", "HKEY_CURRENT_USER"}, 0, "Other\\\n", ""),
        Call({"list", kRyn}, 0, "\"Splash\"=\"on\"\n\"QV_RL\"=\"10\"\n@=\"def\"\n\"dash\"=\"--data\"\n", ""),
        Call({"import", in}, 0, "",
             "", // both delete forms, with CR LF line ends; what they do not name stays
             "REGEDIT4\r\n\r\n; both\r\n[-hkey_current_user\\Other]\r\n[" + ryn +
                 "]\r\n\"qv_rl\"=-\r\n\"Missing\"=-\r\n[-HKEY_USERS\\never]\r\n"),
        Call({"export", "HKEY_CURRENT_USER"}, 0, "REGEDIT4\n\n[HKEY_CURRENT_USER]\n\n", ""),
        Call({"list", kRyn}, 0, "\"Splash\"=\"on\"\n@=\"def\"\n\"dash\"=\"--data\"\n", ""),
        Call({"delete", kRyn, "Splash"}, 0, "", ""),
        Call({"delete", kRyn, "Splash"}, 1, "", "not found"),
        Call({"delete", sw}, 0, "", ""),
        Call({"delete", sw}, 1, "", "not found"),
        Call({"export"}, 0, kClasses, ""),
        Call({"export", sw}, 1, "", "key not found"),
    };
    for (const auto &c : calls) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        if (!c.file.isNull())
            qr::test::WriteFile(in, c.file);
        const auto run = RunTool(c.args);
        EXPECT_EQ(run.exit, c.exit);
        if (c.out.endsWith("..."))
            EXPECT_TRUE(run.out.startsWith(c.out.chopped(3))) << run.out.toStdString();
        else
            EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(c.exit ? run.err.contains(c.inErr) : run.err.isEmpty()) << run.err.toStdString();
    }
}

// The store's parser tells the spellings apart (its fuzz target's seeds hold both sides of each
// rule); here, what the layer makes of them. A path that fails never reaches the store.
TEST(RegistryLayer, KeyPathsAndSwitches)
{
    qr::test::TempStore store;
    using Bad = std::pair<QString, RegistryError>;
    for (const auto &[path, error] : {Bad("HKEY_USERS\\", RegistryError::MalformedPath),
                                      Bad("HKEY_users\\x", RegistryError::UnknownRoot)}) {
        EXPECT_EQ(qr::readValue(path, "Splash").error(), error);
        EXPECT_EQ(qr::createKey(path), error);
        EXPECT_EQ(qr::writeValue(path, "Splash", "yes"), error);
    }
    EXPECT_EQ(qr::parseKeyPath("HKEY_DYN_DATA\\a\\\\b")->subKey, "a\\\\b"); // names are checked when used
    EXPECT_FALSE(QFile::exists(store.path()));

    // A switch is on when its text begins with the expected one; an absent value ("") begins with "" only.
    EXPECT_FALSE(qr::createKey(kRyn));
    using Switch = std::tuple<const char *, const char *, bool>;
    for (const auto &[stored, expected, on] :
         {Switch("yes", "yes", true), Switch("yesterday", "yes", true), Switch("Yes", "yes", false),
          Switch("", "yes", false), Switch("", "", true)}) {
        EXPECT_FALSE(qr::writeValue(kRyn, "Switch", stored));
        EXPECT_EQ(qr::valueStartsWith(kRyn, *stored ? "Switch" : "Absent", expected), on)
            << stored << expected;
    }
    EXPECT_EQ(qr::readValue(kRyn, "Absent").error(), RegistryError::NotFound);
    EXPECT_EQ(qr::writeValue(kRyn + "\\Missing", "Switch", "yes"), RegistryError::NotFound);
}

TEST(RegistryLayer, ReadsBackExactlyWhatWasWrittenUpTo254BytesAndNumbers)
{
    qr::test::TempStore store;
    EXPECT_FALSE(qr::createKey(kRyn));
    // 127 and 128 times U+00E4: 254 and 256 UTF-8 bytes.
    using Text = std::pair<QString, bool>; // and whether it fits
    for (const auto &[text, fits] :
         {Text("", true), Text(" \t\"quoted\" \\ ", true), Text(QString(254, 'a'), true),
          Text(QString(255, 'a'), false), Text(QString(127, QChar(0xE4)), true),
          Text(QString(128, QChar(0xE4)), false)}) {
        EXPECT_EQ(qr::writeValue(kRyn, "Value", text), std::nullopt) << "writes take any length";
        const auto read = qr::readValue(kRyn, "Value");
        if (fits)
            EXPECT_EQ(read.valueOr("?"), text);
        else
            EXPECT_EQ(read.error(), RegistryError::ValueTooLong);
    }
    // A value stored without any data at all reads empty.
    ASSERT_EQ(RegistryStore::ApplyChanges({C(Kind::SetValue, kSub, "Empty", kHklm, RegistryStore::kRegNone)}),
              0);
    EXPECT_EQ(qr::readValue(kRyn, "Empty").valueOr("?"), "");
    // Numbers: one row per road through the grammar; what it refuses is in the fuzz target's seeds.
    for (const auto &[text, value] :
         {std::pair{"-12", -12.0}, {" \t+3 \n", 3}, {".5", 0.5}, {"5.", 5}, {"-2.5E-1", -0.25}})
        EXPECT_EQ(qr::parseStoredNumber(text), value) << text;
}

// Each type in another state: a command of another program, a blank one, no default value, an
// empty one; *.dat follows datfile only where its key exists. No key is made.
TEST(RegistryLayer, FileTypesRegisterOnlyIntoExistingKeys)
{
    EXPECT_EQ(qr::associationCommand("/"), "/quilvane-ryn %1");
    const std::string cmd = "/opt/My Player/quilvane-ryn %1", cr = "HKEY_CLASSES_ROOT\\";
    const auto open = [&](const char *type) { return cr + type + "\\Shell\\Open\\Command|"; };
    const auto play = [&](const char *type) { return cr + type + "\\Shell\\Play\\Command|"; };
    for (const bool datKey : {true, false}) {
        SCOPED_TRACE(datKey);
        qr::test::TempStore store;
        using Key = std::pair<std::string, const char *>; // and its default value, if any
        for (const auto &[key, data] :
             {Key(open("avifile"), "other %1"), Key(play("avifile"), "other /play %1"),
              Key(open("mpegfile"), "   "), Key(open("ASFfile"), nullptr), Key(play("ASFfile"), "old"),
              Key(open("datfile"), ""), Key(play("datfile"), nullptr)}) {
            EXPECT_FALSE(qr::createKey(QString::fromStdString(key).chopped(1)));
            if (data) {
                EXPECT_FALSE(qr::writeValue(QString::fromStdString(key).chopped(1), "", data));
            }
        }
        if (datKey) {
            EXPECT_FALSE(qr::createKey(QString::fromStdString(cr + "*.dat")));
        }
        auto expected = qr::test::DumpStore();
        for (const std::string &value : {open("avifile"), play("avifile"), open("ASFfile"), play("ASFfile")})
            expected[value] = expected[value + "QV_Path"] = cmd;
        for (const std::string &value : {open("mpegfile"), open("datfile"), play("datfile")})
            expected[value] = cmd;
        if (datKey)
            expected[cr + "*.dat|"] = "datfile";
        qr::registerExtensions("/opt/My Player");
        EXPECT_EQ(qr::test::DumpStore(), expected);
    }
}

// Each case: the list before (null: none) and what else is set up in private home and XDG folders with the
// entry installed and only the MIME database in the system's; then all the file named holds ("%1": the
// entry), or nothing when nothing may change. The store's tests name their own file: these may stay set.
TEST(DesktopDefaults, WritesTheDefaultsAndKeepsTheRestOrChangesNothing)
{
    std::unique_ptr<QTemporaryDir> dir;
    const auto path = [&](const QString &relative) { return dir->filePath(relative); };
    const auto install = [&](const QString &dataDir) {
        qr::test::WriteFile(path(dataDir + "/applications/" + qr::kDesktopEntryId),
                            ReadFile(qEnvironmentVariable("QR_SOURCE_DIR") + "/dist/" + qr::kDesktopEntryId));
    };
    const QString ours =
        "video/x-msvideo=%1;\nvideo/mpeg=%1;\napplication/vnd.ms-asf=%1;\nx-content/video-vcd=%1;\n";
    const QString group = "[Default Applications]\n", other = "# mine\n[Added Associations]\ntext/plain=e;\n";
    const QString id = qr::kDesktopEntryId, list = "config/mimeapps.list";
    const QByteArray g = group.toUtf8(), plain = g + "text/plain=e;\n";
    const auto underHome = [&] {
        qunsetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_DIRS", (path("elsewhere") + "::relative:" + path("system")).toUtf8());
        qputenv("XDG_CONFIG_HOME", "config");
        QDir().mkpath(path("home/.config"));
        install("home/.local/share");
    };
    struct Case {
        const char *name;
        QByteArray before;
        std::function<void()> prepare = {};
        QString after = {}, written = "config/mimeapps.list";
    };
    const Case cases[] = {
        Case("no list yet", {}, {}, group + ours),
        Case("other groups stay; ours is added", other.toUtf8(), {}, other + "\n" + group + ours),
        Case("after the group's last key", g + " a = e;\n\n#\n[X]", {},
             group + " a = e;\n" + ours + "\n#\n[X]\n"),
        Case("ours moves first, the others stay after it", g + "VIDEO/MPEG=o;%1\nvideo/x-msvideo=%1;old;\n",
             {}, group + "VIDEO/MPEG=%1;o;\nvideo/x-msvideo=%1;old;\n" + ours.section('\n', 2)),
        Case("variables unset, empty or relative", {}, underHome, group + ours, "home/.config/mimeapps.list"),
        Case("ours already", (group + ours).toUtf8()),
        Case("the entry is not installed", plain, [&] { QFile::remove(path("data/applications/" + id)); }),
        Case("no config folder", {}, [&] { QDir(path("config")).removeRecursively(); }),
        Case("read-only config folder", {},
             [&] { QFile::setPermissions(path("config"), QFile::ReadOwner | QFile::ExeOwner); }),
        Case("read-only list", plain, [&] { QFile::setPermissions(path(list), QFile::ReadOwner); }),
        Case("the list is a folder", {}, [&] { QDir().mkpath(path(list)); }),
        Case("a key before any group", "text/plain=e;\n" + g),
        Case("a line that is no key", g + "video/mpeg\n"),
        Case("a group twice", g + g),
        Case("CR LF lines", "[Default Applications]\r\ntext/plain=e;\r\n"),
        Case("not UTF-8", g + "text/plain=\xff;\n"),
        Case("larger than a megabyte", g + "#" + QByteArray(1 << 20, 'x') + "\n"),
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dir = std::make_unique<QTemporaryDir>();
        for (const QString variable : {"HOME=home", "XDG_CONFIG_HOME=config", "XDG_CONFIG_DIRS=etc",
                                       "XDG_DATA_HOME=data", "XDG_DATA_DIRS=system"}) {
            QDir().mkpath(path(variable.section('=', 1)));
            qputenv(qPrintable(variable.section('=', 0, 0)), path(variable.section('=', 1)).toUtf8());
        }
        ASSERT_TRUE(QFile::link("/usr/share/mime", path("system/mime")));
        install("data");
        const QByteArray before = QByteArray(c.before).replace("%1", id.toUtf8());
        if (!before.isNull())
            qr::test::WriteFile(path(list), before);
        if (c.prepare)
            c.prepare();
        const auto entries = [&] { return QDir(path("config")).entryList(QDir::AllEntries | QDir::Hidden); };
        const QStringList folder = entries();
        EXPECT_EQ(qr::setDesktopDefaults(), !c.after.isNull());
        if (!c.after.isNull()) {
            EXPECT_EQ(QString::fromUtf8(ReadFile(path(c.written))), c.after.arg(id));
        } else {
            EXPECT_EQ(entries(), folder);
            EXPECT_EQ(before.isNull() ? before : ReadFile(path(list)), before);
        }
    }
}

} // namespace
