// settings_store_writer KEY_UNDER_HKLM PREFIX COUNT (0: until killed): writes PREFIX<i> = "v<i>"
// and, once each write has returned, prints "<i>\n" unbuffered so the parent knows what was acknowledged.
// settings_store_writer hold [MS]: takes the store's write lock, prints "locked\n" and keeps the lock until
// standard input ends, or for MS milliseconds.
#include "settings/RegistryStore.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

int Hold(int milliseconds)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(qr::RegistryStore::FilePath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot lock the store: %s\n", sqlite3_errmsg(db));
        return 1;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        int wait = -1;
        if (milliseconds >= 0) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            wait = int(left.count());
        }
        pollfd input{0, POLLIN, 0};
        char byte = 0;
        if (poll(&input, 1, wait) > 0 && read(0, &byte, 1) <= 0)
            break;
    }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "hold") == 0)
        return Hold(argc == 3 ? std::atoi(argv[2]) : -1);
    if (argc != 4)
        return 2;
    using qr::RegistryStore;
    const long count = std::atol(argv[3]);
    for (long i = 0; count == 0 || i < count; ++i) {
        const std::string name = argv[2] + std::to_string(i), data = "v" + std::to_string(i);
        std::uint32_t h = 0;
        std::int32_t s = RegistryStore::CreateKey(RegistryStore::kLocalMachine, argv[1], h);
        if (s == RegistryStore::kSuccess) {
            s = RegistryStore::SetValue(h, name, RegistryStore::kRegSz, data.data(),
                                        static_cast<std::uint32_t>(data.size()));
            RegistryStore::CloseKey(h);
        }
        if (s != RegistryStore::kSuccess) {
            std::fprintf(stderr, "write %s failed: %s\n", name.c_str(), RegistryStore::StatusText(s).c_str());
            return 1;
        }
        if (std::printf("%ld\n", i) < 0 || std::fflush(stdout) != 0)
            return 1;
    }
    return 0;
}
