#include "ui/SubtitleWindow.h"

#include "desktop/Twips.h"
#include "desktop/WindowHelpers.h"
#include "session/Session.h"
#include "ui/KeyCommands.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace qr {

SubtitleWindow::SubtitleWindow(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_session(session)
{
    setObjectName(QStringLiteral("SubtitleWindow"));
    setWindowTitle(QStringLiteral("Subtitles"));
    keepOffTaskBar(this);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    resize(pixelsX(7530), pixelsY(1560));

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("subtitleText"));
    m_text->setGeometry(0, 0, pixelsX(7320), pixelsY(1545));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setWordWrap(true);
    QPalette white = m_text->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_text->setPalette(white);
    QFont font;
    // Where the first is missing, the look-alikes, then the default face.
    font.setFamilies(
        {QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"), QStringLiteral("Comic Relief")});
    font.setPointSize(12);
    m_text->setFont(font);
    // Presses on the text drag the window like presses on the window.
    m_text->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_text->setText(m_session.subtitles().text());
    connect(&m_session.subtitles(), &SubtitleTrack::textChanged, m_text, &QLabel::setText);
}

void SubtitleWindow::keyPressEvent(QKeyEvent *event)
{
    runKeyCommands(m_session, event);
    event->accept();
}

void SubtitleWindow::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    dragWindow(this, event->button());
}

void SubtitleWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_session.windowClosed(PlayerWindow::Subtitles);
}

} // namespace qr
