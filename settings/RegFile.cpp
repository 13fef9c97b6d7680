#include "settings/RegFile.h"

#include <algorithm>
#include <utility>

namespace qr {

namespace {

using Store = RegistryStore;
using Change = RegistryStore::Change;

constexpr std::string_view kHeader = "REGEDIT4";
constexpr char kHexDigits[] = "0123456789abcdef";

std::string FullPath(std::uint32_t root, std::string_view subKey)
{
    std::string path(Store::RootName(root));
    if (!subKey.empty()) {
        path += '\\';
        path += subKey;
    }
    return path;
}

// Control characters shown as \xNN, so that a message cannot upset a terminal.
std::string Printable(std::string_view text)
{
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7f) {
            out += "\\x";
            out += kHexDigits[b >> 4];
            out += kHexDigits[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

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

void AppendSection(std::string &out, const std::string &path, const std::vector<Store::Value> &values)
{
    out += "[" + path + "]\n";
    for (const auto &v : values)
        out += regFileValueLine(v) + "\n";
    out += "\n";
}

// Appends one key and everything below it; `skipBareKey`: no section for the
// key itself when it has no values.
std::int32_t AppendKey(std::string &out, std::uint32_t root, std::string_view subKey, bool skipBareKey)
{
    std::uint32_t h = 0;
    std::int32_t s = Store::OpenKey(root, subKey, Store::kKeyRead, h);
    if (s != Store::kSuccess)
        return s;
    std::vector<Store::KeyRecord> records;
    s = Store::Snapshot(h, records);
    Store::CloseKey(h);
    if (s != Store::kSuccess)
        return s;
    const std::string base = FullPath(root, subKey);
    for (const auto &r : records) {
        if (skipBareKey && r.path.empty() && r.values.empty())
            continue;
        AppendSection(out, r.path.empty() ? base : base + "\\" + r.path, r.values);
    }
    return Store::kSuccess;
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::string_view TrimLeft(std::string_view text)
{
    return text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
}

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    }
    return lines;
}

// A quoted name or text at `pos`, where \\ and \" stand for \ and ".
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

// 1 to `maxDigits` hex digits.
bool ParseHexNumber(std::string_view digits, std::size_t maxDigits, std::uint32_t &n)
{
    if (digits.empty() || digits.size() > maxDigits)
        return false;
    n = 0;
    for (char c : digits) {
        if (HexDigit(c) < 0)
            return false;
        n = n * 16 + std::uint32_t(HexDigit(c));
    }
    return true;
}

// Two-digit bytes separated by commas (blanks allowed), as "00,ff, 1a".
bool ParseHexBytes(std::string_view text, std::string &out)
{
    out.clear();
    int digits = 0, byte = 0;
    for (char c : text) {
        if (c == ',' || c == ' ' || c == '\t') {
            if (digits == 1)
                return false;
            if (digits == 2)
                out += char(byte);
            digits = byte = 0;
        } else if (HexDigit(c) >= 0 && digits < 2) {
            byte = byte * 16 + HexDigit(c);
            ++digits;
        } else {
            return false;
        }
    }
    if (digits == 2)
        out += char(byte);
    return digits != 1;
}

// A value's data after the "=": sets `change` to a SetValue or DeleteValue.
bool ParseData(std::string_view data, Change &change)
{
    Store::Value &v = change.value;
    if (data == "-") {
        change.kind = Change::Kind::DeleteValue;
        return true;
    }
    change.kind = Change::Kind::SetValue;
    if (data.starts_with('"')) {
        std::size_t pos = 0;
        v.type = Store::kRegSz;
        return ParseQuoted(data, pos, v.data) && IsBlank(data.substr(pos));
    }
    if (data.starts_with("dword:")) {
        std::uint32_t n = 0;
        if (!ParseHexNumber(TrimRight(data.substr(6)), 8, n))
            return false;
        v.type = Store::kRegDword;
        v.data = std::string{char(n & 0xff), char((n >> 8) & 0xff), char((n >> 16) & 0xff), char(n >> 24)};
        return true;
    }
    if (data.starts_with("hex:")) {
        v.type = Store::kRegBinary;
        return ParseHexBytes(data.substr(4), v.data);
    }
    if (data.starts_with("hex(")) {
        const std::size_t close = data.find("):");
        return close != std::string_view::npos && ParseHexNumber(data.substr(4, close - 4), 8, v.type) &&
               ParseHexBytes(data.substr(close + 2), v.data);
    }
    return false;
}

} // namespace

std::string keyPathProblem(std::string_view path, const Store::KeyPathParse &parse)
{
    switch (parse.status) {
    case Store::KeyPathParse::Status::Ok:
        return {};
    case Store::KeyPathParse::Status::Malformed:
        return "Incorrect Format: \"" + Printable(path) +
               "\" (a key path begins with HKEY_ and a root name, and does not end in a backslash)";
    case Store::KeyPathParse::Status::UnknownRoot:
        break;
    }
    return "unknown root key \"" + Printable(path.substr(0, path.find('\\'))) +
           "\" (one of HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, "
           "HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA)";
}

std::string changeProblem(const Change &change, std::int32_t status)
{
    const std::string path = Printable(FullPath(change.root, change.subKey));
    switch (status) {
    case Store::kBadPathname:
        return "invalid key name in \"" + path + "\" (an empty name or a control character)";
    case Store::kInvalidParameter:
        return "invalid value name \"" + Printable(change.value.name) + "\" in " + path +
               " (a control character)";
    case Store::kAccessDenied:
        if (change.kind == Change::Kind::DeleteKey && change.subKey.empty())
            return "a root key cannot be deleted: " + path;
        break;
    case Store::kNotFound:
        return "key not found: " + path;
    default:
        break;
    }
    return path + ": " + Store::StatusText(status);
}

std::string regFileValueLine(const Store::Value &v)
{
    std::string line = v.name.empty() ? std::string("@") : Quote(v.name);
    line += '=';
    const bool lineSafe = v.data.find_first_of(std::string_view("\n\r\0", 3)) == std::string::npos;
    if (v.type == Store::kRegSz && lineSafe)
        return line + Quote(v.data);
    if (v.type == Store::kRegDword && v.data.size() == 4) {
        line += "dword:";
        for (int i = 3; i >= 0; --i) {
            const auto b = static_cast<unsigned char>(v.data[std::size_t(i)]);
            line += kHexDigits[b >> 4];
            line += kHexDigits[b & 15];
        }
        return line;
    }
    if (v.type == Store::kRegBinary) {
        line += "hex:";
    } else {
        std::string type;
        for (std::uint32_t t = v.type; t || type.empty(); t >>= 4)
            type.insert(type.begin(), kHexDigits[t & 15]);
        line += "hex(" + type + "):";
    }
    for (std::size_t i = 0; i < v.data.size(); ++i) {
        const auto b = static_cast<unsigned char>(v.data[i]);
        if (i)
            line += ',';
        line += kHexDigits[b >> 4];
        line += kHexDigits[b & 15];
    }
    return line;
}

std::int32_t exportRegFile(std::string &out)
{
    out = std::string(kHeader) + "\n\n";
    for (std::uint32_t root = Store::kClassesRoot; !Store::RootName(root).empty(); ++root)
        if (std::int32_t s = AppendKey(out, root, {}, true); s != Store::kSuccess)
            return s;
    return Store::kSuccess;
}

std::int32_t exportRegFile(std::uint32_t root, std::string_view subKey, std::string &out)
{
    out = std::string(kHeader) + "\n\n";
    return AppendKey(out, root, subKey, false);
}

bool parseRegFile(std::string_view text, RegFileChanges &out, RegFileError &error)
{
    out = {};
    const std::vector<std::string_view> lines = SplitLines(text);
    auto fail = [&](std::size_t index, std::string message) {
        error = {index + 1, std::move(message)};
        return false;
    };
    auto add = [&](Change change, std::size_t index) {
        if (std::int32_t s = Store::CheckChange(change); s != Store::kSuccess)
            return fail(index, changeProblem(change, s));
        out.changes.push_back(std::move(change));
        out.lines.push_back(index + 1);
        return true;
    };

    std::size_t i = 0;
    while (i < lines.size() && IsBlank(lines[i]))
        ++i;
    if (i == lines.size() || lines[i] != kHeader)
        return fail(i < lines.size() ? i : 0, "not a REGEDIT4 file (the first line must read REGEDIT4)");
    bool inKey = false; // values may follow
    std::uint32_t root = 0;
    std::string subKey;
    for (++i; i < lines.size(); ++i) {
        const std::size_t index = i;
        const std::string_view line = lines[i];
        if (IsBlank(line) || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const std::size_t close = line.rfind(']');
            if (close == std::string_view::npos || close < 2)
                return fail(index, "a key line must read [HKEY_...]");
            const bool remove = line[1] == '-';
            const std::string_view path = line.substr(remove ? 2 : 1, close - (remove ? 2 : 1));
            auto parse = Store::ParseKeyPath(path, Store::RootSpelling::AnyCase);
            if (parse.status != Store::KeyPathParse::Status::Ok)
                return fail(index, keyPathProblem(path, parse));
            root = parse.root;
            subKey = std::move(parse.subKey);
            if (!add({remove ? Change::Kind::DeleteKey : Change::Kind::CreateKey, root, subKey, {}}, index))
                return false;
            inKey = !remove;
            continue;
        }
        if (!inKey)
            return fail(index, "a value line outside a key section");
        Change change{Change::Kind::SetValue, root, subKey, {}};
        std::size_t pos = 0;
        if (line[0] == '@')
            pos = 1;
        else if (!ParseQuoted(line, pos, change.value.name))
            return fail(index, "a value line must begin with @ or a quoted name");
        std::string_view rest = TrimLeft(line.substr(pos));
        if (!rest.starts_with('='))
            return fail(index, "missing = after the value name");
        std::string data(TrimLeft(rest.substr(1)));
        // Byte lists may be continued on the next lines with a trailing backslash.
        if (data.starts_with("hex")) {
            while (data.ends_with('\\') && i + 1 < lines.size()) {
                data.pop_back();
                data += TrimLeft(lines[++i]);
            }
        }
        if (!ParseData(data, change))
            return fail(index, "cannot read the value's data");
        if (!add(std::move(change), index))
            return false;
    }
    return true;
}

} // namespace qr
