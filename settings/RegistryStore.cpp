#include "settings/RegistryStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qr {

namespace {

using Store = RegistryStore;

// Written into the file header so that a foreign SQLite file is never taken for ours.
constexpr int kApplicationId = 0x51525247; // "QRRG"
constexpr int kSchemaVersion = 1;
// How long a write waits for another connection's write lock; see SetBusyTimeout.
std::atomic<int> g_busyTimeoutMs{Store::kToolBusyTimeoutMs};

constexpr std::string_view kRootNames[] = {
    "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};
constexpr std::uint32_t kRootCount = std::size(kRootNames);

constexpr const char *kSchema = R"sql(
CREATE TABLE keys(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER NOT NULL,
    name TEXT NOT NULL COLLATE NOCASE,
    UNIQUE(parent, name));
CREATE TABLE vals(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    key INTEGER NOT NULL,
    name TEXT NOT NULL COLLATE NOCASE,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(key, name));
INSERT INTO keys(id, parent, name) VALUES
    (1, 0, 'HKEY_CLASSES_ROOT'), (2, 0, 'HKEY_CURRENT_USER'), (3, 0, 'HKEY_LOCAL_MACHINE'),
    (4, 0, 'HKEY_USERS'), (5, 0, 'HKEY_PERFORMANCE_DATA'), (6, 0, 'HKEY_CURRENT_CONFIG'),
    (7, 0, 'HKEY_DYN_DATA');
)sql";

bool IsRoot(std::uint32_t root)
{
    return root >= Store::kClassesRoot && root < Store::kClassesRoot + kRootCount;
}
// The seven roots are the first seven rows of `keys`.
std::int64_t RootRow(std::uint32_t root) { return std::int64_t(root - Store::kClassesRoot) + 1; }

std::int32_t FromSqlite(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return Store::kSuccess;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN:
        return Store::kAccessDenied;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Store::kBusy;
    case SQLITE_FULL:
        return Store::kDiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_ERROR:
        return Store::kBadDb;
    default:
        return Store::kIoFailed;
    }
}

class Stmt {
public:
    Stmt(sqlite3 *db, const char *sql) { m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt &) = delete;
    Stmt &operator=(const Stmt &) = delete;

