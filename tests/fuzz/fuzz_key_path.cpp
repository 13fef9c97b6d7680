// The key-path parser: any bytes as a full key path.
#include "FuzzCheck.h"

#include "settings/RegFile.h"
#include "settings/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using qr::RegistryStore;
    using Status = RegistryStore::KeyPathParse::Status;
    const std::string_view path(reinterpret_cast<const char *>(data), size);
    const auto parse = RegistryStore::ParseKeyPath(path);

    const bool wellFormed = path.starts_with("HKEY_") && !path.ends_with('\\');
    QR_FUZZ_CHECK((parse.status == Status::Malformed) == !wellFormed);
    const std::string problem = qr::keyPathProblem(path, parse);
    QR_FUZZ_CHECK(problem.empty() == (parse.status == Status::Ok));
    for (char c : problem)
        QR_FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);

    if (parse.status != Status::Ok) {
        QR_FUZZ_CHECK(parse.root == 0 && parse.subKey.empty());
        return 0;
    }
    // The root's name and the subkey make the path again.
    std::string joined(RegistryStore::RootName(parse.root));
    if (path.find('\\') != std::string_view::npos)
        joined += "\\" + parse.subKey;
    QR_FUZZ_CHECK(joined == path);

    const RegistryStore::Change create{RegistryStore::Change::Kind::CreateKey, parse.root, parse.subKey, {}};
    const std::int32_t status = RegistryStore::CheckChange(create);
    QR_FUZZ_CHECK(status == RegistryStore::kSuccess || status == RegistryStore::kBadPathname);
    return 0;
}
