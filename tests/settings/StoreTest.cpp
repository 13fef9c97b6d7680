#include "StoreDump.h"

#include "settings/PlayerSettings.h"
#include "settings/Registry.h"
#include "settings/RegistryStore.h"
#include "settings/StoredNumber.h"
#include "tests/support/TempStore.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <grp.h>
#include <pwd.h>
#include <thread>
#include <unistd.h>

using qr::RegistryStore;
using qr::test::ReadFile;
using Change = RegistryStore::Change;
using Kind = RegistryStore::Change::Kind;

namespace {

const char *const kSub = "Software\\Tarvell\\Quilvane\\Ryn";
const std::string kRyn = std::string("HKEY_LOCAL_MACHINE\\") + kSub + "|";
const QString kWriter = QString::fromLocal8Bit(std::getenv("QR_STORE_WRITER"));

// The values under kSub, by name.
std::map<std::string, std::string> Values()
{
    std::map<std::string, std::string> values;
    for (const auto &[path, data] : qr::test::DumpStore())
        if (path.starts_with(kRyn))
            values[path.substr(kRyn.size())] = data;
    return values;
}

void WriteMany(const std::string &prefix, int count)
{
    for (int i = 0; i < count; ++i) {
        std::uint32_t h = 0;
        const std::string data = "v" + std::to_string(i);
        ASSERT_EQ(RegistryStore::CreateKey(RegistryStore::kLocalMachine, kSub, h), 0);
        ASSERT_EQ(RegistryStore::SetValue(h, prefix + std::to_string(i), 1, data.data(),
                                          static_cast<std::uint32_t>(data.size())),
                  0);
        RegistryStore::CloseKey(h);
    }
}

TEST(Store, TwoWritersAtOnceLoseNothing)
{
    for (const bool processes : {true, false}) {
        SCOPED_TRACE(processes ? "processes" : "threads");
        qr::test::TempStore store; // both writers also race to create the file
        if (processes) {
            QProcess a, b;
            a.start(kWriter, {kSub, "a", "200"});
            b.start(kWriter, {kSub, "b", "200"});
            for (QProcess *p : {&a, &b}) {
                ASSERT_TRUE(p->waitForFinished(120000));
                EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
            }
        } else {
            std::thread a(WriteMany, "a", 200), b(WriteMany, "b", 200);
            a.join();
            b.join();
        }
        const auto values = Values();
        EXPECT_EQ(values.size(), 400u);
        for (const auto &[name, data] : values)
            EXPECT_EQ(data, "v" + name.substr(1));
    }
}

TEST(Store, WriterKilledMidRunLeavesASoundStoreWithEveryAcknowledgedValue)
{
    qr::test::TempStore store;
    QProcess writer;
    writer.start(kWriter, {kSub, "k", "0"});
    QByteArray acks;
    while (acks.count('\n') < 300) {
        ASSERT_TRUE(writer.waitForReadyRead(60000)) << writer.readAllStandardError().toStdString();
        acks += writer.readAllStandardOutput();
    }
    writer.kill(); // SIGKILL
    ASSERT_TRUE(writer.waitForFinished(60000));
    acks += writer.readAllStandardOutput();
    acks.truncate(acks.lastIndexOf('\n')); // a half-written number was never acknowledged

    sqlite3 *db = nullptr;
    sqlite3_stmt *st = nullptr;
    ASSERT_EQ(sqlite3_open_v2(store.path().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)), "ok");
    sqlite3_finalize(st);
    sqlite3_close(db);

    auto stored = Values();
    for (const QByteArray &line : acks.split('\n'))
        EXPECT_EQ(stored["k" + line.toStdString()], "v" + line.toStdString());
}

