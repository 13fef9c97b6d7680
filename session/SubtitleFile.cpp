#include "session/SubtitleFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qr {

namespace {

constexpr qint32 Int32Min = std::numeric_limits<qint32>::min();
constexpr qint32 Int32Max = std::numeric_limits<qint32>::max();

// A position the engine reports at a frame's own timestamp (n / rate) can
// land a hair below n after the multiplication; it belongs to frame n.
constexpr double EdgeTolerance = 1e-6;

// Code page 1252 where it differs from Latin-1, for a Qt built without ICU;
// undefined bytes keep their Latin-1 (C1 control) meaning, as ICU's do.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// [blanks][sign](digits[.[digits]] | .digits)[(e|E)[sign]digits][blanks]
std::optional<double> parseNumber(QStringView text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && isDigit(text[i]))
            ++i;
        return i - from;
    };
    while (i < n && isBlank(text[i]))
        ++i;
    const qsizetype begin = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype integerPart = i;
    const qsizetype integerDigits = digits();
    qsizetype mantissa = integerDigits;
    bool plainInteger = true;
    if (i < n && text[i] == u'.') {
        ++i;
        mantissa += digits();
        plainInteger = false;
    }
    if (mantissa == 0)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        plainInteger = false;
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digits() == 0)
            return std::nullopt;
    }
    const qsizetype stop = i;
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return std::nullopt;
    // Most fields are short whole numbers: exact in a double, and far cheaper
    // than the general conversion.
    if (plainInteger && integerDigits <= 15) {
        qint64 value = 0;
        for (qsizetype k = integerPart; k < integerPart + integerDigits; ++k)
            value = value * 10 + (text[k].unicode() - u'0');
        return text[begin] == u'-' ? -double(value) : double(value);
    }
    bool ok = false;
    const double value = text.sliced(begin, stop - begin).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> parseFrameNumber(QStringView text)
{
    const std::optional<double> value = parseNumber(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < double(Int32Min) || rounded > double(Int32Max))
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

struct ParsedLine {
    SubtitleEntry entry;
    bool startIsNumber = false;
    bool endIsNumber = false;
    bool endIsEmpty = false; // {start}{}
    bool hasBothFields = false;
};

// The positions below are 1-based and 0 means "not found", so that each step
// falls through to the next exactly as the format's readers always have.
ParsedLine parseLine(const QString &line)
{
    const auto findFrom = [&](qsizetype from, char16_t ch) -> qsizetype {
        const qsizetype at = line.indexOf(QChar(ch), from - 1);
        return at < 0 ? 0 : at + 1;
    };
    // A negative length skips the step and leaves the field empty.
    const auto middle = [&](qsizetype from, qsizetype length) {
        return from < 1 || length < 0 ? QStringView() : QStringView(line).mid(from - 1, length);
    };

    ParsedLine parsed;
    qsizetype b = 0, c = 0, d = 0;
    const qsizetype a = findFrom(1, u'{');
    if (a > 0)
        b = findFrom(a, u'}');
    // b - 2, not b - a - 1: a line that does not begin with "{" reads start 0.
    const QStringView startText = middle(a + 1, b - 2);
    if (b > 0)
        c = findFrom(b, u'{');
    if (c > 0)
        d = findFrom(c, u'}');
    const QStringView endText = middle(c + 1, d - c - 1);

    if (const auto start = parseFrameNumber(startText)) {
        parsed.entry.start = *start;
        parsed.startIsNumber = true;
    }
    if (const auto end = parseFrameNumber(endText)) {
        parsed.entry.end = *end;
        parsed.endIsNumber = true;
    }
    parsed.entry.text = line.sliced(d);
    parsed.hasBothFields = d > 0;
    parsed.endIsEmpty = parsed.hasBothFields && endText.trimmed().isEmpty();
    return parsed;
}

// The lines of a file: CR, CR LF or LF ends one; a UTF-8 byte-order mark at
// the start is skipped. Each line is UTF-8 when it is valid UTF-8, otherwise
// Windows-1252, which is what files written for older players use.
class LineReader {
public:
    explicit LineReader(const QByteArray &bytes) : m_bytes(bytes)
    {
        if (m_bytes.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
    }

    bool next(QString &line)
    {
        const qsizetype size = m_bytes.size();
        if (m_pos >= size)
            return false;
        const char *data = m_bytes.constData();
        qsizetype stop = m_pos;
        while (stop < size && data[stop] != '\r' && data[stop] != '\n')
            ++stop;
        // A longer line is cut, so that a wrong file picked by mistake
        // cannot make lines of any length.
        const qsizetype length = std::min<qsizetype>(stop - m_pos, SubtitleFile::MaxLineBytes);
        line = decode(QByteArrayView(data + m_pos, length));
        m_pos = stop;
        if (m_pos < size)
            m_pos += data[m_pos] == '\r' && m_pos + 1 < size && data[m_pos + 1] == '\n' ? 2 : 1;
        return true;
    }

private:
    QString decode(QByteArrayView bytes)
    {
        if (std::all_of(bytes.begin(), bytes.end(), [](char ch) { return uchar(ch) < 0x80; }))
            return QString::fromLatin1(bytes);
        m_utf8.resetState();
        QString text = m_utf8(bytes);
        if (!m_utf8.hasError())
            return text;
        if (m_cp1252.isValid()) {
            m_cp1252.resetState();
            return m_cp1252(bytes);
        }
        text.resize(bytes.size());
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const auto byte = uchar(bytes[i]);
            text[i] = QChar(byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t(byte));
        }
        return text;
    }

    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringConverter::Flag::Stateless};
    QStringDecoder m_cp1252{"windows-1252", QStringConverter::Flag::Stateless};
};

