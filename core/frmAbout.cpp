#include "core/frmAbout.h"

#include "skins/Skin.h"

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

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About the Quilvane Ryn"));
    setWindowIcon(ProgramIcon());
    setModal(false);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedSize(SkinSize(QStringLiteral("about")));
    Picture1->setPixmap(SkinPixmap(QStringLiteral("about"), Picture1->size(), devicePixelRatioF()));

    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Quilvane Multi Media Player  "), this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Version 1.0  for Windows 95/98"), this);
    Label4 = makeLabel(QStringLiteral("Label4"),
                       QStringLiteral("The player requires Windows Media Player in order to run. It uses less CPU so "
                                      "it can increase the smooth playback of DivX video files, but also other media "
                                      "formats"),
                       this);
    Label4->setWordWrap(true);
    Label4->setFixedWidth(270);
    Label5 = makeLabel(QStringLiteral("Label5"), QStringLiteral("Made by Tarvell Software"), this);
    Label3 = makeLabel(QStringLiteral("Label3"), QStringLiteral("Support: support@tarvell.example"), this);
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(Label1);
    text->addWidget(Label2);
    text->addSpacing(6);
    text->addWidget(Label4);
    text->addSpacing(6);
    text->addWidget(Label5);
    text->addWidget(Label3);
    text->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    text->addLayout(buttons);

    auto *picture = new QVBoxLayout;
    picture->addWidget(Picture1);
    picture->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(14);
    layout->addLayout(picture);
    layout->addLayout(text);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAbout::showEvent(QShowEvent *event)
{
    // the screen, and so the pixel ratio, is known for certain only now
    Picture1->setPixmap(SkinPixmap(QStringLiteral("about"), Picture1->size(), devicePixelRatioF()));
    QDialog::showEvent(event);
}

// Closes the window only: the flag that the panel set when it opened it stays.
void frmAbout::cmdOK_Click() { close(); }

} // namespace qr
