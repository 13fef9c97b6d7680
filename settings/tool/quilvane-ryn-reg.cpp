// quilvane-ryn-reg: reads and edits the player's key store from the command
// line, and moves it in and out as REGEDIT4 text.
//
// Exit status: 0 done, 1 the operation failed (missing key or value, store
// unreadable or read-only, bad import file), 2 bad arguments.

#include "settings/RegistryStore.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using qr::RegistryStore;

constexpr const char *kProgram = "quilvane-ryn-reg";

constexpr const char *kUsage =
    "usage: quilvane-ryn-reg get KEY [NAME] | set KEY NAME DATA | create KEY | delete KEY [NAME]\n"
    "                        | list KEY | export [KEY] | import FILE\n";

constexpr const char *kHelp =
    "  get KEY [NAME]     print a value (NAME omitted or \"\": the key's default value)\n"
    "  set KEY NAME DATA  store a text value, creating the key and its parents\n"
    "  create KEY         create a key and its parents\n"
    "  delete KEY [NAME]  delete a key with everything below it, or one value\n"
    "  list KEY           print the subkeys (ending in \\) and values of a key\n"
    "  export [KEY]       print the whole store, or a key and everything below it, as REGEDIT4 text\n"
    "  import FILE        read REGEDIT4 text (\"-\": standard input) into the store\n"
    "KEY is a full path such as HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Quilvane\\Ryn.\n"
    "The store is $QUILVANE_RYN_REGISTRY, else $XDG_CONFIG_HOME/quilvane-ryn/registry.db.\n";

enum Exit { kOk = 0, kFailed = 1, kBadArgs = 2 };

void Fail(const std::string &message)
{
    std::cerr << kProgram << ": " << message << "\n";
}

struct KeyPath {
    std::uint32_t root = 0;
    std::string sub;
    std::string full;
};

// The same format test the player applies, answered here on stderr.
std::optional<KeyPath> ParseKey(const std::string &path, std::string &error)
{
    if (path.compare(0, 5, "HKEY_") != 0 || (!path.empty() && path.back() == '\\')) {
        error = "Incorrect Format: \"" + path +
                "\" (a key path begins with HKEY_ and a root name, and does not end in a backslash)";
        return std::nullopt;
    }
    const std::size_t slash = path.find('\\');
    KeyPath key;
    key.full = path;
    key.root = RegistryStore::RootHandle(path.substr(0, slash));
    if (slash != std::string::npos)
        key.sub = path.substr(slash + 1);
    if (key.root == 0) {
        error = "unknown root key \"" + path.substr(0, slash) +
                "\" (one of HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, "
                "HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA)";
        return std::nullopt;
    }
    return key;
}

std::string Describe(std::int32_t status, const std::string &what)
{
    return what + ": " + RegistryStore::StatusText(status) + " (store " + RegistryStore::FilePath() + ")";
}

// --- the REGEDIT4 form ----------------------------------------------------

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string ValueLine(const RegistryStore::Value &v)
{
    std::string line = v.name.empty() ? std::string("@") : Quote(v.name);
    line += '=';
    const bool lineSafe = v.data.find_first_of(std::string_view("\n\r\0", 3)) == std::string::npos;
    if (v.type == RegistryStore::kRegSz && lineSafe)
        return line + Quote(v.data);
    static const char kHex[] = "0123456789abcdef";
    if (v.type == RegistryStore::kRegDword && v.data.size() == 4) {
        line += "dword:";
        for (int i = 3; i >= 0; --i) {
            const auto b = static_cast<unsigned char>(v.data[std::size_t(i)]);
            line += kHex[b >> 4];
            line += kHex[b & 15];
        }
        return line;
    }
    // Other types, and text that would break the line, go as bytes.
    if (v.type == RegistryStore::kRegBinary) {
        line += "hex:";
    } else {
        std::ostringstream type;
        type << std::hex << v.type;
        line += "hex(" + type.str() + "):";
    }
    for (std::size_t i = 0; i < v.data.size(); ++i) {
        const auto b = static_cast<unsigned char>(v.data[i]);
        if (i)
            line += ',';
        line += kHex[b >> 4];
        line += kHex[b & 15];
    }
    return line;
}

void WriteSection(std::string &out, const std::string &path, const std::vector<RegistryStore::Value> &values)
{
    out += "[" + path + "]\n";
    for (const auto &v : values)
        out += ValueLine(v) + "\n";
    out += "\n";
}