TEST(Store, ReadOnlyFileStillReadsAndRefusesWrites)
{
    const QString key = qr::PlayerSettings::Key;
    qr::test::TempStore store;
    qr::createKey(key);
    qr::writeValue(key, "Splash", "no");
    QFile::setPermissions(store.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray before = ReadFile(store.path());

    EXPECT_EQ(qr::writeValue(key, "Splash", "yes"), qr::RegistryError::AccessDenied);
    EXPECT_EQ(qr::createKey(key + "\\New"), qr::RegistryError::AccessDenied);
    EXPECT_EQ(qr::readValue(key, "Splash").valueOr("?"), "no");
    EXPECT_EQ(qr::readValue(key + "\\New", "").error(), qr::RegistryError::NotFound);
    const auto tool = qr::test::RunTool({"set", key, "Splash", "yes"});
    EXPECT_EQ(tool.exit, 1);
    EXPECT_TRUE(tool.err.contains("read-only")) << tool.err.toStdString();

    EXPECT_EQ(ReadFile(store.path()), before);
    // No -wal or -shm left behind, which would keep the store read-only after a chmod back.
    EXPECT_EQ(QDir(store.dir()).entryList(QDir::Files).join(' ').toStdString(), "registry.db");
}

QByteArray Garbage(int words, unsigned seed)
{
    QByteArray out(words * 4, '\0');
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(out.data()), words);
    return out;
}

QByteArray ForeignDatabase(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "CREATE TABLE notes(t TEXT); INSERT INTO notes VALUES('keep me')", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
    return ReadFile(path);
}

// A real store with every page after the first overwritten.
QByteArray DamagedStore(const QString &path)
{
    qputenv("QUILVANE_RYN_REGISTRY", path.toUtf8());
    qr::createKey(qr::PlayerSettings::Key);
    for (int i = 0; i < 50; ++i)
        qr::writeValue(qr::PlayerSettings::Key, QString("v%1").arg(i), QString(200, 'x'));
    QByteArray bytes = ReadFile(path);
    return bytes.replace(4096, bytes.size() - 4096, QByteArray(bytes.size() - 4096, 0x5A));
}

TEST(Store, FileThatIsNoStoreFailsEverythingAndIsNeverWritten)
{
    const QString key = qr::PlayerSettings::Key;
    qr::test::TempStore store;
    const std::pair<const char *, QByteArray> cases[] = {
        {"random bytes", Garbage(1250, 1)},
        {"a few bytes", QByteArray("hello\n")},
        {"SQLite header then garbage", QByteArray("SQLite format 3", 16) + Garbage(2044, 2)},
        {"another program's database", ForeignDatabase(store.dir() + "/foreign.db")},
        {"damaged store", DamagedStore(store.dir() + "/damaged.db")},
    };
    const QString importFile = store.dir() + "/in.reg";
    qr::test::WriteFile(importFile, "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n\"Splash\"=\"no\"\n");
    qputenv("QUILVANE_RYN_REGISTRY", store.path().toUtf8());
    for (const auto &[name, bytes] : cases) {
        SCOPED_TRACE(name);
        QFile::remove(store.path());
        qr::test::WriteFile(store.path(), bytes);

        EXPECT_EQ(qr::readValue(key, "Splash").error(), qr::RegistryError::Damaged);
        EXPECT_EQ(qr::readValue("HKEY_LOCAL_MACHINE", "").error(), qr::RegistryError::Damaged);
        EXPECT_EQ(qr::createKey(key), qr::RegistryError::Damaged);
        EXPECT_EQ(qr::writeValue("HKEY_LOCAL_MACHINE", "Splash", "no"), qr::RegistryError::Damaged)
            << "a write must not claim success";
        for (const QStringList &args : {QStringList{"set", key, "Splash", "no"},
                                        QStringList{"import", importFile}, QStringList{"export"}})
            EXPECT_EQ(qr::test::RunTool(args).exit, 1) << args.join(' ').toStdString();
        EXPECT_EQ(ReadFile(store.path()), bytes);
    }
}

constexpr std::uint32_t kHklm = RegistryStore::kLocalMachine;

// Ryn holds Splash=no and QV_RL=10; HKEY_CURRENT_USER\Other holds a=1.
void FillStore()
{
    ASSERT_EQ(
        RegistryStore::ApplyChanges({{Kind::CreateKey, kHklm, kSub, {}},
                                     {Kind::SetValue, kHklm, kSub, {"Splash", 1, "no"}},
                                     {Kind::SetValue, kHklm, kSub, {"QV_RL", 1, "10"}},
                                     {Kind::CreateKey, RegistryStore::kCurrentUser, "Other", {}},
                                     {Kind::SetValue, RegistryStore::kCurrentUser, "Other", {"a", 1, "1"}}}),
        RegistryStore::kSuccess);
}

