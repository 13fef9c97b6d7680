#include "subtitles/frmSub.h"

#include "desktop/KeyCodes.h"
#include "desktop/Twips.h"
#include "desktop/windowpos.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace qr {

frmSub::frmSub(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSub"));
    setWindowTitle(QStringLiteral("Subtitles"));
    // The player ends only through its quit command, never by closing this.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    resize(PixelsX(7530), PixelsY(1560));

    subtitles = new QLabel(this);
    subtitles->setObjectName(QStringLiteral("subtitles"));
    subtitles->setGeometry(0, 0, PixelsX(7320), PixelsY(1545));
    subtitles->setTextFormat(Qt::PlainText);
    subtitles->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    subtitles->setWordWrap(true);
    QPalette text = subtitles->palette();
    text.setColor(QPalette::WindowText, Qt::white);
    subtitles->setPalette(text);
    QFont font;
    // Where the first is missing, the look-alikes first, then the default face.
    font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                      QStringLiteral("Comic Relief")});
    font.setPointSize(12);
    subtitles->setFont(font);
    // Presses on the label drag the window like presses on the window.
    subtitles->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void frmSub::keyPressEvent(QKeyEvent *event)
{
    emit KeyDown(VirtualKeyCode(event), KeyShiftState(event));
    event->accept();
}

void frmSub::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    DragWindow(this);
}

void frmSub::closeEvent(QCloseEvent *event)
{
    subtitles->clear();
    event->accept();
}

} // namespace qr
