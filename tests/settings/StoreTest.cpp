#include "StoreDump.h"

#include "settings/RegistryStore.h"
#include "settings/PlayerSettings.h"
#include "settings/Registry.h"
#include "tests/support/TempStore.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <thread>

using qr::RegistryStore;
using qr::test::ReadFile;

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
        ASSERT_EQ(RegistryStore::SetValue(h, prefix + std::to_string(i), 1, data.data(), data.size()), 0);
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

    EXPECT_TRUE(qr::valueStartsWith(key, "Splash", "no"));
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

} // namespace