TEST(Store, ChangesApplyAllOrNothing)
{
    const std::string ryn = kSub, sub = ryn + "\\Sub";
    struct Case {
        const char *name;
        std::vector<Change> changes;
        std::int32_t status;
        std::size_t failedIndex;
        std::map<std::string, std::string> added = {}, removed = {}; // in the dump, against the filled store
    };
    const std::string rynPath = "HKEY_LOCAL_MACHINE\\" + ryn;
    const Case cases[] = {
        {"every kind of change",
         {{Kind::DeleteKey, kHklm, ryn, {}},
          {Kind::CreateKey, kHklm, sub, {}},
          {Kind::SetValue, kHklm, sub, {"a", 1, "1"}},
          {Kind::SetValue, kHklm, sub, {"b", 1, "2"}},
          {Kind::DeleteValue, kHklm, sub, {"A", 1, ""}},
          {Kind::DeleteValue, kHklm, sub, {"never there", 1, ""}},
          {Kind::DeleteKey, RegistryStore::kCurrentUser, "Nothing\\Here", {}},
          {Kind::SetValue, RegistryStore::kCurrentUser, "", {"at root", 1, "r"}}},
         RegistryStore::kSuccess,
         8,
         {{rynPath + "\\Sub", ""}, {rynPath + "\\Sub|b", "2"}, {"HKEY_CURRENT_USER|at root", "r"}},
         {{rynPath + "|Splash", "no"}, {rynPath + "|QV_RL", "10"}}},
        {"an empty key name after a valid delete",
         {{Kind::DeleteKey, kHklm, ryn, {}}, {Kind::CreateKey, RegistryStore::kCurrentUser, "x\\\\y", {}}},
         RegistryStore::kBadPathname,
         1},
        {"a key name ending in a backslash",
         {{Kind::SetValue, kHklm, ryn, {"x", 1, "1"}}, {Kind::CreateKey, kHklm, "x\\", {}}},
         RegistryStore::kBadPathname,
         1},
        {"a control character in a key name",
         {{Kind::CreateKey, kHklm, "a\x1f", {}}},
         RegistryStore::kBadPathname,
         0},
        {"a control character in a value name",
         {{Kind::SetValue, kHklm, ryn, {"ok", 1, "1"}}, {Kind::DeleteValue, kHklm, ryn, {"b\tad", 1, ""}}},
         RegistryStore::kInvalidParameter,
         1},
        {"a root that is none of the seven",
         {{Kind::SetValue, kHklm, ryn, {"ok", 1, "1"}},
          {Kind::CreateKey, RegistryStore::kDynData + 1, "x", {}}},
         RegistryStore::kInvalidHandle,
         1},
        {"deleting a root",
         {{Kind::DeleteKey, RegistryStore::kCurrentUser, "", {}}},
         RegistryStore::kAccessDenied,
         0},
        {"a value in a missing key, found only while applying",
         {{Kind::SetValue, kHklm, ryn, {"ok", 1, "1"}},
          {Kind::SetValue, kHklm, ryn + "\\Missing", {"x", 1, "1"}}},
         RegistryStore::kNotFound,
         1},
        {"a value in a key the batch deleted",
         {{Kind::SetValue, kHklm, ryn, {"ok", 1, "1"}},
          {Kind::DeleteKey, kHklm, "Software\\Tarvell", {}},
          {Kind::SetValue, kHklm, ryn, {"x", 1, "1"}}},
         RegistryStore::kNotFound,
         2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        qr::test::TempStore store;
        FillStore();
        auto expected = qr::test::DumpStore();
        for (const auto &[path, data] : c.removed)
            expected.erase(path);
        expected.insert(c.added.begin(), c.added.end());
        std::size_t failed = 99;
        EXPECT_EQ(RegistryStore::ApplyChanges(c.changes, &failed), c.status);
        EXPECT_EQ(failed, c.failedIndex);
        EXPECT_EQ(qr::test::DumpStore(), expected);
    }
}

TEST(Store, WriteValuesSetsValuesOfAnExistingKeyOnly)
{
    using Values = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char *name;
        bool filled;
        std::string subKey;
        Values values;
        std::int32_t status;
        std::vector<std::string> after; // the values of subKey, "name=data" in order; "-": no such key
    };
    const Case cases[] = {
        {"an existing key",
         true,
         kSub,
         {{"splash", "yes"}, {"New", " 1"}},
         0,
         {"Splash=yes", "QV_RL=10", "New= 1"}},
        {"a missing key", true, std::string(kSub) + "\\Nope", {{"a", "1"}}, RegistryStore::kNotFound, {"-"}},
        {"no store file", false, kSub, {{"a", "1"}}, RegistryStore::kNotFound, {"-"}},
        {"a root with no store file", false, "", {{"a", "1"}}, 0, {"a=1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        qr::test::TempStore store;
        if (c.filled)
            FillStore();
        EXPECT_EQ(RegistryStore::WriteValues(kHklm, c.subKey, c.values), c.status);
        std::vector<std::string> after;
        std::uint32_t h = 0;
        if (RegistryStore::OpenKey(kHklm, c.subKey, RegistryStore::kKeyRead, h) == RegistryStore::kSuccess) {
            std::vector<RegistryStore::Value> values;
            EXPECT_EQ(RegistryStore::ListValues(h, values), RegistryStore::kSuccess);
            RegistryStore::CloseKey(h);
            for (const auto &v : values)
                after.push_back(v.name + "=" + v.data);
        } else {
            after.push_back("-");
        }
        EXPECT_EQ(after, c.after);
        if (!c.filled && c.status != RegistryStore::kSuccess) {
            EXPECT_FALSE(QFile::exists(store.path())) << "a failed write made the store file";
        }
    }
}

TEST(Store, LockedStoreReadsAndFailsWritesWithBusyAfterTheShortWait)
{
    qr::test::TempStore store;
    FillStore();
    QProcess holder;
    holder.start(kWriter, {"hold"});
    ASSERT_TRUE(holder.waitForReadyRead(60000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readAllStandardOutput(), "locked\n");
    RegistryStore::SetBusyTimeout(RegistryStore::kPlayerBusyTimeoutMs);

    std::uint32_t h = 0;
    ASSERT_EQ(RegistryStore::OpenKey(kHklm, kSub, RegistryStore::kKeyWrite, h), RegistryStore::kSuccess);
    char data[8] = {};
    std::uint32_t size = sizeof data;
    EXPECT_EQ(RegistryStore::QueryValue(h, "Splash", nullptr, data, &size), RegistryStore::kSuccess);
    EXPECT_STREQ(data, "no");
    std::uint32_t created = 0;
    const std::pair<const char *, std::function<std::int32_t()>> writes[] = {
        {"SetValue", [&] { return RegistryStore::SetValue(h, "Splash", 1, "yes", 3); }},
        {"CreateKey", [&] { return RegistryStore::CreateKey(kHklm, "Software\\New", created); }},
        {"WriteValues",
         [&] {
             return RegistryStore::WriteValues(kHklm, kSub, {{"Splash", "yes"}});
         }},
    };
    for (const auto &[name, write] : writes)
        EXPECT_EQ(write(), RegistryStore::kBusy) << name;

    holder.closeWriteChannel();
    EXPECT_TRUE(holder.waitForFinished(60000));
    EXPECT_EQ(RegistryStore::SetValue(h, "Splash", 1, "yes", 3), RegistryStore::kSuccess);
    RegistryStore::CloseKey(h);
    RegistryStore::SetBusyTimeout(RegistryStore::kToolBusyTimeoutMs);
}

TEST(Store, WritableFileInReadOnlyFolderReadsAndRefusesWrites)
{
    qr::test::TempStore store;
    FillStore();
    const QString importFile = store.dir() + "/in.reg";
    qr::test::WriteFile(importFile, "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n\"Splash\"=\"no\"\n");
    const QByteArray exported = qr::test::RunTool({"export"}).out;
    const QByteArray before = ReadFile(store.path());
    const QString ryn = QString::fromStdString("HKEY_LOCAL_MACHINE\\" + std::string(kSub));

    // Root may write anywhere, so then the tool runs as nobody, who owns the file but not the folder.
    QStringList asUser;
    if (::geteuid() == 0) {
        asUser = {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"};
        const passwd *nobody = ::getpwnam("nobody");
        const group *nogroup = ::getgrnam("nogroup");
        if (!nobody || !nogroup ||
            ::chown(store.path().toLocal8Bit().constData(), nobody->pw_uid, nogroup->gr_gid))
            GTEST_SKIP() << "no user nobody and group nogroup to run the tool as";
        QFile::setPermissions(store.dir(),
                              QFile::permissions(store.dir()) | QFile::ReadOther | QFile::ExeOther);
        if (QProcess::execute(asUser[0], asUser.mid(1) + QStringList{"test", "-w", store.path(), "-a", "-x",
                                                                     qgetenv("QR_REG_TOOL")}) != 0)
            GTEST_SKIP() << "setpriv is missing, or nobody cannot reach the store file or the tool";
    } else {
        QFile::setPermissions(store.dir(), QFile::ReadOwner | QFile::ExeOwner);
    }
    struct Case {
        QStringList args;
        int exit;
        QByteArray out;
    };
    const Case cases[] = {
        {{"get", ryn, "Splash"}, 0, "no\n"},
        {{"list", ryn}, 0, "\"Splash\"=\"no\"\n\"QV_RL\"=\"10\"\n"},
        {{"export"}, 0, exported},
        {{"set", ryn, "Splash", "yes"}, 1, ""},
        {{"create", ryn + "\\New"}, 1, ""},
        {{"delete", ryn, "Splash"}, 1, ""},
        {{"delete", ryn}, 1, ""},
        {{"import", importFile}, 1, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const auto run = qr::test::RunTool(c.args, asUser);
        EXPECT_EQ(run.exit, c.exit) << run.err.toStdString();
        EXPECT_EQ(run.out, c.out);
        if (c.exit) {
            EXPECT_TRUE(run.err.contains("read-only")) << run.err.toStdString();
        }
    }
    QFile::setPermissions(store.dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadFile(store.path()), before);
    EXPECT_EQ(QDir(store.dir()).entryList(QDir::Files).join(' ').toStdString(), "in.reg registry.db");
}

TEST(Store, ParseKeyPath)
{
    using Status = RegistryStore::KeyPathParse::Status;
    struct Case {
        std::string path;
        Status status;
        std::uint32_t root;
        std::string subKey;
    };
    const Case cases[] = {
        {"HKEY_LOCAL_MACHINE\\Software\\Tarvell", Status::Ok, kHklm, "Software\\Tarvell"},
        {"HKEY_DYN_DATA", Status::Ok, RegistryStore::kDynData, ""},
        {"HKEY_CLASSES_ROOT\\a\\\\b", Status::Ok, RegistryStore::kClassesRoot, "a\\\\b"},
        {"HKEY_USERS\\", Status::Malformed, 0, ""},
        {"HKEY", Status::Malformed, 0, ""},
        {"hkey_users", Status::Malformed, 0, ""},
        {"HKEY_", Status::UnknownRoot, 0, ""},
        {"HKEY_users\\x", Status::UnknownRoot, 0, ""},
        {"HKEY_USERSX\\x", Status::UnknownRoot, 0, ""},
        {"HKEY_USER\\x", Status::UnknownRoot, 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const auto parse = RegistryStore::ParseKeyPath(c.path);
        EXPECT_EQ(parse.status, c.status);
        EXPECT_EQ(parse.root, c.root);
        EXPECT_EQ(parse.subKey, c.subKey);
    }
    for (std::uint32_t root = RegistryStore::kClassesRoot; !RegistryStore::RootName(root).empty(); ++root)
        EXPECT_EQ(RegistryStore::ParseKeyPath(std::string(RegistryStore::RootName(root)) + "\\k").root, root);
}

TEST(Store, StoredNumbers)
{
    // One row per road through the grammar: sign, digits, point, exponent, what may follow.
    const std::pair<QString, double> numbers[] = {
        {"0", 0},    {"-12", -12}, {"+3", 3},     {" \t42 \n", 42},   {"1.5", 1.5},
        {".5", 0.5}, {"5.", 5},    {"1e3", 1000}, {"-2.5E-1", -0.25}, {"1e308", 1e308}};
    for (const auto &[text, value] : numbers)
        EXPECT_EQ(qr::parseStoredNumber(text), value) << text.toStdString();
    for (const char *text :
         {"", "Error", "nan", "inf", "1e400", "0x10", "1,5", "12px", "-", ".", "1e", "e5", "\u0661"})
        EXPECT_EQ(qr::parseStoredNumber(QString::fromUtf8(text)), std::nullopt) << text;
}

} // namespace