bool isBlankLine(const QString &line)
{
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c.isSpace(); });
}

bool isCounter(const QString &line)
{
    const QString trimmed = line.trimmed();
    return !trimmed.isEmpty() && std::all_of(trimmed.begin(), trimmed.end(), isDigit);
}

// "00:00:01,000 --> 00:00:02,500", "." allowed for ","; anything after the
// second time (positions some writers add) is ignored. Milliseconds as
// first / end-after-last, or nothing when the line is no timing line.
std::optional<std::pair<qint64, qint64>> parseTiming(const QString &line)
{
    static const QRegularExpression timing(
        QStringLiteral("^\\s*(\\d{1,4}):(\\d{1,2}):(\\d{1,2})(?:[,.](\\d{1,3}))?\\s*-->\\s*"
                       "(\\d{1,4}):(\\d{1,2}):(\\d{1,2})(?:[,.](\\d{1,3}))?(?:\\s|$)"));
    const QRegularExpressionMatch m = timing.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    const auto time = [&](int group) {
        const qint64 hours = m.capturedView(group).toLongLong();
        const qint64 minutes = m.capturedView(group + 1).toLongLong();
        const qint64 seconds = m.capturedView(group + 2).toLongLong();
        // A fraction: ",5" is half a second, as ",500" is.
        const QString fraction = m.captured(group + 3).leftJustified(3, u'0');
        return ((hours * 60 + minutes) * 60 + seconds) * 1000 + fraction.toLongLong();
    };
    return std::pair{time(1), time(5)};
}

// SubRip when at least half the lines that hold "-->" are SubRip timings: a title
// line or one malformed cue does not make a SubRip file frame-numbered.
bool looksLikeSubRip(const QByteArray &bytes)
{
    LineReader reader(bytes);
    QString line;
    qsizetype arrows = 0, timings = 0;
    while (reader.next(line)) {
        if (!line.contains(QLatin1String("-->")))
            continue;
        ++arrows;
        if (parseTiming(line))
            ++timings;
    }
    return timings > 0 && 2 * timings >= arrows;
}

} // namespace

QString plainSubtitleText(QString text)
{
    static const QRegularExpression codes(
        QStringLiteral("</?[A-Za-z][^<>\\s]*(?:\\s[^<>]*)?>|\\{\\\\[^{}]*\\}"));
    if (text.contains(u'<') || text.contains(u'{'))
        text.remove(codes);
    return text;
}

