// settings_store_writer KEY_UNDER_HKLM PREFIX COUNT (0: until killed): writes PREFIX<i> = "v<i>"
// and, once each write has returned, prints "<i>\n" unbuffered so the parent knows what was acknowledged.
#include "settings/RegistryStore.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    using qr::RegistryStore;
    const std::string key = argv[1], prefix = argv[2];
    const long count = std::atol(argv[3]);
    for (long i = 0; count == 0 || i < count; ++i) {
        std::uint32_t h = 0;
        std::int32_t s = RegistryStore::CreateKey(RegistryStore::kLocalMachine, key, h);
        const std::string name = prefix + std::to_string(i), data = "v" + std::to_string(i);
        if (s == RegistryStore::kSuccess) {
            s = RegistryStore::SetValue(h, name, RegistryStore::kRegSz, data.data(),
                                        std::uint32_t(data.size()));
            RegistryStore::CloseKey(h);
        }
        if (s != RegistryStore::kSuccess) {
            std::fprintf(stderr, "write %s failed: %s\n", name.c_str(), RegistryStore::StatusText(s).c_str());
            return 1;
        }
        const std::string ack = std::to_string(i) + "\n";
        if (::write(1, ack.data(), ack.size()) != ssize_t(ack.size()))
            return 1;
    }
    return 0;
}
