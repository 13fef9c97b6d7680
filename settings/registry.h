#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace qr {

// The player's road to its machine-wide key store: one full key path such as
// "HKEY_LOCAL_MACHINE\Software\Tarvell\Quilvane\Ryn" per call, text values only.
// Failures are reported in-band: a read gives "Error".

// Module state of the last call (the layer is used from the GUI thread only).
struct RegistryState {
    std::uint32_t RegKeyHandle = 0;
    std::uint32_t RegRootHive = 0;
    std::int32_t RegStatus = 0;
    QString RegValueBuffer;
    std::uint32_t RegValueLength = 0;
};
RegistryState &Registry();

std::uint32_t HiveFromName(const QString &name);
// Validates the path; on success sets root and rewrites path to its sub-key.
// Returns false (after the "Incorrect Format:" box) for a malformed path.
bool ParseKeyPath(QString &path, std::uint32_t &root);

// The stored text; "Error" when the key or value cannot be read; no value
// (std::nullopt) when the path is malformed or names no known root.
std::optional<QString> ReadValue(const QString &keyPath, const QString &valueName);
void CreateKey(const QString &keyPath);
void WriteValue(const QString &keyPath, const QString &valueName, const QString &text);
// True when the stored text begins with `expected` (case-sensitive).
bool RegValueIs(const QString &keyPath, const QString &valueName, const QString &expected);

} // namespace qr
