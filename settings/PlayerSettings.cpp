#include "settings/PlayerSettings.h"

#include "desktop/Twips.h"
#include "settings/StoredNumber.h"

#include <cmath>

namespace qr {

namespace {
const QString Yes = QStringLiteral("yes");
const QString No = QStringLiteral("no");
} // namespace

QString PlayerSettings::yesNo(bool on) { return on ? Yes : No; }

bool PlayerSettings::isOn(const QString &switchName) const { return valueStartsWith(Key, switchName, Yes); }

bool PlayerSettings::storeBusy() const
{
    const RegistryResult<QString> splash = readValue(Key, Splash);
    return !splash && splash.error() == RegistryError::Busy;
}

bool PlayerSettings::skipsSplash() const { return valueStartsWith(Key, Splash, No); }

PlayerSettings::Options PlayerSettings::options() const
{
    Options o;
    o.splash = !skipsSplash(); // the box shows whether the splash shows
    o.registerExtensions = isOn(Registext);
    o.windowPositions = isOn(Windowpos);
    o.autostart = isOn(Autostart);
    o.alwaysOnTop = isOn(Ontop);
    o.rememberPlayer = isOn(RememberPlayer);
    o.scrollTitle = isOn(ScrollTitle);
    o.resume = isOn(ResumePlayback);
    return o;
}

RegistryStatus PlayerSettings::createKey() const { return qr::createKey(Key); }

PlayerSettings::Save PlayerSettings::saveOptions(const Options &o) const
{
    const QList<QPair<QString, QString>> values{{Splash, yesNo(o.splash)},
                                                {Registext, yesNo(o.registerExtensions)},
                                                {Windowpos, yesNo(o.windowPositions)},
                                                {Autostart, yesNo(o.autostart)},
                                                {Ontop, yesNo(o.alwaysOnTop)},
                                                {RememberPlayer, yesNo(o.rememberPlayer)},
                                                {ScrollTitle, yesNo(o.scrollTitle)},
                                                {ResumePlayback, yesNo(o.resume)}};
    Save save;
    for (const auto &value : values)
        save.names << value.first;
    save.status = writeValues(Key, values);
    return save;
}

PlayerSettings::Positions PlayerSettings::positions() const
{
    const auto number = [](const QString &name) -> std::optional<double> {
        const RegistryResult<QString> text = readValue(Key, name);
        return text ? parseStoredNumber(*text) : std::nullopt;
    };
    return {number(PanelLeft), number(PanelTop), number(VideoLeft), number(VideoTop)};
}

int PlayerSettings::rememberedVolume() const
{
    const RegistryResult<QString> text = readValue(Key, RememberedVolume);
    const std::optional<double> volume = text ? parseStoredNumber(*text) : std::nullopt;
    if (!volume || *volume != std::trunc(*volume) || *volume < 0 || *volume > FullVolume)
        return FullVolume;
    return int(*volume);
}

QStringList PlayerSettings::recentFiles() const
{
    QStringList files;
    for (const auto &[name, path] : readValues(RecentKey).valueOr({}))
        if (!path.isEmpty() && !files.contains(path) && files.size() < MaxRecentFiles)
            files << path;
    return files;
}

QList<PlayerSettings::ResumePoint> PlayerSettings::resumePoints() const
{
    QList<ResumePoint> points;
    for (const auto &[name, text] : readValues(ResumeKey).valueOr({})) {
        const QStringList fields = text.split(QLatin1Char(' '));
        if (fields.size() < 3)
            continue;
        bool sizeOk = false, secondsOk = false;
        ResumePoint point{fields.mid(2).join(QLatin1Char(' ')), fields[0].toLongLong(&sizeOk),
                          fields[1].toDouble(&secondsOk)};
        if (sizeOk && secondsOk && std::isfinite(point.seconds) && point.seconds >= 0 &&
            !point.path.isEmpty())
            points << point;
    }
    return points.mid(std::max<qsizetype>(0, points.size() - MaxResumePoints));
}

PlayerSettings::Save PlayerSettings::saveAtQuit(const QuitState &state) const
{
    QList<QPair<QString, QString>> values;
    if (state.positionsKnown && isOn(Windowpos)) {
        values << qMakePair(PanelTop, singleText(state.panelTop))
               << qMakePair(PanelLeft, singleText(state.panelLeft))
               << qMakePair(VideoTop, singleText(state.videoTop))
               << qMakePair(VideoLeft, singleText(state.videoLeft));
    }
    if (isOn(RememberPlayer)) {
        values << qMakePair(RememberedMute, yesNo(state.muted))
               << qMakePair(RememberedRepeat, yesNo(state.repeat))
               << qMakePair(RememberedZoomStrip, yesNo(state.zoomStrip))
               << qMakePair(RememberedVolume, QString::number(state.volume));
        if (state.zoomStrip)
            values << qMakePair(ZoomChoice, QString::number(state.zoomChoice));
    }
    Save save;
    QList<KeyWrite> writes;
    if (!values.isEmpty())
        writes.append({Key, values, false});
    for (const auto &value : values)
        save.names << value.first;
    if (state.recentFiles) {
        NamedValues recent;
        for (const QString &path : state.recentFiles->mid(0, MaxRecentFiles))
            recent.append({QString::number(recent.size() + 1), path});
        writes.append({RecentKey, recent, true});
        save.names << QStringLiteral("Recent");
    }
    if (state.resumePoints) {
        NamedValues resume;
        const QList<ResumePoint> &points = *state.resumePoints;
        for (const ResumePoint &point : points.mid(std::max<qsizetype>(0, points.size() - MaxResumePoints)))
            resume.append(
                {QString::number(resume.size() + 1),
                 QStringLiteral("%1 %2 %3").arg(point.size).arg(point.seconds, 0, 'f', 1).arg(point.path)});
        writes.append({ResumeKey, resume, true});
        save.names << QStringLiteral("Resume");
    }
    if (writes.isEmpty())
        return save;
    save.status = writeKeys(writes);
    if (save.status == RegistryError::Busy)
        save.status = writeKeys(writes);
    return save;
}

PlayerSettings::Save PlayerSettings::saveZoomChoice(int index) const
{
    return {{ZoomChoice}, writeValue(Key, ZoomChoice, QString::number(index))};
}

} // namespace qr
