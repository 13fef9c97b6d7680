#include "ui/OpenFiles.h"

#include "desktop/FileDialogs.h"
#include "session/Session.h"

namespace qr {

void openFilesFromDialogs(Session &session, QWidget *owner)
{
    session.showStatus(QStringLiteral("Load file.."));
    const QString media = showOpenDialog(owner, QStringLiteral("Open Media"), FileKind::Media);
    if (media.isEmpty()) {
        if (!session.fileLoaded())
            session.showStatus(NoMediaStatus);
        return;
    }
    QString subtitles;
    if (session.useSubtitles()) {
        session.showStatus(QStringLiteral("Load Subtitles.."));
        subtitles = showOpenDialog(owner, QStringLiteral("Open Subtitles Resource"), FileKind::Subtitles);
        if (subtitles.isEmpty()) {
            if (!session.fileLoaded()) {
                session.showMessage(
                    {QStringLiteral("Subtitles not loaded."),
                     QStringLiteral(
                         "No Subtitles file selected.  Deselect Subtitles use in the options panel.")});
                session.showStatus(NoMediaStatus);
            }
            return;
        }
    }
    session.openChosenFile(media, subtitles);
}

} // namespace qr
