// settings_store_writer KEY_UNDER_HKLM PREFIX COUNT (0: until killed): writes PREFIX<i> = "v<i>" and, once
// each write has returned, prints "<i>\n" unbuffered so the parent knows what was acknowledged.
// settings_store_writer hold [MS]: takes the store's write lock, prints "locked\n" and keeps the lock
// until standard input ends, or for MS milliseconds.
#include "settings/RegistryStore.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string>

using qr::RegistryStore;

int main(int argc, char **argv)
{
    if (argc >= 2 && std::string(argv[1]) == "hold") {
        sqlite3 *db = nullptr;
        if (sqlite3_open_v2(RegistryStore::FilePath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) ||
            sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) || std::printf("locked\n") < 0 ||
            std::fflush(stdout)) {
            std::fprintf(stderr, "cannot lock the store: %s\n", sqlite3_errmsg(db));
            return 1;
        }
        pollfd input{0, POLLIN, 0}; // nothing is ever written to it: readable means it ended
        poll(&input, 1, argc == 3 ? std::atoi(argv[2]) : -1);
        return sqlite3_close_v2(db); // which rolls back
    }
    for (long i = 0, count = argc == 4 ? std::atol(argv[3]) : -1; count == 0 || i < count; ++i) {
        const std::string name = argv[2] + std::to_string(i), data = "v" + std::to_string(i);
        std::uint32_t h = 0;
        std::int32_t s = RegistryStore::CreateKey(RegistryStore::kLocalMachine, argv[1], h);
        if (s == RegistryStore::kSuccess) {
            s = RegistryStore::SetValue(h, name, RegistryStore::kRegSz, data.data(),
                                        std::uint32_t(data.size()));
            RegistryStore::CloseKey(h);
        }
        if (s != RegistryStore::kSuccess || std::printf("%ld\n", i) < 0 || std::fflush(stdout)) {
            std::fprintf(stderr, "write %s failed: %s\n", name.c_str(), RegistryStore::StatusText(s).c_str());
            return 1;
        }
    }
    return argc == 4 ? 0 : 2;
}
