// The key-path parser: any bytes as a full key path, with the root names spelled exactly (the player's
// layer) and in any case (the tool).
#include "FuzzCheck.h"

#include "settings/RegFile.h"

#include <algorithm>

using qr::RegistryStore;
using Spelling = RegistryStore::RootSpelling;
using Status = RegistryStore::KeyPathParse::Status;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view path(reinterpret_cast<const char *>(data), size);
    for (const Spelling spelling : {Spelling::Exact, Spelling::AnyCase}) {
        // In any case, the path is compared as the tool sees it: ASCII letters in upper case.
        std::string seen(path);
        if (spelling == Spelling::AnyCase)
            std::transform(seen.begin(), seen.end(), seen.begin(),
                           [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
        const auto parse = RegistryStore::ParseKeyPath(path, spelling);
        QR_FUZZ_CHECK((parse.status == Status::Malformed) ==
                      (!seen.starts_with("HKEY_") || path.ends_with('\\')));
        const std::string problem = qr::keyPathProblem(path, parse);
        QR_FUZZ_CHECK(problem.empty() == (parse.status == Status::Ok));
        for (char c : problem)
            QR_FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
        QR_FUZZ_CHECK(parse.status == Status::Ok || (parse.root == 0 && parse.subKey.empty()));
        if (parse.status != Status::Ok)
            continue;
        // The root's name and the subkey make the path again; the subkey is the path's own.
        const std::string root(RegistryStore::RootName(parse.root));
        const std::size_t slash = path.find('\\');
        QR_FUZZ_CHECK(seen.substr(0, slash) == root);
        QR_FUZZ_CHECK(slash == path.npos ? parse.subKey.empty() : path.substr(slash + 1) == parse.subKey);
    }
    return 0;
}
