#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qr {

// The machine-wide key store: one SQLite file behaving like the registry
// functions the layer in registry.h was written against. Keys are paths under
// the seven root names; key and value names compare case-insensitively (ASCII
// letters) and keep the case they were created with. Names and data are UTF-8
// bytes. Every call returns a status number of the platform (0 = success).
//
// The file is $QUILVANE_RYN_REGISTRY, else $XDG_CONFIG_HOME/quilvane-ryn/registry.db
// (~/.config/... when unset), looked up again at every OpenKey and CreateKey.
// It is created with its folder by the first write; reads of a missing file
// see an empty store. A file that is not this store's database, or is damaged,
// fails every call with kBadDb and is never written to, nor given files beside
// it. A file that cannot be written, or one in a folder that cannot be written
// (where SQLite could not make its side files), is read as it stands and fails
// writes with kAccessDenied; so is one on a disk with no room for those files,
// which fails writes with kDiskFull and says once on standard error that
// nothing will be saved. Each write is its own transaction; ApplyChanges makes
// several writes one.
//
// A write waits for another process's write lock for the time SetBusyTimeout
// gave, then fails with kBusy. Reads never wait for writers.
//
// Handles are process-wide and may be used from any thread, one thread at a
// time per handle; each handle has its own database connection, which lives
// until CloseKey.
class RegistryStore {
public:
    // Status numbers.
    static constexpr std::int32_t kSuccess = 0;
    static constexpr std::int32_t kNotFound = 2;
    static constexpr std::int32_t kAccessDenied = 5;
    static constexpr std::int32_t kInvalidHandle = 6;
    static constexpr std::int32_t kInvalidParameter = 87;
    static constexpr std::int32_t kDiskFull = 112;
    static constexpr std::int32_t kBadPathname = 161;
    static constexpr std::int32_t kBusy = 170;
    static constexpr std::int32_t kMoreData = 234;
    static constexpr std::int32_t kBadDb = 1009;
    static constexpr std::int32_t kIoFailed = 1016;
    static constexpr std::int32_t kKeyDeleted = 1018;

    // Predefined root handles.
    static constexpr std::uint32_t kClassesRoot = 0x80000000u;
    static constexpr std::uint32_t kCurrentUser = 0x80000001u;
    static constexpr std::uint32_t kLocalMachine = 0x80000002u;
    static constexpr std::uint32_t kUsers = 0x80000003u;
    static constexpr std::uint32_t kPerformanceData = 0x80000004u;
    static constexpr std::uint32_t kCurrentConfig = 0x80000005u;
    static constexpr std::uint32_t kDynData = 0x80000006u;

    // Access masks of OpenKey.
    static constexpr std::uint32_t kKeyRead = 0x20019u;
    static constexpr std::uint32_t kKeyWrite = 0x20006u;

    // Value types; the player writes only kRegSz.
    static constexpr std::uint32_t kRegNone = 0;
    static constexpr std::uint32_t kRegSz = 1;
    static constexpr std::uint32_t kRegExpandSz = 2;
    static constexpr std::uint32_t kRegBinary = 3;
    static constexpr std::uint32_t kRegDword = 4;

    // The wait for another process's write lock, for every handle of the
    // process from its next call on. The player must never freeze its
    // windows; the tool has none and can wait. Until set: kToolBusyTimeoutMs.
    static constexpr int kPlayerBusyTimeoutMs = 250;
    static constexpr int kToolBusyTimeoutMs = 10000;
    static void SetBusyTimeout(int ms);
    static int BusyTimeout();

    // How a root name must be spelled: the player's registry layer takes
    // only the exact upper-case names, the tool (whose key names are
    // case-insensitive throughout) any case.
    enum class RootSpelling { Exact, AnyCase };
    // Root handle of a root name such as "HKEY_LOCAL_MACHINE"; 0 for any
    // other text.
    static std::uint32_t RootHandle(std::string_view name, RootSpelling spelling = RootSpelling::Exact);
    // The name of a root handle; "" for anything else.
    static std::string_view RootName(std::uint32_t root);