// Appends one root or key and everything below it. A root without values of
// its own gets no section in a whole-store export.
std::int32_t ExportKey(std::string &out, const KeyPath &key, bool wholeRoot)
{
    std::uint32_t h = 0;
    std::int32_t s = RegistryStore::OpenKey(key.root, key.sub, RegistryStore::kKeyRead, h);
    if (s != RegistryStore::kSuccess)
        return s;
    std::vector<RegistryStore::KeyRecord> records;
    s = RegistryStore::Snapshot(h, records);
    RegistryStore::CloseKey(h);
    if (s != RegistryStore::kSuccess)
        return s;
    for (const auto &r : records) {
        if (wholeRoot && r.path.empty() && r.values.empty())
            continue;
        WriteSection(out, r.path.empty() ? key.full : key.full + "\\" + r.path, r.values);
    }
    return RegistryStore::kSuccess;
}

struct ImportOp {
    enum Kind { Key, DeleteKey, Value, DeleteValue } kind;
    KeyPath key;
    RegistryStore::Value value;
};

bool ParseQuoted(std::string_view line, std::size_t &pos, std::string &out)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size() && (line[pos + 1] == '\\' || line[pos + 1] == '"'))
            c = line[++pos];
        out += c;
    }
    return false;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseHexBytes(std::string_view text, std::string &out)
{
    out.clear();
    std::string digits;
    for (char c : text) {
        if (c == ',' || c == ' ' || c == '\t') {
            if (!digits.empty() && digits.size() != 2)
                return false;
            if (digits.size() == 2)
                out += char(HexDigit(digits[0]) * 16 + HexDigit(digits[1]));
            digits.clear();
        } else if (HexDigit(c) >= 0) {
            digits += c;
        } else {
            return false;
        }
    }
    if (digits.size() == 2)
        out += char(HexDigit(digits[0]) * 16 + HexDigit(digits[1]));
    return digits.empty() || digits.size() == 2;
}

// Parses a value's data after the "=".
bool ParseData(std::string_view data, ImportOp &op)
{
    auto &v = op.value;
    auto trailingBlanks = [](std::string_view rest) {
        return rest.find_first_not_of(" \t") == std::string::npos;
    };
    if (data == "-") {
        op.kind = ImportOp::DeleteValue;
        return true;
    }
    if (!data.empty() && data[0] == '"') {
        std::size_t pos = 0;
        v.type = RegistryStore::kRegSz;
        return ParseQuoted(data, pos, v.data) && trailingBlanks(data.substr(pos));
    }
    if (data.substr(0, 6) == "dword:") {
        std::string_view digits = data.substr(6);
        while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t'))
            digits.remove_suffix(1);
        if (digits.empty() || digits.size() > 8)
            return false;
        std::uint32_t n = 0;
        for (char c : digits) {
            if (HexDigit(c) < 0)
                return false;
            n = n * 16 + std::uint32_t(HexDigit(c));
        }
        v.type = RegistryStore::kRegDword;
        v.data = std::string{char(n & 0xff), char((n >> 8) & 0xff), char((n >> 16) & 0xff), char(n >> 24)};
        return true;
    }
    if (data.substr(0, 4) == "hex:") {
        v.type = RegistryStore::kRegBinary;
        return ParseHexBytes(data.substr(4), v.data);
    }
    if (data.substr(0, 4) == "hex(") {
        const std::size_t close = data.find("):");
        if (close == std::string_view::npos || close == 4 || close > 12)
            return false;
        std::uint32_t type = 0;
        for (char c : data.substr(4, close - 4)) {
            if (HexDigit(c) < 0)
                return false;
            type = type * 16 + std::uint32_t(HexDigit(c));
        }
        v.type = type;
        return ParseHexBytes(data.substr(close + 2), v.data);
    }
    return false;
}

