// Any bytes as a subtitle file, asked for its text at positions taken from the input: no crash, no
// runaway memory, and a query never changes what the next one shows.
#include "FuzzCheck.h"

#include "session/SubtitleFile.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    qr::SubtitleFile file;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QR_FUZZ_CHECK(file.loadBytes(bytes) == qr::SubtitleFile::LoadResult::Loaded);
    double seconds = 1.0;
    if (size >= sizeof seconds)
        std::memcpy(&seconds, data + size - sizeof seconds, sizeof seconds);
    const double rate = file.frameRateFor(23.976);
    for (const double at : {seconds, 0.0, 1.0, 59.5, 3600.0, -1.0, seconds / 1000})
        QR_FUZZ_CHECK(file.textAt(at, rate) == file.textAt(at, rate));
    (void)qr::parseSubtitleLine(QString::fromUtf8(bytes));
    return 0;
}
