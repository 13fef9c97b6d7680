#pragma once

#include <QString>

namespace qr {

class Player;

// The one road by which a media file (and its subtitle file) reaches the
// engine: checks both exist, hands the path over, starts playback when
// "Autostart" asks for it, restores the remembered player state and writes
// the status line.
void OpenMediaFile(Player &p, const QString &media, const QString &subs);

// "The file ...; is either corrupt or damaged." in a "File access error" box.
void ReportCorruptFile(const QString &path);
QString CorruptFileText(const QString &path);

} // namespace qr
