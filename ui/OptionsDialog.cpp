#include "ui/OptionsDialog.h"

#include "desktop/Twips.h"
#include "desktop/WindowHelpers.h"
#include "session/Session.h"
#include "settings/PlayerSettings.h"
#include "ui/SkinWidgets.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace qr {

namespace {

// The dialog's own size and the title band's, in twips; the resume box's
// row makes it, the page, the frame and the buttons' row one row lower.
constexpr double RowHeight = 255;
constexpr double ClientWidth = 4245;
constexpr double ClientHeight = 4335 + RowHeight;
constexpr double BandWidth = 4335;
constexpr double BandHeight = 1215;

constexpr double TitlePoints = 48;
constexpr double BodyPoints = 8;
// Below this a caption is no longer worth reading; it is clipped instead.
constexpr double SmallestBodyPoints = 6;

QPushButton *makeButton(const QString &name, const QString &caption, double left, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    placeTwips(button, left, 3840 + RowHeight, 1095, 375);
    return button;
}

bool textFits(const QWidget *control, const QString &text, int spare = 0)
{
    return control->fontMetrics().horizontalAdvance(text) + spare <= control->contentsRect().width();
}

// A press a control passes on (a button's right click, a box clicked beside
// its text) reaches the parent too; only the parent's own background drags.
bool pressedOnItself(const QWidget *area, const QMouseEvent *event)
{
    return area->childAt(event->position().toPoint()) == nullptr;
}

} // namespace