namespace {

// MicroDVD's style codes ({y:i}, {c:$BBGGRR}, {f:...}, {s:...}, {P:...}, in
// either case) and the leading "/" of an italic line, on each line.
QString withoutStyleCodes(const QString &text)
{
    static const QRegularExpression codes(QStringLiteral("\\{[yYcCfFsSpP]:[^{}]*\\}"));
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (line.contains(u'{'))
            line.remove(codes);
        if (line.startsWith(u'/'))
            line.remove(0, 1);
    }
    return lines.join(u'\n');
}

} // namespace

SubtitleEntry parseSubtitleLine(const QString &line) { return parseLine(line).entry; }

SubtitleFile::LoadResult SubtitleFile::load(const QString &path)
{
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::Unreadable;
    if (file.size() > MaxFileBytes)
        return LoadResult::TooLarge;
    // One byte more than allowed: a device or a file that grew since cannot
    // be read without end.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return LoadResult::Unreadable;
    return loadBytes(bytes);
}

SubtitleFile::LoadResult SubtitleFile::loadBytes(const QByteArray &bytes)
{
    clear();
    if (bytes.size() > MaxFileBytes)
        return LoadResult::TooLarge;
    m_subRip = looksLikeSubRip(bytes);
    if (m_subRip)
        parseSubRip(bytes);
    else
        parseFrameLines(bytes);
    m_text.squeeze();
    buildIndex();
    m_loaded = true;
    return LoadResult::Loaded;
}

void SubtitleFile::clear()
{
    m_cues.clear();
    m_text.clear();
    m_declaredRate.reset();
    m_loaded = false;
    m_subRip = false;
}

double SubtitleFile::frameRateFor(double mediaFrameRate) const
{
    if (m_declaredRate)
        return *m_declaredRate;
    if (std::isfinite(mediaFrameRate) && mediaFrameRate > 0)
        return mediaFrameRate;
    return DefaultFrameRate;
}

void SubtitleFile::addCue(qint64 first, qint64 last, const QString &text)
{
    if (text.isEmpty() || last < first || first < Int32Min || last > Int32Max)
        return;
    Cue cue;
    cue.first = static_cast<qint32>(first);
    cue.last = static_cast<qint32>(last);
    cue.order = static_cast<qint32>(m_cues.size());
    cue.textPos = static_cast<qint32>(m_text.size());
    cue.textLength = static_cast<qint32>(text.size());
    m_text += text;
    m_cues.append(cue);
}

void SubtitleFile::parseFrameLines(const QByteArray &bytes)
{
    LineReader reader(bytes);
    QString line;
    bool first = true;
    // An entry written {start}{}: it lasts until the next one starts.
    std::optional<std::pair<qint64, QString>> open;
    const auto close = [&](qint64 nextStart) {
        if (open)
            addCue(open->first, nextStart - 1, open->second);
        open.reset();
    };
    while (reader.next(line)) {
        if (first && isBlankLine(line))
            continue;
        ParsedLine parsed = parseLine(line);
        if (std::exchange(first, false) && parsed.startIsNumber && parsed.endIsNumber &&
            parsed.entry.start == parsed.entry.end && (parsed.entry.start == 0 || parsed.entry.start == 1)) {
            const std::optional<double> rate = parseNumber(parsed.entry.text);
            if (rate && *rate >= 1 && *rate <= 240) {
                m_declaredRate = rate;
                continue;
            }
        }
        // Without both fields a line could match frame 0 at most: it is
        // malformed, not a subtitle.
        if (!parsed.hasBothFields)
            continue;
        const QString text = withoutStyleCodes(parsed.entry.text.replace(u'|', u'\n'));
        if (parsed.startIsNumber)
            close(parsed.entry.start);
        if (parsed.startIsNumber && parsed.endIsEmpty)
            open = std::pair{qint64(parsed.entry.start), text};
        else
            addCue(parsed.entry.start, parsed.entry.end, text);
    }
    close(qint64(Int32Max) + 1);
}

