#include "session/TrackNames.h"

#include <QLocale>
#include <QStringList>

namespace qr {

namespace {

QString languageName(const QString &code)
{
    if (code.isEmpty())
        return QString();
    const QLocale::Language language = QLocale::codeToLanguage(code, QLocale::AnyLanguageCode);
    return language == QLocale::AnyLanguage ? code : QLocale::languageToString(language);
}

QString codecName(const QString &codec)
{
    static const std::pair<const char *, const char *> names[] = {
        {"ac3", "AC-3"},
        {"eac3", "E-AC-3"},
        {"dts", "DTS"},
        {"truehd", "TrueHD"},
        {"aac", "AAC"},
        {"mp3", "MP3"},
        {"mp2", "MP2"},
        {"opus", "Opus"},
        {"vorbis", "Vorbis"},
        {"flac", "FLAC"},
        {"subrip", "SubRip"},
        {"ass", "ASS"},
        {"ssa", "SSA"},
        {"webvtt", "WebVTT"},
        {"mov_text", "Timed Text"},
        {"hdmv_pgs_subtitle", "PGS"},
        {"dvd_subtitle", "VobSub"},
        {"dvb_subtitle", "DVB"},
    };
    for (const auto &[id, name] : names)
        if (codec == QLatin1String(id))
            return QString::fromLatin1(name);
    return codec.startsWith(QLatin1String("pcm_")) ? QStringLiteral("PCM") : codec.toUpper();
}

QString channelLayout(int channels)
{
    switch (channels) {
    case 0:
        return QString();
    case 1:
        return QStringLiteral("mono");
    case 2:
        return QStringLiteral("stereo");
    case 6:
        return QStringLiteral("5.1");
    case 8:
        return QStringLiteral("7.1");
    default:
        return QStringLiteral("%1 channels").arg(channels);
    }
}

} // namespace

QString trackLabel(const MediaTrack &track)
{
    QString name = languageName(track.language);
    if (name.isEmpty())
        name = QStringLiteral("Track %1").arg(track.id);
    if (!track.title.isEmpty())
        name += QStringLiteral(", ") + track.title;
    QStringList details{codecName(track.codec)};
    if (track.kind == MediaTrack::Kind::Audio)
        details << channelLayout(track.channels);
    details.removeAll(QString());
    const QString about = details.isEmpty() ? QString() : QStringLiteral(" (") + details.join(u' ') + u')';
    return QString::number(track.id) + QStringLiteral(": ") + name + about;
}

} // namespace qr
