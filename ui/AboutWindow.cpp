#include "ui/AboutWindow.h"

#include "session/ErrorReport.h"
#include "session/Session.h"
#include "skins/Skin.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qr {

namespace {
QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

AboutWindow::AboutWindow(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("About the Quilvane Ryn"));
    setWindowIcon(programIcon());
    setModal(false);

    m_artwork = new QLabel(this);
    m_artwork->setObjectName(QStringLiteral("artwork"));
    m_artwork->setFixedSize(skinSize(QStringLiteral("about")));

    QLabel *product =
        makeLabel(QStringLiteral("product"), QStringLiteral("Quilvane Multi Media Player  "), this);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    QLabel *version = makeLabel(QStringLiteral("version"), QStringLiteral("Version 1.0  for Linux"), this);
    QLabel *description = makeLabel(
        QStringLiteral("description"),
        QStringLiteral("The player requires libmpv in order to run. It uses less CPU so it "
                       "can increase the smooth playback of DivX video files, but also other media formats"),
        this);
    description->setWordWrap(true);
    description->setFixedWidth(270);
    QLabel *maker = makeLabel(QStringLiteral("maker"), QStringLiteral("Made by Tarvell Software"), this);
    QLabel *support =
        makeLabel(QStringLiteral("support"), QStringLiteral("Support: ") + SupportAddress, this);
    support->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    // However it closes: OK, Esc or the desktop's close button.
    connect(this, &QDialog::finished, &m_session, [this] { m_session.windowClosed(PlayerWindow::About); });

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(product);
    text->addWidget(version);
    text->addSpacing(6);
    text->addWidget(description);
    text->addSpacing(6);
    text->addWidget(maker);
    text->addWidget(support);
    text->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    text->addLayout(buttons);

    auto *picture = new QVBoxLayout;
    picture->addWidget(m_artwork);
    picture->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(14);
    layout->addLayout(picture);
    layout->addLayout(text);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutWindow::showEvent(QShowEvent *event)
{
    // The screen, and so the pixel ratio, is known for certain only now.
    m_artwork->setPixmap(skinPixmap(QStringLiteral("about"), m_artwork->size(), devicePixelRatioF()));
    QDialog::showEvent(event);
}

} // namespace qr