void SubtitleFile::parseSubRip(const QByteArray &bytes)
{
    LineReader reader(bytes);
    QString line;
    std::optional<std::pair<qint64, qint64>> times; // of the cue being read
    QStringList text;
    // The end time is where the next cue may begin: the last shown
    // millisecond is the one before it.
    const auto finish = [&] {
        if (times)
            addCue(times->first, times->second - 1, plainSubtitleText(text.join(u'\n')));
        times.reset();
        text.clear();
    };
    while (reader.next(line)) {
        if (auto next = parseTiming(line)) {
            // No blank line before it: its counter ended up as text.
            if (times && !text.isEmpty() && isCounter(text.last()))
                text.removeLast();
            finish();
            times = next;
        } else if (isBlankLine(line)) {
            finish();
        } else if (times) {
            text << line;
        }
        // Anything else (a counter, junk between cues) is skipped.
    }
    finish();
}

void SubtitleFile::buildIndex()
{
    const auto byFirst = [](const Cue &x, const Cue &y) { return x.first < y.first; };
    if (!std::is_sorted(m_cues.begin(), m_cues.end(), byFirst))
        std::stable_sort(m_cues.begin(), m_cues.end(), byFirst);
    indexRange(0, m_cues.size());
}

// The cues sorted by first form a balanced search tree: the middle of a range
// heads it, the halves are its subtrees. Each head notes the latest end below
// it, so that a query skips every subtree that ended before its position.
qint32 SubtitleFile::indexRange(qsizetype begin, qsizetype end)
{
    if (begin >= end)
        return Int32Min;
    const qsizetype mid = begin + (end - begin) / 2;
    Cue &cue = m_cues[mid];
    cue.maxLast = std::max({cue.last, indexRange(begin, mid), indexRange(mid + 1, end)});
    return cue.maxLast;
}

void SubtitleFile::collect(qsizetype begin, qsizetype end, qint64 at, QList<const Cue *> &found) const
{
    if (begin >= end)
        return;
    const qsizetype mid = begin + (end - begin) / 2;
    const Cue &cue = m_cues[mid];
    if (cue.maxLast < at)
        return;
    collect(begin, mid, at, found);
    if (cue.first > at)
        return;
    if (cue.last >= at)
        found.append(&cue);
    collect(mid + 1, end, at, found);
}

QString SubtitleFile::textAt(double seconds, double frameRate) const
{
    const double unitsPerSecond = m_subRip ? 1000.0 : frameRate;
    if (m_cues.isEmpty() || !(unitsPerSecond > 0))
        return QString();
    const double units = std::floor(seconds * unitsPerSecond + EdgeTolerance);
    // Not a number (a position the engine cannot tell) matches nothing.
    if (!(units >= double(Int32Min) && units <= double(Int32Max)))
        return QString();

    QList<const Cue *> found;
    collect(0, m_cues.size(), static_cast<qint64>(units), found);
    std::sort(found.begin(), found.end(), [](const Cue *x, const Cue *y) { return x->order < y->order; });
    QString shown;
    for (const Cue *cue : found) {
        if (!shown.isEmpty())
            shown += u'\n';
        shown += QStringView(m_text).mid(cue->textPos, cue->textLength);
    }
    return shown;
}

QString SubtitleFile::findBeside(const QString &mediaPath)
{
    if (mediaPath.isEmpty())
        return QString();
    const QFileInfo media(mediaPath);
    const QString base = media.completeBaseName();
    const QDir dir = media.dir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QLatin1String extension :
         {QLatin1String(".sub"), QLatin1String(".txt"), QLatin1String(".srt")}) {
        for (const QString &name : names) {
            if (name.size() == base.size() + extension.size() && name.startsWith(base) &&
                name.endsWith(extension, Qt::CaseInsensitive))
                return dir.filePath(name);
        }
    }
    return QString();
}

} // namespace qr
