// The key-path parser: any bytes as a full key path.
#include "FuzzCheck.h"

#include "settings/RegFile.h"

using qr::RegistryStore;
using Status = RegistryStore::KeyPathParse::Status;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view path(reinterpret_cast<const char *>(data), size);
    const auto parse = RegistryStore::ParseKeyPath(path);
    QR_FUZZ_CHECK((parse.status == Status::Malformed) ==
                  (!path.starts_with("HKEY_") || path.ends_with('\\')));
    const std::string problem = qr::keyPathProblem(path, parse);
    QR_FUZZ_CHECK(problem.empty() == (parse.status == Status::Ok));
    for (char c : problem)
        QR_FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
    QR_FUZZ_CHECK(parse.status == Status::Ok || (parse.root == 0 && parse.subKey.empty()));
    if (parse.status != Status::Ok)
        return 0;
    // The root's name, exactly, and the subkey make the path again.
    const std::string root(RegistryStore::RootName(parse.root));
    QR_FUZZ_CHECK((path.find('\\') == path.npos ? root : root + "\\" + parse.subKey) == path);
    return 0;
}