OptionsDialog::OptionsDialog(Session &session, const PlayerSettings &settings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_session(session), m_settings(settings)
{
    setObjectName(QStringLiteral("OptionsDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(pixelsX(ClientWidth), pixelsY(ClientHeight));

    buildControls();
    fitFonts();

    m_apply->setEnabled(false);
    if (const QScreen *display = screen()) {
        const QRect area = display->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    readSwitches();
    setTopMost(this, m_session.windows().alwaysOnTop());
    // Reading the store toggled boxes, and each toggle enables Apply.
    m_apply->setEnabled(false);
    activateWindow();
}

void OptionsDialog::buildControls()
{
    m_band = new QLabel(QStringLiteral("Settings"), this);
    m_band->setObjectName(QStringLiteral("band"));
    m_band->setTextFormat(Qt::PlainText);
    placeTwips(m_band, 0, 0, BandWidth, BandHeight);
    // The band ends past the dialog's right edge; keep the title inside what shows.
    m_band->setContentsMargins(pixelsX(90), 0, pixelsX(60) + pixelsX(BandWidth - ClientWidth), 0);
    m_band->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    m_band->setAutoFillBackground(true);
    QLinearGradient gradient(0, 0, 1, 0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, QColor(0x0a, 0x24, 0x6a));
    gradient.setColorAt(1, QColor(0x3a, 0x6e, 0xa5));
    QPalette bandColours = m_band->palette();
    bandColours.setBrush(QPalette::Window, gradient);
    bandColours.setColor(QPalette::WindowText, Qt::white);
    m_band->setPalette(bandColours);

    m_page = new QFrame(this);
    m_page->setObjectName(QStringLiteral("page"));
    placeTwips(m_page, 0, 1320, 4245, 2415 + RowHeight);

    m_frame = new QGroupBox(QStringLiteral(" Settings for the player "), m_page);
    m_frame->setObjectName(QStringLiteral("frame"));
    placeTwips(m_frame, 105, 30, 4095, 2145 + RowHeight);

    struct Row {
        QCheckBox *&box;
        const char *name;
        double top;
        double height;
        const char *caption;
        const char *toolTip; // nullptr: none
        bool checked;        // as designed, before the store is read
    };
    const Row rows[] = {
        {m_splash, "splashBox", 285, 255, "Show splashscreen on load",
         "Enable/disable the annoying splash-screen", true},
        {m_windowPositions, "windowPositionsBox", 480, 255, "Remember window position (not size)",
         "Remember where you left the player windows", false},
        {m_registerExtensions, "registerExtensionsBox", 720, 255, "Always register extensions on load",
         "Register default extensions (*.avi, *.mpg and *.asf) each time the player starts", false},
        {m_alwaysOnTop, "alwaysOnTopBox", 960, 255, "Always on top", nullptr, false},
        {m_autostart, "autostartBox", 1200, 255, "Autostart playback",
         "When opening a file, playback automatically starts", false},
        {m_rememberPlayer, "rememberPlayerBox", 1440, 255, "Remember player settings (mute, repeat, zoom)",
         nullptr, false},
        {m_scrollTitle, "scrollTitleBox", 1680, 285, "Scroll Movie Title if Too Long (more cpu)", nullptr,
         false},
        {m_resume, "resumeBox", 1965, RowHeight, "Resume files where they were left",
         "Start a file again where you closed it, unless it was near its start or end", false},
    };
    // Each box runs from its left to the frame's inner edge.
    const int boxLeft = pixelsX(240);
    const int boxWidth = m_frame->contentsRect().right() + 1 - boxLeft;
    for (const Row &row : rows) {
        row.box = new QCheckBox(QString::fromLatin1(row.caption), m_frame);
        row.box->setObjectName(QString::fromLatin1(row.name));
        if (row.toolTip)
            row.box->setToolTip(QString::fromLatin1(row.toolTip));
        row.box->setGeometry(boxLeft, pixelsY(row.top), boxWidth, pixelsY(row.height));
        row.box->setChecked(row.checked);
        connect(row.box, &QCheckBox::toggled, this, [this] { m_apply->setEnabled(true); });
        m_boxes << row.box;
    }

    m_address = new QLabel(QStringLiteral("www.tarvell.example"), this);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setTextFormat(Qt::PlainText);
    m_address->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeTwips(m_address, 2400, 0, 1800, 240);
    QPalette addressColours = m_address->palette();
    addressColours.setColor(QPalette::WindowText, QColor(0xd4, 0xdc, 0xe8));
    m_address->setPalette(addressColours);

    m_ok = makeButton(QStringLiteral("ok"), QStringLiteral("OK"), 690, this);
    m_cancel = makeButton(QStringLiteral("cancel"), QStringLiteral("Cancel"), 1920, this);
    m_apply = makeButton(QStringLiteral("apply"), QStringLiteral("Apply"), 3120, this);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        writeSwitches();
        close();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::close);
    // However it closes: OK, Cancel, Esc or the desktop's close button.
    connect(this, &QDialog::finished, &m_session, [this] { m_session.windowClosed(PlayerWindow::Options); });
    connect(m_apply, &QPushButton::clicked, this, [this] {
        writeSwitches();
        m_apply->setEnabled(false);
    });

    for (QWidget *dragArea : {static_cast<QWidget *>(m_band), m_page, static_cast<QWidget *>(m_frame)})
        dragArea->installEventFilter(this);
}

// The captions and the 48-point title were set in narrower faces than the
// desktop's sans; a semi-condensed cut at the largest size that fits keeps
// every text whole.
void OptionsDialog::fitFonts()
{
    QFont body = font();
    body.setStretch(QFont::SemiCondensed);
    for (double points = BodyPoints;; points -= 0.25) {
        body.setPointSizeF(points);
        setFont(body);
        bool fits =
            textFits(m_address, m_address->text()) && textFits(m_frame, m_frame->title(), pixelsX(240));
        for (const QPushButton *button : {m_ok, m_cancel, m_apply})
            fits = fits && textFits(button, button->text(), pixelsX(90));
        for (const QCheckBox *box : m_boxes)
            fits = fits && box->sizeHint().width() <= box->width();
        if (fits || points <= SmallestBodyPoints)
            break;
    }

    QFont title = body;
    title.setBold(true);
    for (double points = TitlePoints;; points -= 1) {
        title.setPointSizeF(points);
        const QFontMetrics metrics(title);
        const QRect room = m_band->contentsRect();
        if ((metrics.horizontalAdvance(m_band->text()) <= room.width() &&
             metrics.ascent() + metrics.descent() <= room.height()) ||
            points <= TitlePoints / 2)
            break;
    }
    m_band->setFont(title);
}

// A switch that is not on leaves its box as designed, but the splash box is
// cleared when the splash is skipped.
void OptionsDialog::readSwitches()
{
    const PlayerSettings::Options on = m_settings.options();
    if (!on.splash)
        m_splash->setChecked(false);
    const std::pair<QCheckBox *, bool> boxes[] = {
        {m_registerExtensions, on.registerExtensions},
        {m_windowPositions, on.windowPositions},
        {m_autostart, on.autostart},
        {m_alwaysOnTop, on.alwaysOnTop},
        {m_rememberPlayer, on.rememberPlayer},
        {m_scrollTitle, on.scrollTitle},
        {m_resume, on.resume},
    };
    for (const auto &[box, isOn] : boxes)
        if (isOn)
            box->setChecked(true);
}

void OptionsDialog::writeSwitches()
{
    PlayerSettings::Options options;
    options.splash = m_splash->isChecked();
    options.registerExtensions = m_registerExtensions->isChecked();
    options.windowPositions = m_windowPositions->isChecked();
    options.autostart = m_autostart->isChecked();
    options.alwaysOnTop = m_alwaysOnTop->isChecked();
    options.rememberPlayer = m_rememberPlayer->isChecked();
    options.scrollTitle = m_scrollTitle->isChecked();
    options.resume = m_resume->isChecked();
    m_session.applyOptions(options);
}

void OptionsDialog::mousePressEvent(QMouseEvent *event)
{
    if (pressedOnItself(this, event))
        dragWindow(this, event->button());
    event->accept();
}

bool OptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_band || watched == m_page || watched == m_frame)) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (pressedOnItself(static_cast<QWidget *>(watched), press))
            dragWindow(this, press->button());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qr
