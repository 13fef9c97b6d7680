// Feeds arbitrary bytes to SubtitleFile and asks it for text at positions
// taken from the input: no crash, no runaway memory, and a query never
// changes what the next one shows.
#include "session/SubtitleFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    qr::SubtitleFile file;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (file.loadBytes(bytes) != qr::SubtitleFile::LoadResult::Loaded)
        std::abort();

    double seconds = 1.0;
    if (size >= sizeof seconds)
        std::memcpy(&seconds, data + size - sizeof seconds, sizeof seconds);
    const double rate = file.frameRateFor(23.976);
    for (const double at : {seconds, 0.0, 1.0, 59.5, 3600.0, -1.0, seconds / 1000}) {
        const QString once = file.textAt(at, rate);
        if (file.textAt(at, rate) != once)
            std::abort();
    }
    (void)qr::parseSubtitleLine(QString::fromUtf8(bytes));
    return 0;
}
