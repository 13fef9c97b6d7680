// quilvane-ryn-reg: reads and edits the player's key store from the command
// line, and moves it in and out as REGEDIT4 text.
//
// Exit status: 0 done, 1 the operation failed (missing key or value, store
// unreadable or read-only, bad import file), 2 bad arguments. Messages go to
// standard error.

#include "settings/RegFile.h"
#include "settings/RegistryStore.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using qr::RegistryStore;
using Change = RegistryStore::Change;

constexpr const char *kProgram = "quilvane-ryn-reg";

constexpr const char *kUsage =
    "usage: quilvane-ryn-reg get KEY [NAME] | set KEY NAME DATA | create KEY | delete KEY [NAME]\n"
    "                        | list KEY | export [KEY] | import FILE | --help | --version\n";

constexpr const char *kHelp =
    "  get KEY [NAME]     print a value (NAME omitted or \"\": the key's default value)\n"
    "  set KEY NAME DATA  store a text value, creating the key and its parents\n"
    "  create KEY         create a key and its parents\n"
    "  delete KEY [NAME]  delete a key with everything below it, or one value\n"
    "  list KEY           print the subkeys (ending in \\) and values of a key\n"
    "  export [KEY]       print the whole store, or a key and everything below it, as REGEDIT4 text\n"
    "  import FILE        read REGEDIT4 text (\"-\": standard input) into the store: all of it,\n"
    "                     or nothing when any line is wrong\n"
    "KEY is a full path such as HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Quilvane\\Ryn.\n"
    "Arguments after -- are never options (for data that begins with --).\n"
    "The store is $QUILVANE_RYN_REGISTRY, else $XDG_CONFIG_HOME/quilvane-ryn/registry.db.\n";

enum Exit { kOk = 0, kFailed = 1, kBadArgs = 2 };

void Fail(const std::string &message) { std::cerr << kProgram << ": " << message << "\n"; }

int Flushed()
{
    std::cout.flush();
    if (!std::cout) {
        Fail("cannot write to standard output");
        return kFailed;
    }
    return kOk;
}

struct KeyPath {
    std::uint32_t root = 0;
    std::string sub;
    std::string full;
};

std::optional<KeyPath> ParseKey(const std::string &path)
{
    auto parse = RegistryStore::ParseKeyPath(path, RegistryStore::RootSpelling::AnyCase);
    if (parse.status != RegistryStore::KeyPathParse::Status::Ok) {
        Fail(qr::keyPathProblem(path, parse));
        return std::nullopt;
    }
    return KeyPath{parse.root, std::move(parse.subKey), path};
}

std::string StoreNote() { return " (store " + RegistryStore::FilePath() + ")"; }

std::string Describe(std::int32_t status, const std::string &what)
{
    return what + ": " + RegistryStore::StatusText(status) + StoreNote();
}

// A change the store refused: a bad name, or the store's own trouble.
std::string DescribeChange(const Change &change, std::int32_t status)
{
    std::string message = qr::changeProblem(change, status);
    if (RegistryStore::CheckChange(change) == RegistryStore::kSuccess)
        message += StoreNote();
    return message;
}

// An import larger than any store could be is refused, not read to the end
// of memory (standard input may never end).
constexpr std::size_t kMaxImport = std::size_t(64) << 20;

// The whole file, or standard input for "-"; "" or why it cannot be read. A
// named file must be a regular one: a FIFO or a device could block or never
// end, and is refused before it is read.
std::string ReadAll(const std::string &file, std::string &text)
{
    const bool input = file == "-";
    const int fd = input ? STDIN_FILENO : ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return "cannot read " + file + ": " + std::strerror(errno);
    std::string problem;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || (!input && !S_ISREG(st.st_mode)))
        problem = "cannot read " + file + ": not a regular file";
    else if (S_ISREG(st.st_mode) && std::size_t(st.st_size) > kMaxImport)
        problem = file + " is too large to import (more than 64 MiB)";
    char buffer[65536];
    while (problem.empty()) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0 && text.size() + std::size_t(n) > kMaxImport)
            problem = file + " is too large to import (more than 64 MiB)";
        else if (n > 0)
            text.append(buffer, std::size_t(n));
        else if (n == 0)
            break;
        else if (errno != EINTR)
            problem = "cannot read " + file + ": " + std::strerror(errno);
    }
    if (!input)
        ::close(fd);
    return problem;
}

int Import(const std::string &file)
{
    std::string text;
    if (const std::string problem = ReadAll(file, text); !problem.empty()) {
        Fail(problem);
        return kFailed;
    }
    qr::RegFileChanges parsed;
    qr::RegFileError error;
    if (!qr::parseRegFile(text, parsed, error)) {
        Fail(file + ":" + std::to_string(error.line) + ": " + error.message);
        return kFailed;
    }
    std::size_t failed = 0;
    const std::int32_t s = RegistryStore::ApplyChanges(parsed.changes, &failed);
    if (s != RegistryStore::kSuccess) {
        if (failed < parsed.changes.size())
            Fail(file + ":" + std::to_string(parsed.lines[failed]) + ": " +
                 DescribeChange(parsed.changes[failed], s) + "; nothing was imported");
        else
            Fail(Describe(s, file) + "; nothing was imported");
        return kFailed;
    }
    return kOk;
}

