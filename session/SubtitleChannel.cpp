#include "session/SubtitleChannel.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>

namespace qr {

namespace {

constexpr qint64 ChunkSize = 64 * 1024;

// Code page 1252 where it differs from Latin-1; undefined bytes keep their
// Latin-1 (C1 control) meaning.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

bool SubtitleChannel::open(const QString &path)
{
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    if (fill() && m_buffer.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
    return true;
}

void SubtitleChannel::close()
{
    m_file.close();
    m_buffer.clear();
    m_pos = 0;
}

bool SubtitleChannel::fill()
{
    m_buffer = m_file.read(ChunkSize);
    m_pos = 0;
    return !m_buffer.isEmpty();
}

bool SubtitleChannel::atEnd() { return m_pos >= m_buffer.size() && !fill(); }

QString SubtitleChannel::readLine()
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

namespace {

// 1-based search from `from` as the format is described; 0 = not found.
// A search from position 0 cannot be carried out: the caller skips it.
int findFrom(const QString &line, int from, QChar ch)
{
    const qsizetype at = line.indexOf(ch, from - 1);
    return at < 0 ? 0 : static_cast<int>(at) + 1;
}

// The characters from 1-based `from`, `length` long; false for a negative
// length, which skips the step.
bool middle(const QString &line, int from, int length, QString &out)
{
    if (from < 1 || length < 0)
        return false;
    out = line.mid(from - 1, length);
    return true;
}

} // namespace

bool parseFrameNumber(const QString &text, int &frame)
{
    static const QRegularExpression number(
        QStringLiteral("^[ \\t]*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)[ \\t]*$"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return false;
    bool ok = false;
    const double value = m.captured(1).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return false;
    frame = static_cast<int>(rounded);
    return true;
}

SubtitleEntry parseSubtitleLine(const QString &line)
{
    SubtitleEntry entry;
    int a = 0, b = 0, c = 0, d = 0;
    QString startText, endText;

    a = findFrom(line, 1, u'{');
    if (a > 0)
        b = findFrom(line, a, u'}');
    middle(line, a + 1, b - 2, startText);
    if (b > 0)
        c = findFrom(line, b, u'{');
    if (c > 0)
        d = findFrom(line, c, u'}');
    middle(line, c + 1, d - c - 1, endText);

    parseFrameNumber(startText, entry.start);
    parseFrameNumber(endText, entry.end);
    entry.text = line.right(line.size() - d);
    return entry;
}

QString SubtitleChannel::step(const std::function<double()> &position, int frameRate)
{
    // Kept in double: a position that is not a number then matches no range.
    const auto frame = [&] { return std::floor(position() * frameRate); };

    if (frame() > m_current.end)
        m_current = parseSubtitleLine(readLine());

    if (!(m_current.start <= frame() && frame() <= m_current.end))
        return QString();
    const qsizetype bar = m_current.text.indexOf(u'|');
    if (bar >= 0)
        m_current.text[bar] = u'\n';
    return m_current.text;
}

} // namespace qr
