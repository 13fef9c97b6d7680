// The REGEDIT4 importer's parser: any bytes as an import file. What it
// accepts, written out again, must read back as the same changes.
#include "FuzzCheck.h"

#include "settings/RegFile.h"
#include "settings/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using qr::RegistryStore;
using Kind = RegistryStore::Change::Kind;

std::string Path(const RegistryStore::Change &c)
{
    std::string path(RegistryStore::RootName(c.root));
    return c.subKey.empty() ? path : path + "\\" + c.subKey;
}

// The changes as REGEDIT4 text. Values always follow their key's section,
// so writing the changes in order gives the sections back.
std::string Write(const std::vector<RegistryStore::Change> &changes)
{
    std::string text = "REGEDIT4\n\n";
    for (const auto &c : changes) {
        switch (c.kind) {
        case Kind::CreateKey:
            text += "[" + Path(c) + "]\n";
            break;
        case Kind::DeleteKey:
            text += "[-" + Path(c) + "]\n";
            break;
        case Kind::SetValue:
            text += qr::regFileValueLine(c.value) + "\n";
            break;
        case Kind::DeleteValue: {
            const std::string line = qr::regFileValueLine({c.value.name, RegistryStore::kRegSz, {}});
            text += line.substr(0, line.rfind('=')) + "=-\n";
            break;
        }
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    qr::RegFileChanges parsed;
    qr::RegFileError error;
    if (!qr::parseRegFile(text, parsed, error)) {
        QR_FUZZ_CHECK(error.line >= 1 && error.line <= size + 1);
        QR_FUZZ_CHECK(!error.message.empty());
        for (char c : error.message)
            QR_FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
        return 0;
    }
    QR_FUZZ_CHECK(parsed.lines.size() == parsed.changes.size());
    for (std::size_t i = 0; i < parsed.changes.size(); ++i) {
        QR_FUZZ_CHECK(RegistryStore::CheckChange(parsed.changes[i]) == RegistryStore::kSuccess);
        QR_FUZZ_CHECK(parsed.lines[i] >= 2 && (i == 0 || parsed.lines[i] > parsed.lines[i - 1]));
    }

    qr::RegFileChanges again;
    QR_FUZZ_CHECK(qr::parseRegFile(Write(parsed.changes), again, error));
    QR_FUZZ_CHECK(again.changes == parsed.changes);
    return 0;
}