// Reads the whole text first, so that a bad line leaves the store untouched.
bool ParseImport(const std::string &text, const std::string &file, std::vector<ImportOp> &ops)
{
    std::vector<std::string> lines;
    {
        std::string_view rest = text;
        if (rest.substr(0, 3) == "\xEF\xBB\xBF")
            rest.remove_prefix(3);
        while (!rest.empty()) {
            std::size_t nl = rest.find('\n');
            std::string_view line = rest.substr(0, nl);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            lines.emplace_back(line);
            rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
        }
    }
    auto error = [&](std::size_t n, const std::string &what) {
        Fail(file + ":" + std::to_string(n + 1) + ": " + what);
        return false;
    };
    std::size_t i = 0;
    while (i < lines.size() && lines[i].find_first_not_of(" \t") == std::string::npos)
        ++i;
    if (i == lines.size() || lines[i] != "REGEDIT4")
        return error(i < lines.size() ? i : 0, "not a REGEDIT4 file (the first line must read REGEDIT4)");
    bool inKey = false;
    for (++i; i < lines.size(); ++i) {
        const std::size_t lineNo = i;
        std::string line = lines[i];
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const std::size_t close = line.rfind(']');
            if (close == std::string::npos || close < 2)
                return error(lineNo, "a key line must read [HKEY_...]");
            const bool remove = line[1] == '-';
            std::string why;
            auto key = ParseKey(line.substr(remove ? 2 : 1, close - (remove ? 2 : 1)), why);
            if (!key)
                return error(lineNo, why);
            ops.push_back({remove ? ImportOp::DeleteKey : ImportOp::Key, *key, {}});
            inKey = !remove;
            continue;
        }
        if (!inKey)
            return error(lineNo, "a value line outside a key section");
        ImportOp op{ImportOp::Value, ops.back().key, {}};
        std::size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (!ParseQuoted(line, pos, op.value.name)) {
            return error(lineNo, "a value line must begin with @ or a quoted name");
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        if (pos >= line.size() || line[pos] != '=')
            return error(lineNo, "missing = after the value name");
        ++pos;
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        std::string data = line.substr(pos);
        // Byte lists may be continued on the next lines with a trailing backslash.
        if (data.compare(0, 3, "hex") == 0) {
            while (!data.empty() && data.back() == '\\' && i + 1 < lines.size()) {
                data.pop_back();
                const std::string &next = lines[++i];
                data += next.substr(std::min(next.find_first_not_of(" \t"), next.size()));
            }
        }
        if (!ParseData(data, op))
            return error(lineNo, "cannot read the value's data");
        ops.push_back(std::move(op));
    }
    return true;
}

