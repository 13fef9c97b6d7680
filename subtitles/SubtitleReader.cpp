#include "subtitles/SubtitleReader.h"

#include <QStringDecoder>

namespace qr {

namespace {

constexpr qint64 ChunkSize = 64 * 1024;

// Code page 1252 where it differs from Latin-1; undefined bytes keep their
// Latin-1 (C1 control) meaning.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeLine(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

} // namespace

bool SubtitleReader::open(const QString &path)
{
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    if (fill() && m_buffer.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
    return true;
}

void SubtitleReader::close()
{
    m_file.close();
    m_buffer.clear();
    m_pos = 0;
}

bool SubtitleReader::fill()
{
    m_buffer = m_file.read(ChunkSize);
    m_pos = 0;
    return !m_buffer.isEmpty();
}

bool SubtitleReader::atEnd() { return m_pos >= m_buffer.size() && !fill(); }

QString SubtitleReader::readLine()
{
    if (!isOpen() || atEnd())
        return QString();

    QByteArray line;
    bool ended = false;
    while (!ended && !atEnd()) {
        const qsizetype cr = m_buffer.indexOf('\r', m_pos);
        const qsizetype stop = cr < 0 ? m_buffer.size() : cr;
        const qsizetype room = MaxLineBytes - line.size();
        if (room > 0)
            line.append(m_buffer.constData() + m_pos, qMin(stop - m_pos, room));
        m_pos = stop;
        if (cr >= 0) {
            ++m_pos;
            ended = true;
        }
    }
    if (ended && !atEnd() && m_buffer[m_pos] == '\n')
        ++m_pos;
    return decodeLine(line);
}

} // namespace qr
