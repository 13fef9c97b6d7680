#pragma once

#include "settings/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qr {

// The REGEDIT4 text form of the key store: what quilvane-ryn-reg exports and
// imports. Sections name keys ("[HKEY_...\Key]", "[-HKEY_...\Key]" deletes
// one), the lines below them set values ("name"="text", @ for the default
// value, dword:, hex:, hex(TYPE): byte lists, ="-" deletes one).

struct RegFileError {
    std::size_t line = 0; // from 1
    std::string message;
};

struct RegFileChanges {
    std::vector<RegistryStore::Change> changes;
    std::vector<std::size_t> lines; // the line each change was read from
};

// Reads a whole REGEDIT4 text into changes for RegistryStore::ApplyChanges,
// checking every key path and name as the store would, so that a file
// either fails here or applies whole. False with `error` set on the first
// problem.
[[nodiscard]] bool parseRegFile(std::string_view text, RegFileChanges &out, RegFileError &error);

// A value as one REGEDIT4 line, without the line end. Text that would break
// the line goes as bytes (hex(1):).
std::string regFileValueLine(const RegistryStore::Value &value);

// The whole store as REGEDIT4 text; roots without values of their own get no
// section.
[[nodiscard]] std::int32_t exportRegFile(std::string &out);
// One key and everything below it as REGEDIT4 text.
[[nodiscard]] std::int32_t exportRegFile(std::uint32_t root, std::string_view subKey, std::string &out);

// Why a key path is no use, for the reader: a path that parsed Ok gives "".
std::string keyPathProblem(std::string_view path, const RegistryStore::KeyPathParse &parse);
// Why a change cannot be applied, for a status of RegistryStore::CheckChange.
std::string changeProblem(const RegistryStore::Change &change, std::int32_t status);

} // namespace qr