int Import(const std::string &file)
{
    std::string text;
    if (file == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            Fail("cannot read " + file);
            return kFailed;
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<ImportOp> ops;
    if (!ParseImport(text, file, ops))
        return kFailed;

    std::uint32_t h = 0;
    std::string current;
    auto closeCurrent = [&] {
        if (h)
            RegistryStore::CloseKey(h);
        h = 0;
    };
    for (const ImportOp &op : ops) {
        std::int32_t s = RegistryStore::kSuccess;
        switch (op.kind) {
        case ImportOp::Key:
            closeCurrent();
            s = RegistryStore::CreateKey(op.key.root, op.key.sub, h);
            break;
        case ImportOp::DeleteKey:
            closeCurrent();
            s = RegistryStore::DeleteKey(op.key.root, op.key.sub);
            if (s == RegistryStore::kNotFound)
                s = RegistryStore::kSuccess;
            break;
        case ImportOp::Value:
            s = RegistryStore::SetValue(h, op.value.name, op.value.type, op.value.data.data(),
                                        std::uint32_t(op.value.data.size()));
            break;
        case ImportOp::DeleteValue:
            s = RegistryStore::DeleteValue(h, op.value.name);
            if (s == RegistryStore::kNotFound)
                s = RegistryStore::kSuccess;
            break;
        }
        if (s != RegistryStore::kSuccess) {
            closeCurrent();
            Fail(Describe(s, op.key.full));
            return kFailed;
        }
    }
    closeCurrent();
    return kOk;
}

int Export(const std::vector<std::string> &args)
{
    std::string out = "REGEDIT4\n\n";
    std::int32_t s = RegistryStore::kSuccess;
    std::string what = "the store";
    if (args.empty()) {
        for (std::uint32_t root = RegistryStore::kClassesRoot; s == RegistryStore::kSuccess; ++root) {
            const std::string_view name = RegistryStore::RootName(root);
            if (name.empty())
                break;
            s = ExportKey(out, KeyPath{root, {}, std::string(name)}, true);
        }
    } else {
        std::string why;
        auto key = ParseKey(args[0], why);
        if (!key) {
            Fail(why);
            return kBadArgs;
        }
        what = key->full;
        s = ExportKey(out, *key, false);
    }
    if (s != RegistryStore::kSuccess) {
        Fail(s == RegistryStore::kNotFound ? "key not found: " + what : Describe(s, what));
        return kFailed;
    }
    std::cout << out;
    std::cout.flush();
    if (!std::cout) {
        Fail("cannot write the export");
        return kFailed;
    }
    return kOk;
}

int Run(const std::string &command, const std::vector<std::string> &args)
{
    if (command == "export") {
        if (args.size() > 1)
            return -1;
        return Export(args);
    }
    if (command == "import") {
        if (args.size() != 1)
            return -1;
        return Import(args[0]);
    }

    const std::size_t minArgs = command == "set" ? 3 : 1;
    const std::size_t maxArgs = command == "set" ? 3 : (command == "get" || command == "delete") ? 2 : 1;
    if (command != "get" && command != "set" && command != "create" && command != "delete" &&
        command != "list")
        return -1;
    if (args.size() < minArgs || args.size() > maxArgs)
        return -1;
    std::string why;
    auto key = ParseKey(args[0], why);
    if (!key) {
        Fail(why);
        return kBadArgs;
    }
    const std::string name = args.size() > 1 ? args[1] : std::string();
    std::uint32_t h = 0;
    std::int32_t s = RegistryStore::kSuccess;

    if (command == "get") {
        s = RegistryStore::OpenKey(key->root, key->sub, RegistryStore::kKeyRead, h);
        std::string data;
        std::uint32_t type = 0, size = 0;
        if (s == RegistryStore::kSuccess) {
            s = RegistryStore::QueryValue(h, name, &type, nullptr, &size);
            data.resize(size);
            if (s == RegistryStore::kSuccess)
                s = RegistryStore::QueryValue(h, name, &type, data.data(), &size);
            RegistryStore::CloseKey(h);
            if (s == RegistryStore::kNotFound) {
                Fail("value " + (name.empty() ? std::string("(default)") : "\"" + name + "\"") +
                     " not found in " + key->full);
                return kFailed;
            }
        }
        if (s == RegistryStore::kSuccess) {
            if (type == RegistryStore::kRegSz || type == RegistryStore::kRegExpandSz)
                data.resize(size ? size - 1 : 0);
            std::cout << data << "\n";
        }
    } else if (command == "set") {
        s = RegistryStore::CreateKey(key->root, key->sub, h);
        if (s == RegistryStore::kSuccess) {
            s = RegistryStore::SetValue(h, name, RegistryStore::kRegSz, args[2].data(),
                                        std::uint32_t(args[2].size()));
            RegistryStore::CloseKey(h);
        }
    } else if (command == "create") {
        s = RegistryStore::CreateKey(key->root, key->sub, h);
        if (s == RegistryStore::kSuccess)
            RegistryStore::CloseKey(h);
    } else if (command == "delete" && args.size() == 1) {
        if (key->sub.empty()) {
            Fail("a root key cannot be deleted: " + key->full);
            return kBadArgs;
        }
        s = RegistryStore::DeleteKey(key->root, key->sub);
    } else if (command == "delete") {
        s = RegistryStore::OpenKey(key->root, key->sub, RegistryStore::kKeyWrite, h);
        if (s == RegistryStore::kSuccess) {
            s = RegistryStore::DeleteValue(h, name);
            RegistryStore::CloseKey(h);
            if (s == RegistryStore::kNotFound) {
                Fail("value \"" + name + "\" not found in " + key->full);
                return kFailed;
            }
        }
    } else { // list
        s = RegistryStore::OpenKey(key->root, key->sub, RegistryStore::kKeyRead, h);
        std::vector<std::string> subKeys;
        std::vector<RegistryStore::Value> values;
        if (s == RegistryStore::kSuccess) {
            s = RegistryStore::ListSubKeys(h, subKeys);
            if (s == RegistryStore::kSuccess)
                s = RegistryStore::ListValues(h, values);
            RegistryStore::CloseKey(h);
        }
        if (s == RegistryStore::kSuccess) {
            for (const auto &k : subKeys)
                std::cout << k << "\\\n";
            for (const auto &v : values)
                std::cout << ValueLine(v) << "\n";
        }
    }

    if (s == RegistryStore::kNotFound) {
        Fail("key not found: " + key->full);
        return kFailed;
    }
    if (s != RegistryStore::kSuccess) {
        Fail(Describe(s, key->full));
        return kFailed;
    }
    std::cout.flush();
    return std::cout ? kOk : kFailed;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return kBadArgs;
    }
    const std::string command = args[0];
    if (command == "help" || command == "-h" || command == "--help") {
        std::cout << kUsage << kHelp;
        return kOk;
    }
    args.erase(args.begin());
    const int rc = Run(command, args);
    if (rc < 0) {
        std::cerr << kUsage;
        return kBadArgs;
    }
    return rc;
}
