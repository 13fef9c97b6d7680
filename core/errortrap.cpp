#include "core/errortrap.h"

#include "core/Player.h"
#include "core/media/MediaControl.h"
#include "desktop/MessageBox.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "panel/seekbar/simpleProgress.h"
#include "video/video.h"

namespace qr {

QString FillErrorText(const QString &text, int code, const QString &description)
{
    QString filled = text;
    // The number goes first, so a description that holds the marker stays as it is.
    filled.replace(QStringLiteral("[err.Number]"), QString::number(code));
    filled.replace(QStringLiteral("[err.Description]"), description);
    return filled;
}

QString ErrorReportText(const QString &message, int code, const QString &description)
{
    const QString details = FillErrorText(
        QStringLiteral("(Error code: #[err.Number]/Error description: [err.Description])"), code, description);
    const QString support =
        QStringLiteral("If this error occurs again, please send the errorcode/description in a mail to ") +
        SupportAddress;
    const QString crlf = QStringLiteral("\r\n");
    return message + crlf + crlf + support + crlf + crlf + details;
}

void ReportError(Player &p, const QString &message, int code, const QString &description)
{
    ShowMessage(ErrorReportText(message, code, description), QStringLiteral("Error"));
    try {
        p.media.setFileName(QString());
    } catch (const MediaError &) {
        // Closing is the way back to no media; a control that cannot even
        // close has nothing loaded worth keeping.
    }
    remote &panel = p.panel();
    panel.progress->setValue(0);
    p.state.StatusText = QStringLiteral("No media loaded..");
    panel.time->clear();
    panel.playbackInfo->clear();
    panel.status->setText(p.state.StatusText);
    p.videoWindow().hide();
}

} // namespace qr
