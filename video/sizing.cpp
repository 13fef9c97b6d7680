#include "video/sizing.h"

#include "core/Player.h"
#include "core/media/MediaControl.h"
#include "desktop/Twips.h"
#include "desktop/cdlFunctions.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "video/frmZoom.h"
#include "video/video.h"

#include <QComboBox>

namespace qr {

QString SizeNumber(double value)
{
    return QString::number(static_cast<float>(value), 'g', QLocale::FloatingPointShortest);
}

void FitVideoToWindow(Player &p, double w, double h)
{
    if (p.media.fileName().isEmpty())
        return;
    video &win = p.videoWindow();
    QRectF box = win.videoboxTwips();
    box.moveLeft(0);
    const double innerHeight = win.heightTwips();
    if (h != 0)
        box.setHeight(h - win.sizerSize());
    else if (win.topEdgeHeight() + win.sizerSize() + 60 < innerHeight)
        box.setHeight(innerHeight - win.sizerSize());
    box.setWidth((w != 0 ? w : win.widthTwips()) - 30);
    box.moveTop(win.topEdgeHeight());
    win.setVideoboxTwips(box);
    p.state.VideoSizeText = SizeNumber(box.width() / TwipsPerPixelX()) + QLatin1Char('x') +
                            SizeNumber(box.height() / TwipsPerPixelY());
    ShowMediaInfo(p);
}

void ShowMediaInfo(Player &p)
{
    const int width = p.media.pictureWidth();
    const int height = p.media.pictureHeight();
    if (p.media.fileName().isEmpty() || width <= 0 || height <= 0)
        return;
    QString line = QString::number(width) + QStringLiteral(" x ") + QString::number(height) + QLatin1Char(' ') +
                   FileExtension(p.media.fileName()).toUpper();
    if (!p.state.VideoSizeText.isEmpty())
        line += QStringLiteral(" [") + p.state.VideoSizeText + QLatin1Char(']');
    p.panel().playbackInfo->setText(line);
}

QStringList ZoomChoices(bool fileLoaded, int width, int height)
{
    const QString separator = QStringLiteral("----------");
    QStringList choices{QStringLiteral("50%"),     QStringLiteral("100%"),    QStringLiteral("200%"),
                        QStringLiteral("full"),    separator,                 QStringLiteral("352x240"),
                        QStringLiteral("352x288"), QStringLiteral("704x480"), QStringLiteral("704x576"),
                        separator};
    if (fileLoaded)
        choices << QString::number(width) + QLatin1Char('x') + QString::number(height);
    choices << separator << QStringLiteral("Custom...");
    return choices;
}

void FillZoomList(Player &p)
{
    QComboBox *list = p.zoom().cboZoomOpt;
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(ZoomChoices(!p.media.fileName().isEmpty(), p.media.pictureWidth(), p.media.pictureHeight()));
    list->setCurrentIndex(-1);
}

} // namespace qr