    // A full key path such as HKEY_LOCAL_MACHINE\Software\Tarvell: Malformed
    // when it does not begin with "HKEY_" (in the spelling asked for) or ends
    // with a backslash, UnknownRoot when the part before the first backslash
    // is none of the seven root names. Without a backslash it names the root itself (subKey
    // ""). Key names inside subKey are not checked here: empty or control
    // characters fail when used (kBadPathname).
    struct KeyPathParse {
        enum class Status { Ok, Malformed, UnknownRoot };
        Status status = Status::Malformed;
        std::uint32_t root = 0; // 0 unless Ok
        std::string subKey;
    };
    static KeyPathParse ParseKeyPath(std::string_view path, RootSpelling spelling = RootSpelling::Exact);

    // The file the next OpenKey or CreateKey would use.
    static std::string FilePath();

    // Opens an existing key ("" = the root itself). kNotFound when it does
    // not exist; kAccessDenied when write access is asked of a read-only file.
    [[nodiscard]] static std::int32_t OpenKey(std::uint32_t root, std::string_view subKey,
                                              std::uint32_t access, std::uint32_t &key);
    // Opens a key for writing, creating it and any missing parents; an
    // existing key is opened unchanged.
    [[nodiscard]] static std::int32_t CreateKey(std::uint32_t root, std::string_view subKey,
                                                std::uint32_t &key);
    static std::int32_t CloseKey(std::uint32_t key);

    // Reads a value into data (capacity *size bytes; data may be null to ask
    // for the size). String types report one terminating zero in *size and
    // store it in data; when it does not fit: kMoreData with the size needed.
    [[nodiscard]] static std::int32_t QueryValue(std::uint32_t key, std::string_view name,
                                                 std::uint32_t *type, char *data, std::uint32_t *size);
    // Stores exactly `size` bytes of data under the name ("" = default value).
    [[nodiscard]] static std::int32_t SetValue(std::uint32_t key, std::string_view name, std::uint32_t type,
                                               const char *data, std::uint32_t size);
    [[nodiscard]] static std::int32_t DeleteValue(std::uint32_t key, std::string_view name);
    // Deletes a key with all its subkeys and values; a root cannot be deleted.
    [[nodiscard]] static std::int32_t DeleteKey(std::uint32_t root, std::string_view subKey);

    struct Value {
        std::string name;
        std::uint32_t type = kRegSz;
        std::string data;
        bool operator==(const Value &) const = default;
    };
    // Subkey names in case-insensitive order.
    [[nodiscard]] static std::int32_t ListSubKeys(std::uint32_t key, std::vector<std::string> &names);
    // Values in the order they were first set.
    [[nodiscard]] static std::int32_t ListValues(std::uint32_t key, std::vector<Value> &values);

    struct KeyRecord {
        std::string path; // relative to the snapshot's key, "" for the key itself
        std::vector<Value> values;
    };
    // The key and every key below it, parents before children, subkeys in
    // case-insensitive order, read in one transaction.
    [[nodiscard]] static std::int32_t Snapshot(std::uint32_t key, std::vector<KeyRecord> &keys);

    // One change of a batch. Deleting a key or a value that is not there does
    // nothing; setting a value in a key that does not exist (and is not
    // created earlier in the batch) fails with kNotFound.
    struct Change {
        enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
        Kind kind = Kind::CreateKey;
        std::uint32_t root = 0;
        std::string subKey;
        Value value; // SetValue: all of it; DeleteValue: the name
        bool operator==(const Change &) const = default;
    };
    // The status ApplyChanges would give this change before touching the
    // store: kInvalidHandle for a root that is none of the seven,
    // kBadPathname for an empty key name or a control character in one,
    // kInvalidParameter for a control character in a value name,
    // kAccessDenied for deleting a root.
    [[nodiscard]] static std::int32_t CheckChange(const Change &change);
    // Checks every change, then applies them in order in one transaction: all
    // of them or, on any failure, none. *failedIndex (when given) names the
    // change that failed, or is changes.size() when the store itself did.
    [[nodiscard]] static std::int32_t ApplyChanges(const std::vector<Change> &changes,
                                                   std::size_t *failedIndex = nullptr);
    // Sets text values (kRegSz) of one existing key at once; kNotFound when the
    // key does not exist, which is never created here.
    [[nodiscard]] static std::int32_t
    WriteValues(std::uint32_t root, std::string_view subKey,
                const std::vector<std::pair<std::string, std::string>> &values);

    // A short English description of a status number.
    static std::string StatusText(std::int32_t status);
};

} // namespace qr