    Stmt &Bind(int i, std::int64_t v)
    {
        if (m_stmt)
            sqlite3_bind_int64(m_stmt, i, v);
        return *this;
    }
    Stmt &BindText(int i, std::string_view v)
    {
        if (m_stmt)
            sqlite3_bind_text(m_stmt, i, v.data() ? v.data() : "", int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Stmt &BindBlob(int i, const char *data, std::uint32_t size)
    {
        // A null pointer would bind NULL rather than an empty blob.
        if (m_stmt)
            sqlite3_bind_blob(m_stmt, i, size ? data : "", int(size), SQLITE_TRANSIENT);
        return *this;
    }
    int Step() { return m_stmt ? sqlite3_step(m_stmt) : m_rc; }
    // Ready to be bound and stepped again.
    Stmt &Reset()
    {
        if (m_stmt) {
            sqlite3_reset(m_stmt);
            sqlite3_clear_bindings(m_stmt);
        }
        return *this;
    }
    std::int64_t Int(int col) { return sqlite3_column_int64(m_stmt, col); }
    std::string Bytes(int col)
    {
        const void *p = sqlite3_column_blob(m_stmt, col);
        int n = sqlite3_column_bytes(m_stmt, col);
        return p ? std::string(static_cast<const char *>(p), std::size_t(n)) : std::string();
    }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_rc = SQLITE_OK;
};

int Exec(sqlite3 *db, const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

// One write transaction; rolled back unless committed.
class WriteTxn {
public:
    explicit WriteTxn(sqlite3 *db) : m_db(db)
    {
        sqlite3_busy_timeout(db, g_busyTimeoutMs.load()); // it may have changed since the handle was opened
        m_rc = Exec(db, "BEGIN IMMEDIATE");
    }
    ~WriteTxn()
    {
        if (m_rc == SQLITE_OK && !m_done)
            Exec(m_db, "ROLLBACK");
    }
    std::int32_t Status() const { return FromSqlite(m_rc); }
    std::int32_t Commit()
    {
        int rc = Exec(m_db, "COMMIT");
        if (rc == SQLITE_OK)
            m_done = true;
        return FromSqlite(rc);
    }

private:
    sqlite3 *m_db;
    int m_rc;
    bool m_done = false;
};

std::vector<std::string_view> SplitPath(std::string_view sub)
{
    std::vector<std::string_view> parts;
    if (sub.empty())
        return parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t bs = sub.find('\\', start);
        parts.push_back(
            sub.substr(start, bs == std::string_view::npos ? std::string_view::npos : bs - start));
        if (bs == std::string_view::npos)
            return parts;
        start = bs + 1;
    }
}

bool HasControlChar(std::string_view s)
{
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// Every backslash-separated part is a name that can be stored.
bool KeyNamesValid(std::string_view sub)
{
    const auto parts = SplitPath(sub);
    return std::none_of(parts.begin(), parts.end(),
                        [](std::string_view part) { return part.empty() || HasControlChar(part); });
}

// Only the header is looked at, so nothing foreign is ever handed to SQLite.
// It is read through SQLite's own file layer: closing a descriptor of our own
// would drop every lock this process's connections hold on the file (POSIX
// locks belong to the process), and another program could then checkpoint
// the log into the file while they read it.
std::int32_t CheckHeader(const std::string &path, off_t size)
{
    if (size == 0)
        return Store::kSuccess; // a new, empty database
    if (size < 100)
        return Store::kBadDb;
    if (::access(path.c_str(), R_OK) != 0)
        return errno == EACCES ? Store::kAccessDenied : Store::kIoFailed;
    sqlite3 *probe = nullptr; // opening reads nothing
    int rc = sqlite3_open_v2(path.c_str(), &probe, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_file *file = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_file_control(probe, "main", SQLITE_FCNTL_FILE_POINTER, &file);
    char head[16] = {};
    if (rc == SQLITE_OK)
        rc = file && file->pMethods ? file->pMethods->xRead(file, head, sizeof head, 0) : SQLITE_IOERR;
    sqlite3_close_v2(probe);
    if (rc != SQLITE_OK)
        return Store::kIoFailed;
    return std::memcmp(head, "SQLite format 3", 16) == 0 ? Store::kSuccess : Store::kBadDb;
}

// Decides whether the open database is this store (ready), an empty file
// waiting for its tables, or anything else (kBadDb). Reads only.
std::int32_t Validate(sqlite3 *db, bool &ready)
{
    ready = false;
    Stmt check(db, "PRAGMA quick_check(1)");
    int rc = check.Step();
    if (rc != SQLITE_ROW)
        return FromSqlite(rc) == Store::kSuccess ? Store::kBadDb : FromSqlite(rc);
    if (check.Bytes(0) != "ok")
        return Store::kBadDb;

    Stmt app(db, "SELECT (SELECT application_id FROM pragma_application_id),"
                 " (SELECT user_version FROM pragma_user_version),"
                 " (SELECT count(*) FROM sqlite_schema),"
                 " (SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN ('keys', 'vals'))");
    rc = app.Step();
    if (rc != SQLITE_ROW)
        return FromSqlite(rc) == Store::kSuccess ? Store::kBadDb : FromSqlite(rc);
    const std::int64_t appId = app.Int(0), version = app.Int(1), objects = app.Int(2), tables = app.Int(3);
    if (appId == kApplicationId && version >= 1 && version <= kSchemaVersion && tables == 2) {
        ready = true;
        return Store::kSuccess;
    }
    if (appId == 0 && version == 0 && objects == 0)
        return Store::kSuccess;
    return Store::kBadDb;
}

std::int32_t Initialise(sqlite3 *db)
{
    {
        Stmt wal(db, "PRAGMA journal_mode=WAL");
        wal.Step(); // stays in rollback mode if another connection is in the way; retried on the next write
    }
    WriteTxn txn(db);
    if (txn.Status() != Store::kSuccess)
        return txn.Status();
    bool ready = false;
    std::int32_t s = Validate(db, ready); // another process may have got here first
    if (s != Store::kSuccess || ready)
        return s != Store::kSuccess ? s : txn.Commit();
    std::string sql = kSchema;
    sql += "PRAGMA application_id=" + std::to_string(kApplicationId) + ";";
    sql += "PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";";
    int rc = Exec(db, sql.c_str());
    if (rc != SQLITE_OK)
        return FromSqlite(rc);
    return txn.Commit();
}

void EnsureWal(sqlite3 *db)
{
    Stmt mode(db, "PRAGMA journal_mode");
    if (mode.Step() == SQLITE_ROW && mode.Bytes(0) != "wal") {
        Stmt wal(db, "PRAGMA journal_mode=WAL");
        wal.Step();
    }
}

void CloseDb(sqlite3 *db, bool leaveFileAlone)
{
    if (!db)
        return;
    if (leaveFileAlone) // no checkpoint into a file we refused
        sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    sqlite3_close_v2(db);
}

bool FileIsReadOnly(const std::string &path, const struct stat &st)
{
    // The write bits count even for root, to whom access() always says yes.
    return ::access(path.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// SQLite makes its -wal, -shm and journal files next to the store.
bool FolderIsReadOnly(const std::string &path)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty())
        folder = ".";
    return ::access(folder.c_str(), W_OK | X_OK) != 0;
}

bool LogHasContent(const std::string &path)
{
    struct stat wal;
    return ::stat((path + "-wal").c_str(), &wal) == 0 && wal.st_size > 0;
}

std::string ReadOnlyUri(const std::string &path)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += char(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri + "?mode=ro&immutable=1";
}

bool FileExists(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// Opens one connection and checks it is this store, laying out an empty
// file when writing. `db` stays null for a file that holds no store yet and
// is only read.
std::int32_t Connect(const std::string &name, int flags, bool write, sqlite3 *&db)
{
    db = nullptr;
    // A log that was there before may hold another program's changes: a file
    // we refuse gets no checkpoint of them. One this connection made is empty
    // and goes with it, with its index.
    const bool logBefore = (flags & SQLITE_OPEN_URI) || FileExists(name + "-wal");
    sqlite3 *conn = nullptr;
    int rc = sqlite3_open_v2(name.c_str(), &conn, flags, nullptr);
    if (rc != SQLITE_OK) {
        CloseDb(conn, true);
        return FromSqlite(rc);
    }
    sqlite3_busy_timeout(conn, g_busyTimeoutMs.load());

    bool ready = false;
    std::int32_t s = Validate(conn, ready);
    if (s == Store::kSuccess && !ready && write) {
        s = Initialise(conn);
        ready = s == Store::kSuccess;
    }
    if (s == Store::kIoFailed &&
        (sqlite3_system_errno(conn) == ENOSPC || sqlite3_system_errno(conn) == EDQUOT))
        s = Store::kDiskFull; // the -shm index could not be made
    if (s != Store::kSuccess || !ready) {
        CloseDb(conn, s != Store::kSuccess && logBefore);
        return s;
    }
    if (write)
        EnsureWal(conn);
    Exec(conn, "PRAGMA synchronous=FULL"); // a setting whose write returned survives a power cut
    db = conn;
    return Store::kSuccess;
}

// What a read-write open that found no room left beside the store: an empty
// log and an index short of its first 32 KiB block, which no connection can
// be using.
void RemoveUnusableSideFiles(const std::string &path, bool logBefore, bool indexBefore)
{
    struct stat st;
    if (!logBefore && ::stat((path + "-wal").c_str(), &st) == 0 && st.st_size == 0)
        ::unlink((path + "-wal").c_str());
    if (!indexBefore && ::stat((path + "-shm").c_str(), &st) == 0 && st.st_size < 32768)
        ::unlink((path + "-shm").c_str());
}

// Said once per run, the first time a full disk leaves the store read-only.
void NoteNoRoom(const std::string &path)
{
    static std::once_flag once;
    std::call_once(once, [&] {
        std::fprintf(stderr,
                     "%s: no space left beside the store %s: it is read as it stands, and settings "
                     "will not be saved\n",
                     program_invocation_short_name, path.c_str());
    });
}

// Opens the store file. On success `db` is null when the file does not exist
// or holds no store yet and `create` was not asked for: an empty store.
std::int32_t OpenStore(bool write, bool create, sqlite3 *&db)
{
    db = nullptr;
    const std::string path = Store::FilePath();
    struct stat st;
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists) {
        if (errno != ENOENT)
            return errno == EACCES ? Store::kAccessDenied : Store::kIoFailed;
        if (!create)
            return Store::kSuccess;
        std::error_code ec;
        const auto folder = std::filesystem::path(path).parent_path();
        if (!folder.empty())
            std::filesystem::create_directories(folder, ec);
        if (ec)
            return ec == std::errc::permission_denied || ec == std::errc::read_only_file_system
                       ? Store::kAccessDenied
                       : Store::kIoFailed;
    } else {
        if (!S_ISREG(st.st_mode))
            return Store::kBadDb;
        if (std::int32_t s = CheckHeader(path, st.st_size); s != Store::kSuccess)
            return s;
    }
    const bool readOnly = exists && (FileIsReadOnly(path, st) || FolderIsReadOnly(path));
    if (!readOnly) {
        const bool logBefore = FileExists(path + "-wal"), indexBefore = FileExists(path + "-shm");
        const std::int32_t s =
            Connect(path, SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE), write, db);
        if (s != Store::kDiskFull || !exists)
            return s;
        RemoveUnusableSideFiles(path, logBefore, indexBefore);
        if (write)
            return s;
        NoteNoRoom(path);
    } else if (write) {
        return Store::kAccessDenied;
    }
    // A log left by a writer that died holds committed changes that only
    // SQLite's ordinary read-only open sees. Where that cannot work (no -shm
    // file and no right or room to make one), and whenever there is no such
    // log, the file is read as it stands: no side files needed, none left
    // behind to keep the store read-only later.
    if (LogHasContent(path) && Connect(path, SQLITE_OPEN_READONLY, false, db) == Store::kSuccess)
        return Store::kSuccess;
    return Connect(ReadOnlyUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, false, db);
}

// The statements that find and change keys and values, each prepared on first use.
class StoreOps {
public:
    explicit StoreOps(sqlite3 *db) : m_db(db) {}

    // The row of a key below a root's row; kNotFound when any part is missing.
    std::int32_t Find(std::int64_t rootRow, std::string_view sub, std::int64_t &row)
    {
        row = rootRow;
        for (std::string_view part : SplitPath(sub)) {
            if (part.empty())
                return Store::kNotFound;
            if (std::int32_t s = Child(row, part, row); s != Store::kSuccess)
                return s;
        }
        return Store::kSuccess;
    }

    // Like Find, adding the parts that are missing. Inside a write transaction.
    std::int32_t Make(std::int64_t rootRow, std::string_view sub, std::int64_t &row)
    {
        row = rootRow;
        for (std::string_view part : SplitPath(sub)) {
            std::int32_t s = Child(row, part, row);
            if (s == Store::kNotFound) {
                Stmt &add = Get(kAddKey, "INSERT INTO keys(parent, name) VALUES(?, ?)");
                add.Bind(1, row).BindText(2, part);
                s = FromSqlite(add.Step());
                row = sqlite3_last_insert_rowid(m_db);
            }
            if (s != Store::kSuccess)
                return s;
        }
        return Store::kSuccess;
    }

    // Deletes a key's values and subkeys and the key itself.
    std::int32_t DeleteTree(std::int64_t row)
    {
        static const char *const kSql[] = {
            "WITH RECURSIVE t(id) AS (SELECT ?1 UNION ALL SELECT k.id FROM keys k JOIN t ON k.parent = t.id)"
            " DELETE FROM vals WHERE key IN t",
            "WITH RECURSIVE t(id) AS (SELECT ?1 UNION ALL SELECT k.id FROM keys k JOIN t ON k.parent = t.id)"
            " DELETE FROM keys WHERE id IN t",
        };
        for (int i : {kDeleteTreeValues, kDeleteTreeKeys}) {
            Stmt &q = Get(i, kSql[i - kDeleteTreeValues]);
            q.Bind(1, row);
            if (int rc = q.Step(); rc != SQLITE_DONE)
                return FromSqlite(rc);
        }
        return Store::kSuccess;
    }

    // Sets a value of a key known to exist, keeping its place in the value order.
    std::int32_t Set(std::int64_t row, const Store::Value &v)
    {
        Stmt &q = Get(kSetValue,
                      "INSERT INTO vals(key, name, type, data) VALUES(?, ?, ?, ?)"
                      " ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
        q.Bind(1, row).BindText(2, v.name).Bind(3, v.type).BindBlob(4, v.data.data(),
                                                                    std::uint32_t(v.data.size()));
        return FromSqlite(q.Step());
    }

    // kNotFound when the key has no such value.
    std::int32_t Unset(std::int64_t row, std::string_view name)
    {
        Stmt &q = Get(kDeleteValue, "DELETE FROM vals WHERE key = ? AND name = ?");
        q.Bind(1, row).BindText(2, name);
        if (int rc = q.Step(); rc != SQLITE_DONE)
            return FromSqlite(rc);
        return sqlite3_changes(m_db) ? Store::kSuccess : Store::kNotFound;
    }

private:
    enum { kFindChild, kAddKey, kDeleteTreeValues, kDeleteTreeKeys, kSetValue, kDeleteValue, kCount };

    std::int32_t Child(std::int64_t parent, std::string_view name, std::int64_t &row)
    {
        Stmt &q = Get(kFindChild, "SELECT id FROM keys WHERE parent = ? AND name = ?");
        q.Bind(1, parent).BindText(2, name);
        const int rc = q.Step();
        if (rc == SQLITE_DONE)
            return Store::kNotFound;
        if (rc != SQLITE_ROW)
            return FromSqlite(rc);
        row = q.Int(0);
        return Store::kSuccess;
    }

    Stmt &Get(int which, const char *sql)
    {
        auto &stmt = m_stmts[which];
        if (!stmt)
            stmt = std::make_unique<Stmt>(m_db, sql);
        return stmt->Reset();
    }

    sqlite3 *m_db;
    std::unique_ptr<Stmt> m_stmts[kCount];
};

std::int32_t FindKey(sqlite3 *db, std::int64_t rootRow, std::string_view sub, std::int64_t &row)
{
    if (!db) {
        row = rootRow;
        return sub.empty() ? Store::kSuccess : Store::kNotFound;
    }
    return StoreOps(db).Find(rootRow, sub, row);
}

// --- open keys ---------------------------------------------------------------

struct Handle {
    sqlite3 *db = nullptr; // null: an empty store, where only the roots exist
    std::int64_t row = 0;
    bool write = false;
};

struct HandleTable {
    std::mutex mutex;
    std::map<std::uint32_t, Handle> open;
    std::uint32_t next = 0x100;
};

HandleTable &Handles()
{
    static HandleTable table;
    return table;
}

std::uint32_t AddHandle(const Handle &h)
{
    auto &t = Handles();
    std::lock_guard lock(t.mutex);
    while (t.next == 0 || t.next >= Store::kClassesRoot || t.open.count(t.next))
        t.next = t.next >= Store::kClassesRoot ? 0x100 : t.next + 1;
    const std::uint32_t id = t.next++;
    t.open[id] = h;
    return id;
}

bool GetHandle(std::uint32_t key, Handle &h)
{
    auto &t = Handles();
    std::lock_guard lock(t.mutex);
    auto it = t.open.find(key);
    if (it == t.open.end())
        return false;
    h = it->second;
    return true;
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

// The order of SQLite's NOCASE collation.
bool NoCaseLess(const std::string &a, const std::string &b)
{
    const std::string la = Lower(a), lb = Lower(b);
    return la != lb ? la < lb : a < b;
}

} // namespace

std::uint32_t RegistryStore::RootHandle(std::string_view name, RootSpelling spelling)
{
    for (std::uint32_t i = 0; i < kRootCount; ++i)
        if (spelling == RootSpelling::Exact ? kRootNames[i] == name : Lower(kRootNames[i]) == Lower(name))
            return kClassesRoot + i;
    return 0;
}

std::string_view RegistryStore::RootName(std::uint32_t root)
{
    return IsRoot(root) ? kRootNames[root - kClassesRoot] : std::string_view();
}

std::string RegistryStore::FilePath()
{
    if (const char *file = std::getenv("QUILVANE_RYN_REGISTRY"); file && *file)
        return file;
    std::string base;
    if (const char *xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char *home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd *pw = ::getpwuid(::getuid());
            home = pw && pw->pw_dir ? pw->pw_dir : "/tmp";
        }
        base = std::string(home) + "/.config";
    }
    return base + "/quilvane-ryn/registry.db";
}

std::int32_t RegistryStore::OpenKey(std::uint32_t root, std::string_view subKey, std::uint32_t access,
                                    std::uint32_t &key)
{
    key = 0;
    if (!IsRoot(root))
        return kInvalidHandle;
    const bool write = (access & 0x6) != 0; // set value or create subkey
    Handle h;
    h.write = write;
    // Only a root itself can be opened for writing in a store that does not exist yet.
    std::int32_t s = OpenStore(write, write && subKey.empty(), h.db);
    if (s != kSuccess)
        return s;
    s = FindKey(h.db, RootRow(root), subKey, h.row);
    if (s != kSuccess) {
        CloseDb(h.db, false);
        return s;
    }
    key = AddHandle(h);
    return kSuccess;
}

std::int32_t RegistryStore::CreateKey(std::uint32_t root, std::string_view subKey, std::uint32_t &key)
{
    key = 0;
    if (!IsRoot(root))
        return kInvalidHandle;
    if (!KeyNamesValid(subKey))
        return kBadPathname;
    Handle h;
    h.write = true;
    std::int32_t s = OpenStore(true, true, h.db);
    if (s != kSuccess)
        return s;
    if (FindKey(h.db, RootRow(root), subKey, h.row) != kSuccess) {
        WriteTxn txn(h.db);
        s = txn.Status();
        if (s == kSuccess)
            s = StoreOps(h.db).Make(RootRow(root), subKey, h.row);
        if (s == kSuccess)
            s = txn.Commit();
    }
    if (s != kSuccess) {
        CloseDb(h.db, false);
        return s;
    }
    key = AddHandle(h);
    return kSuccess;
}

std::int32_t RegistryStore::CloseKey(std::uint32_t key)
{
    Handle h;
    {
        auto &t = Handles();
        std::lock_guard lock(t.mutex);
        auto it = t.open.find(key);
        if (it == t.open.end())
            return IsRoot(key) ? kSuccess : kInvalidHandle;
        h = it->second;
        t.open.erase(it);
    }
    CloseDb(h.db, false);
    return kSuccess;
}

std::int32_t RegistryStore::QueryValue(std::uint32_t key, std::string_view name, std::uint32_t *type,
                                       char *data, std::uint32_t *size)
{
    Handle h;
    if (!GetHandle(key, h))
        return kInvalidHandle;
    if (data && !size)
        return kInvalidParameter;
    if (!h.db)
        return kNotFound;
    Stmt q(h.db, "SELECT type, data FROM vals WHERE key = ? AND name = ?");
    q.Bind(1, h.row).BindText(2, name);
    int rc = q.Step();
    if (rc == SQLITE_DONE)
        return kNotFound;
    if (rc != SQLITE_ROW)
        return FromSqlite(rc);
    const auto t = std::uint32_t(q.Int(0));
    const std::string bytes = q.Bytes(1);
    const bool isString = t == kRegSz || t == kRegExpandSz;
    const auto needed = std::uint32_t(bytes.size() + (isString ? 1 : 0));
    if (type)
        *type = t;
    if (!size)
        return kSuccess;
    if (!data) {
        *size = needed;
        return kSuccess;
    }
    if (*size < needed) {
        *size = needed;
        return kMoreData;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    if (isString)
        data[bytes.size()] = '\0';
    *size = needed;
    return kSuccess;
}

std::int32_t RegistryStore::SetValue(std::uint32_t key, std::string_view name, std::uint32_t type,
                                     const char *data, std::uint32_t size)
{
    Handle h;
    if (!GetHandle(key, h))
        return kInvalidHandle;
    if (!h.write || !h.db)
        return kAccessDenied;
    if (HasControlChar(name) || (size && !data))
        return kInvalidParameter;
    WriteTxn txn(h.db);
    if (txn.Status() != kSuccess)
        return txn.Status();
    Stmt q(h.db, "INSERT INTO vals(key, name, type, data)"
                 " SELECT ?1, ?2, ?3, ?4 WHERE EXISTS (SELECT 1 FROM keys WHERE id = ?1)"
                 " ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
    q.Bind(1, h.row).BindText(2, name).Bind(3, type).BindBlob(4, data, size);
    int rc = q.Step();
    if (rc != SQLITE_DONE)
        return FromSqlite(rc);
    if (sqlite3_changes(h.db) == 0)
        return kKeyDeleted; // another process removed the key after we opened it
    return txn.Commit();
}

std::int32_t RegistryStore::DeleteValue(std::uint32_t key, std::string_view name)
{
    Handle h;
    if (!GetHandle(key, h))
        return kInvalidHandle;
    if (!h.write || !h.db)
        return h.write ? kNotFound : kAccessDenied;
    WriteTxn txn(h.db);
    if (txn.Status() != kSuccess)
        return txn.Status();
    Stmt q(h.db, "DELETE FROM vals WHERE key = ? AND name = ?");
    q.Bind(1, h.row).BindText(2, name);
    int rc = q.Step();
    if (rc != SQLITE_DONE)
        return FromSqlite(rc);
    if (sqlite3_changes(h.db) == 0)
        return kNotFound;
    return txn.Commit();
}

std::int32_t RegistryStore::DeleteKey(std::uint32_t root, std::string_view subKey)
{
    if (!IsRoot(root))
        return kInvalidHandle;
    if (subKey.empty())
        return kAccessDenied;
    sqlite3 *db = nullptr;
    std::int32_t s = OpenStore(true, false, db);
    if (s != kSuccess)
        return s;
    if (!db)
        return kNotFound;
    {
        WriteTxn txn(db);
        StoreOps ops(db);
        std::int64_t row = 0;
        s = txn.Status();
        if (s == kSuccess)
            s = ops.Find(RootRow(root), subKey, row);
        if (s == kSuccess)
            s = ops.DeleteTree(row);
        if (s == kSuccess)
            s = txn.Commit();
    }
    CloseDb(db, false);
    return s;
}

std::int32_t RegistryStore::ListSubKeys(std::uint32_t key, std::vector<std::string> &names)
{
    names.clear();
    Handle h;
    if (!GetHandle(key, h))
        return kInvalidHandle;
    if (!h.db)
        return kSuccess;
    Stmt q(h.db, "SELECT name FROM keys WHERE parent = ? ORDER BY name, name COLLATE BINARY");
    q.Bind(1, h.row);
    int rc;
    while ((rc = q.Step()) == SQLITE_ROW)
        names.push_back(q.Bytes(0));
    return rc == SQLITE_DONE ? kSuccess : FromSqlite(rc);
}

std::int32_t RegistryStore::ListValues(std::uint32_t key, std::vector<Value> &values)
{
    values.clear();
    Handle h;
    if (!GetHandle(key, h))
        return kInvalidHandle;
    if (!h.db)
        return kSuccess;
    Stmt q(h.db, "SELECT name, type, data FROM vals WHERE key = ? ORDER BY id");
    q.Bind(1, h.row);
    int rc;
    while ((rc = q.Step()) == SQLITE_ROW)
        values.push_back({q.Bytes(0), std::uint32_t(q.Int(1)), q.Bytes(2)});
    return rc == SQLITE_DONE ? kSuccess : FromSqlite(rc);
}

std::int32_t RegistryStore::Snapshot(std::uint32_t key, std::vector<KeyRecord> &keys)
{
    keys.clear();
    Handle h;
    if (!GetHandle(key, h))
        return kInvalidHandle;
    if (!h.db) {
        keys.push_back({});
        return kSuccess;
    }
    if (int rc = Exec(h.db, "BEGIN"); rc != SQLITE_OK)
        return FromSqlite(rc);
    struct Node {
        std::string name;
        std::vector<std::int64_t> children;
        std::vector<Value> values;
    };
    std::map<std::int64_t, Node> nodes;
    nodes[h.row];
    int rc;
    {
        Stmt q(h.db, "WITH RECURSIVE t(id, parent, name) AS (SELECT ?1, 0, ''"
                     " UNION ALL SELECT k.id, k.parent, k.name FROM keys k JOIN t ON k.parent = t.id)"
                     " SELECT id, parent, name FROM t WHERE id <> ?1");
        q.Bind(1, h.row);
        while ((rc = q.Step()) == SQLITE_ROW) {
            nodes[q.Int(0)].name = q.Bytes(2);
            nodes[q.Int(1)].children.push_back(q.Int(0));
        }
    }
    if (rc == SQLITE_DONE) {
        Stmt q(
            h.db,
            "WITH RECURSIVE t(id) AS (SELECT ?1 UNION ALL SELECT k.id FROM keys k JOIN t ON k.parent = t.id)"
            " SELECT key, name, type, data FROM vals WHERE key IN t ORDER BY id");
        q.Bind(1, h.row);
        while ((rc = q.Step()) == SQLITE_ROW)
            nodes[q.Int(0)].values.push_back({q.Bytes(1), std::uint32_t(q.Int(2)), q.Bytes(3)});
    }
    Exec(h.db, "COMMIT");
    if (rc != SQLITE_DONE)
        return FromSqlite(rc);

    // Depth first, siblings in the store's own name order.
    std::vector<std::pair<std::int64_t, std::string>> stack{{h.row, std::string()}};
    while (!stack.empty()) {
        auto [id, path] = stack.back();
        stack.pop_back();
        Node &node = nodes[id];
        keys.push_back({path, std::move(node.values)});
        auto &kids = node.children;
        std::sort(kids.begin(), kids.end(),
                  [&](std::int64_t a, std::int64_t b) { return NoCaseLess(nodes[b].name, nodes[a].name); });
        for (std::int64_t kid : kids)
            stack.push_back({kid, path.empty() ? nodes[kid].name : path + "\\" + nodes[kid].name});
    }
    return kSuccess;
}

std::int32_t RegistryStore::CheckChange(const Change &change)
{
    if (!IsRoot(change.root))
        return kInvalidHandle;
    if (!KeyNamesValid(change.subKey))
        return kBadPathname;
    switch (change.kind) {
    case Change::Kind::CreateKey:
        return kSuccess;
    case Change::Kind::DeleteKey:
        return change.subKey.empty() ? kAccessDenied : kSuccess;
    case Change::Kind::SetValue:
    case Change::Kind::DeleteValue:
        return HasControlChar(change.value.name) ? kInvalidParameter : kSuccess;
    }
    return kInvalidParameter;
}

namespace {

std::int32_t ApplyAll(const std::vector<Store::Change> &changes, std::size_t &failed)
{
    using Kind = Store::Change::Kind;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (std::int32_t s = Store::CheckChange(changes[i]); s != Store::kSuccess) {
            failed = i;
            return s;
        }
    }
    if (changes.empty())
        return Store::kSuccess;
    // A missing store file is made only when something will be stored in it.
    const bool create = std::any_of(changes.begin(), changes.end(), [](const Store::Change &c) {
        return c.kind == Kind::CreateKey || (c.kind == Kind::SetValue && c.subKey.empty());
    });
    sqlite3 *db = nullptr;
    std::int32_t s = OpenStore(true, create, db);
    if (s != Store::kSuccess)
        return s;
    if (!db) { // no store: every key below the roots is missing
        for (std::size_t i = 0; i < changes.size(); ++i) {
            if (changes[i].kind == Kind::SetValue) {
                failed = i;
                return Store::kNotFound;
            }
        }
        return Store::kSuccess;
    }
    {
        WriteTxn txn(db);
        StoreOps ops(db);
        // The key of the last lookup, as long as no key was deleted since:
        // an import sets value after value in one key.
        std::uint32_t lastRoot = 0;
        std::string lastSub;
        std::int64_t lastRow = 0;
        auto find = [&](const Store::Change &c, std::int64_t &row) {
            if (lastRoot == c.root && lastSub == c.subKey) {
                row = lastRow;
                return std::int32_t(Store::kSuccess);
            }
            const std::int32_t found = ops.Find(RootRow(c.root), c.subKey, row);
            if (found == Store::kSuccess) {
                lastRoot = c.root;
                lastSub = c.subKey;
                lastRow = row;
            }
            return found;
        };
        s = txn.Status();
        for (std::size_t i = 0; s == Store::kSuccess && i < changes.size(); ++i) {
            const Store::Change &c = changes[i];
            std::int64_t row = 0;
            switch (c.kind) {
            case Kind::CreateKey:
                s = find(c, row);
                if (s == Store::kNotFound)
                    s = ops.Make(RootRow(c.root), c.subKey, row);
                break;
            case Kind::DeleteKey:
                lastRoot = 0;
                s = ops.Find(RootRow(c.root), c.subKey, row);
                if (s == Store::kSuccess)
                    s = ops.DeleteTree(row);
                else if (s == Store::kNotFound)
                    s = Store::kSuccess;
                break;
            case Kind::SetValue:
                s = find(c, row);
                if (s == Store::kSuccess)
                    s = ops.Set(row, c.value);
                break;
            case Kind::DeleteValue:
                s = find(c, row);
                if (s == Store::kSuccess)
                    s = ops.Unset(row, c.value.name);
                if (s == Store::kNotFound)
                    s = Store::kSuccess;
                break;
            }
            if (s != Store::kSuccess)
                failed = i;
        }
        if (s == Store::kSuccess)
            s = txn.Commit();
    }
    CloseDb(db, false);
    return s;
}

} // namespace

std::int32_t RegistryStore::ApplyChanges(const std::vector<Change> &changes, std::size_t *failedIndex)
{
    std::size_t failed = changes.size();
    const std::int32_t s = ApplyAll(changes, failed);
    if (failedIndex)
        *failedIndex = s == kSuccess ? changes.size() : failed;
    return s;
}

std::int32_t RegistryStore::WriteValues(std::uint32_t root, std::string_view subKey,
                                        const std::vector<std::pair<std::string, std::string>> &values)
{
    std::vector<Change> changes;
    changes.reserve(values.size());
    for (const auto &[name, data] : values)
        changes.push_back({Change::Kind::SetValue, root, std::string(subKey), {name, kRegSz, data}});
    return ApplyChanges(changes);
}

void RegistryStore::SetBusyTimeout(int ms) { g_busyTimeoutMs = std::max(ms, 0); }

int RegistryStore::BusyTimeout() { return g_busyTimeoutMs; }

RegistryStore::KeyPathParse RegistryStore::ParseKeyPath(std::string_view path, RootSpelling spelling)
{
    KeyPathParse parse;
    const std::string_view prefix = path.substr(0, 5);
    if ((spelling == RootSpelling::Exact ? prefix != "HKEY_" : Lower(prefix) != "hkey_") ||
        path.ends_with('\\'))
        return parse;
    const std::size_t slash = path.find('\\');
    parse.root = RootHandle(path.substr(0, slash), spelling);
    if (parse.root == 0) {
        parse.status = KeyPathParse::Status::UnknownRoot;
        return parse;
    }
    parse.status = KeyPathParse::Status::Ok;
    if (slash != std::string_view::npos)
        parse.subKey = path.substr(slash + 1);
    return parse;
}

std::string RegistryStore::StatusText(std::int32_t status)
{
    switch (status) {
    case kSuccess:
        return "success";
    case kNotFound:
        return "not found";
    case kAccessDenied:
        return "access denied (the store is read-only)";
    case kInvalidHandle:
        return "invalid key handle";
    case kInvalidParameter:
        return "invalid name or parameter";
    case kBadPathname:
        return "invalid key name";
    case kBusy:
        return "the store is busy (another program holds it)";
    case kMoreData:
        return "value too long";
    case kBadDb:
        return "the store file is damaged or is not a Quilvane Ryn registry; it was left untouched";
    case kIoFailed:
        return "input/output error on the store file";
    case kDiskFull:
        return "no space left on the store's disk";
    case kKeyDeleted:
        return "the key was deleted";
    default:
        return "error " + std::to_string(status);
    }
}

} // namespace qr
