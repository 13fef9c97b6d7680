#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>
#include <optional>
#include <variant>

namespace qr {

// The player's road to its key store: one full key path such as
// "HKEY_LOCAL_MACHINE\Software\Tarvell\Quilvane\Ryn" per call, text values
// only. A call gives its value or the reason it failed; nothing is shown to
// the user from here.
enum class RegistryError {
    MalformedPath, // does not begin with "HKEY_", or ends in a backslash
    UnknownRoot,   // begins with "HKEY_" but names none of the seven roots
    NotFound,      // the key or the value does not exist
    AccessDenied,  // the store is read-only
    Busy,          // another program holds the store's write lock
    Damaged,       // the file is not this store, or is damaged
    ValueTooLong,  // a value of more than 254 bytes
    Failed,        // anything else the store reports
};

// A value, or why there is none.
template <typename T> class [[nodiscard]] RegistryResult {
public:
    RegistryResult(T value) : m_value(std::move(value)) {}
    RegistryResult(RegistryError error) : m_value(error) {}

    bool ok() const { return std::holds_alternative<T>(m_value); }
    explicit operator bool() const { return ok(); }
    const T &operator*() const { return std::get<T>(m_value); }
    const T *operator->() const { return &std::get<T>(m_value); }
    RegistryError error() const { return std::get<RegistryError>(m_value); }
    T valueOr(T fallback) const { return ok() ? **this : std::move(fallback); }

private:
    std::variant<T, RegistryError> m_value;
};

// A change of the store: no error, or why it failed.
class [[nodiscard]] RegistryStatus : public std::optional<RegistryError> {
public:
    using std::optional<RegistryError>::optional;
};

struct KeyPath {
    std::uint32_t root = 0;
    QString subKey; // "" is the root itself
};
RegistryResult<KeyPath> parseKeyPath(const QString &path);

// The message a malformed path deserves, for a caller that shows one.
QString malformedPathMessage(const QString &path);

// Reads give back exactly what was written, up to 254 UTF-8 bytes.
RegistryResult<QString> readValue(const QString &keyPath, const QString &valueName);
// Creates the key and any missing parents; an existing key stays as it is.
RegistryStatus createKey(const QString &keyPath);
// Stores a text value in an existing key; a missing key is not created.
RegistryStatus writeValue(const QString &keyPath, const QString &valueName, const QString &text);
// Several values of one existing key, all or none.
RegistryStatus writeValues(const QString &keyPath, const QList<QPair<QString, QString>> &values);
using NamedValues = QList<QPair<QString, QString>>;

// Every text value of a key, in the order they were first set, whatever
// their length.
RegistryResult<NamedValues> readValues(const QString &keyPath);

// Values of several keys in one write, all or none: added to a key that
// exists, or, for a key given whole, the key made when missing and left
// holding exactly these values.
struct KeyWrite {
    QString keyPath;
    NamedValues values;
    bool whole = false;
};
RegistryStatus writeKeys(const QList<KeyWrite> &writes);

// True when the stored text begins with `expected` (case-sensitive). A
// value that cannot be read begins with nothing but "".
bool valueStartsWith(const QString &keyPath, const QString &valueName, const QString &expected);

} // namespace qr
