// The REGEDIT4 importer's parser: any bytes as an import file. What it accepts, written out again,
// must read back as the same changes.
#include "FuzzCheck.h"

#include "settings/RegFile.h"

using qr::RegistryStore;
using Kind = RegistryStore::Change::Kind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    qr::RegFileChanges parsed, again;
    qr::RegFileError error;
    if (!qr::parseRegFile(std::string_view(reinterpret_cast<const char *>(data), size), parsed, error)) {
        QR_FUZZ_CHECK(error.line >= 1 && error.line <= size + 1 && !error.message.empty());
        for (char c : error.message)
            QR_FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
        return 0;
    }
    QR_FUZZ_CHECK(parsed.lines.size() == parsed.changes.size());
    // Values always follow their key's section, so the changes written in order give the sections back.
    std::string text = "REGEDIT4\n";
    for (std::size_t i = 0; i < parsed.changes.size(); ++i) {
        const RegistryStore::Change &c = parsed.changes[i];
        QR_FUZZ_CHECK(RegistryStore::CheckChange(c) == RegistryStore::kSuccess);
        QR_FUZZ_CHECK(parsed.lines[i] >= 2 && (i == 0 || parsed.lines[i] > parsed.lines[i - 1]));
        const std::string path =
            std::string(RegistryStore::RootName(c.root)) + (c.subKey.empty() ? "" : "\\") + c.subKey;
        const std::string value = qr::regFileValueLine(c.value);
        if (c.kind == Kind::CreateKey || c.kind == Kind::DeleteKey)
            text += (c.kind == Kind::CreateKey ? "[" : "[-") + path + "]\n";
        else
            text += (c.kind == Kind::SetValue ? value : value.substr(0, value.rfind('=')) + "=-") + "\n";
    }
    QR_FUZZ_CHECK(qr::parseRegFile(text, again, error) && again.changes == parsed.changes);
    return 0;
}