int Export(const std::vector<std::string> &args)
{
    std::string out;
    std::int32_t s = RegistryStore::kSuccess;
    std::string what = "the store";
    if (args.empty()) {
        s = qr::exportRegFile(out);
    } else {
        auto key = ParseKey(args[0]);
        if (!key)
            return kBadArgs;
        what = key->full;
        s = qr::exportRegFile(key->root, key->sub, out);
    }
    if (s != RegistryStore::kSuccess) {
        Fail(s == RegistryStore::kNotFound ? "key not found: " + what : Describe(s, what));
        return kFailed;
    }
    std::cout << out;
    return Flushed();
}

int Get(const KeyPath &key, const std::string &name)
{
    std::uint32_t h = 0;
    std::int32_t s = RegistryStore::OpenKey(key.root, key.sub, RegistryStore::kKeyRead, h);
    if (s != RegistryStore::kSuccess)
        return s;
    std::string data;
    std::uint32_t type = 0, size = 0;
    s = RegistryStore::QueryValue(h, name, &type, nullptr, &size);
    data.resize(size);
    if (s == RegistryStore::kSuccess)
        s = RegistryStore::QueryValue(h, name, &type, data.data(), &size);
    RegistryStore::CloseKey(h);
    if (s == RegistryStore::kNotFound) {
        Fail("value " + (name.empty() ? std::string("(default)") : "\"" + name + "\"") + " not found in " +
             key.full);
        return -1;
    }
    if (s == RegistryStore::kSuccess) {
        if (type == RegistryStore::kRegSz || type == RegistryStore::kRegExpandSz)
            data.resize(size ? size - 1 : 0);
        std::cout << data << "\n";
    }
    return s;
}

int List(const KeyPath &key)
{
    std::uint32_t h = 0;
    std::int32_t s = RegistryStore::OpenKey(key.root, key.sub, RegistryStore::kKeyRead, h);
    if (s != RegistryStore::kSuccess)
        return s;
    std::vector<std::string> subKeys;
    std::vector<RegistryStore::Value> values;
    s = RegistryStore::ListSubKeys(h, subKeys);
    if (s == RegistryStore::kSuccess)
        s = RegistryStore::ListValues(h, values);
    RegistryStore::CloseKey(h);
    if (s == RegistryStore::kSuccess) {
        for (const auto &k : subKeys)
            std::cout << k << "\\\n";
        for (const auto &v : values)
            std::cout << qr::regFileValueLine(v) << "\n";
    }
    return s;
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

    if (command != "get" && command != "set" && command != "create" && command != "delete" &&
        command != "list")
        return -1;
    const std::size_t minArgs = command == "set" ? 3 : 1;
    const std::size_t maxArgs = command == "set" ? 3 : (command == "get" || command == "delete") ? 2 : 1;
    if (args.size() < minArgs || args.size() > maxArgs)
        return -1;
    auto key = ParseKey(args[0]);
    if (!key)
        return kBadArgs;
    const std::string name = args.size() > 1 ? args[1] : std::string();
    std::int32_t s = RegistryStore::kSuccess;

    if (command == "get") {
        s = Get(*key, name);
        if (s < 0)
            return kFailed;
    } else if (command == "set") {
        const std::vector<Change> changes = {
            {Change::Kind::CreateKey, key->root, key->sub, {}},
            {Change::Kind::SetValue, key->root, key->sub, {name, RegistryStore::kRegSz, args[2]}},
        };
        std::size_t failed = 0;
        s = RegistryStore::ApplyChanges(changes, &failed);
        if (s != RegistryStore::kSuccess) {
            Fail(failed < changes.size() ? DescribeChange(changes[failed], s) : Describe(s, key->full));
            return kFailed;
        }
    } else if (command == "create") {
        std::uint32_t h = 0;
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
        std::uint32_t h = 0;
        s = RegistryStore::OpenKey(key->root, key->sub, RegistryStore::kKeyWrite, h);
        if (s == RegistryStore::kSuccess) {
            s = RegistryStore::DeleteValue(h, name);
            RegistryStore::CloseKey(h);
            if (s == RegistryStore::kNotFound) {
                Fail("value \"" + name + "\" not found in " + key->full);
                return kFailed;
            }
        }
    } else {
        s = List(*key);
    }

    if (s == RegistryStore::kNotFound) {
        Fail("key not found: " + key->full);
        return kFailed;
    }
    if (s != RegistryStore::kSuccess) {
        Fail(Describe(s, key->full));
        return kFailed;
    }
    return Flushed();
}

int Main(const std::vector<std::string> &argv)
{
    // No window waits on the tool, so it outlasts a player's short writes.
    RegistryStore::SetBusyTimeout(RegistryStore::kToolBusyTimeoutMs);

    std::vector<std::string> args;
    bool optionsEnded = false;
    for (const std::string &arg : argv) {
        if (optionsEnded || !arg.starts_with("--")) {
            args.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            std::cout << kUsage << kHelp;
            return Flushed();
        } else if (arg == "--version") {
            std::cout << kProgram << " (Quilvane Ryn) " << QR_VERSION_MAJOR << '.' << QR_VERSION_MINOR << '.'
                      << QR_VERSION_PATCH << "\n";
            return Flushed();
        } else {
            Fail("unknown option " + arg + " (see " + kProgram + " --help)");
            return kBadArgs;
        }
    }
    if (args.empty()) {
        std::cerr << kUsage;
        return kBadArgs;
    }
    const std::string command = args.front();
    if (command == "help" || command == "-h") {
        std::cout << kUsage << kHelp;
        return Flushed();
    }
    args.erase(args.begin());
    const int rc = Run(command, args);
    if (rc < 0) {
        std::cerr << kUsage;
        return kBadArgs;
    }
    return rc;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return Main(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception &e) {
        Fail(e.what());
    } catch (...) {
        Fail("unexpected failure");
    }
    return kFailed;
}
