#include "settings/frmOptions.h"

#include "core/AppState.h"
#include "desktop/Twips.h"
#include "desktop/windowpos.h"
#include "settings/SettingsKeys.h"
#include "settings/registry.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace qr {

namespace {

// The dialog's own size and the title band's, in twips.
constexpr double kClientWidth = 4245;
constexpr double kClientHeight = 4335;
constexpr double kBandWidth = 4335;
constexpr double kBandHeight = 1215;

constexpr double kTitlePoints = 48;
constexpr double kBodyPoints = 8;
// Below this a caption is no longer worth reading; it is clipped instead.
constexpr double kSmallestBodyPoints = 6;

struct CheckRow {
    QCheckBox *frmOptions::*box;
    const char *name;
    double top;
    double height;
    const char *caption;
    const char *toolTip; // nullptr: none
    bool checked;        // as designed, before the store is read
};

// The seven boxes of fraConfig, top to bottom.
const CheckRow kCheckRows[] = {
    {&frmOptions::chkSplash, "chkSplash", 285, 255, "Show splashscreen on load",
     "Enable/disable the annoying splash-screen", true},
    {&frmOptions::chkWindowPos, "chkWindowPos", 480, 255, "Remember window position (not size)",
     "Remember where you left the player windows", false},
    {&frmOptions::chkExts, "chkExts", 720, 255, "Always register extensions on load",
     "Register default extensions (*.avi, *.mpg and *.asf) each time the player starts", false},
    {&frmOptions::chkOnTop, "chkOnTop", 960, 255, "Always on top", nullptr, false},
    {&frmOptions::chkAutostart, "chkAutostart", 1200, 255, "Autostart playback",
     "When opening a file, playback automatically starts", false},
    {&frmOptions::chkPlayer, "chkPlayer", 1440, 255, "Remember player settings (mute, repeat, zoom)", nullptr,
     false},
    {&frmOptions::chkscroll, "chkscroll", 1680, 285, "Scroll Movie Title if Too Long (more cpu)", nullptr,
     false},
};

// Places a control by its design geometry in twips.
void place(QWidget *control, double left, double top, double width, double height)
{
    control->setGeometry(PixelsX(left), PixelsY(top), PixelsX(width), PixelsY(height));
}

template <typename Control>
Control *makeControl(const char *name, QWidget *parent)
{
    auto *control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QPushButton *makeButton(const char *name, const QString &caption, double left, QWidget *parent)
{
    auto *button = makeControl<QPushButton>(name, parent);
    button->setText(caption);
    place(button, left, 3840, 1095, 375);
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

frmOptions::frmOptions(AppState &state, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_state(state)
{
    setObjectName(QStringLiteral("frmOptions"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(PixelsX(kClientWidth), PixelsY(kClientHeight));

    buildControls();
    fitFonts();
    Form_Load();
}

void frmOptions::buildControls()
{
    Label1 = makeControl<QLabel>("Label1", this);
    Label1->setText(QStringLiteral("Settings"));
    Label1->setTextFormat(Qt::PlainText);
    place(Label1, 0, 0, kBandWidth, kBandHeight);
    // The band ends past the dialog's right edge; keep the title inside what shows.
    Label1->setContentsMargins(PixelsX(90), 0, PixelsX(60) + PixelsX(kBandWidth - kClientWidth), 0);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Label1->setAutoFillBackground(true);
    QLinearGradient band(0, 0, 1, 0);
    band.setCoordinateMode(QGradient::ObjectMode);
    band.setColorAt(0, QColor(0x0a, 0x24, 0x6a));
    band.setColorAt(1, QColor(0x3a, 0x6e, 0xa5));
    QPalette bandColours = Label1->palette();
    bandColours.setBrush(QPalette::Window, band);
    bandColours.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(bandColours);

    picOptions = makeControl<QFrame>("picOptions", this);
    place(picOptions, 0, 1320, 4245, 2415);

    fraConfig = makeControl<QGroupBox>("fraConfig", picOptions);
    fraConfig->setTitle(QStringLiteral(" Settings for the player "));
    place(fraConfig, 105, 30, 4095, 2145);

    // Each box runs from its design left to the frame's inner edge; the
    // design gives no width.
    const int boxLeft = PixelsX(240);
    const int boxWidth = fraConfig->contentsRect().right() + 1 - boxLeft;
    for (const CheckRow &row : kCheckRows) {
        QCheckBox *box = makeControl<QCheckBox>(row.name, fraConfig);
        box->setText(QString::fromLatin1(row.caption));
        if (row.toolTip)
            box->setToolTip(QString::fromLatin1(row.toolTip));
        box->setGeometry(boxLeft, PixelsY(row.top), boxWidth, PixelsY(row.height));
        box->setChecked(row.checked);
        connect(box, &QCheckBox::toggled, this, &frmOptions::chk_Click);
        this->*row.box = box;
    }

    Label2 = makeControl<QLabel>("Label2", this);
    Label2->setText(QStringLiteral("www.tarvell.example"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(Label2, 2400, 0, 1800, 240);
    QPalette addressColours = Label2->palette();
    addressColours.setColor(QPalette::WindowText, QColor(0xd4, 0xdc, 0xe8));
    Label2->setPalette(addressColours);

    cmdOK = makeButton("cmdOK", QStringLiteral("OK"), 690, this);
    cmdCancel = makeButton("cmdCancel", QStringLiteral("Cancel"), 1920, this);
    cmdApply = makeButton("cmdApply", QStringLiteral("Apply"), 3120, this);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);

    for (QWidget *dragArea : {static_cast<QWidget *>(Label1), static_cast<QWidget *>(picOptions),
                              static_cast<QWidget *>(fraConfig)})
        dragArea->installEventFilter(this);
}

// The design's 8-point captions and 48-point title were set in narrower
// faces than the desktop's sans; a semi-condensed cut at the largest size that
// fits keeps every text whole.
void frmOptions::fitFonts()
{
    QFont body = font();
    body.setStretch(QFont::SemiCondensed);
    for (double points = kBodyPoints;; points -= 0.25) {
        body.setPointSizeF(points);
        setFont(body);
        bool fits = textFits(Label2, Label2->text()) && textFits(fraConfig, fraConfig->title(), PixelsX(240));
        for (const QPushButton *button : {cmdOK, cmdCancel, cmdApply})
            fits = fits && textFits(button, button->text(), PixelsX(90));
        for (const CheckRow &row : kCheckRows)
            fits = fits && (this->*row.box)->sizeHint().width() <= (this->*row.box)->width();
        if (fits || points <= kSmallestBodyPoints)
            break;
    }

    QFont title = body;
    title.setBold(true);
    for (double points = kTitlePoints;; points -= 1) {
        title.setPointSizeF(points);
        const QFontMetrics metrics(title);
        const QRect room = Label1->contentsRect();
        if ((metrics.horizontalAdvance(Label1->text()) <= room.width() &&
             metrics.ascent() + metrics.descent() <= room.height()) ||
            points <= kTitlePoints / 2)
            break;
    }
    Label1->setFont(title);
}

void frmOptions::Form_Load()
{
    cmdApply->setEnabled(false);
    m_state.DialogOpen = true;

    if (const QScreen *display = screen()) {
        const QRect area = display->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }

    CreateKey(SettingsKey);
    readRegistry();
    SetWindowOnTop(this, true, m_state.OnTopEnabled);
    // Reading the store toggled boxes, and each toggle enables Apply.
    cmdApply->setEnabled(false);

    // Opened by the panel, the dialog takes the focus as any shown window would.
    activateWindow();
}

void frmOptions::readRegistry()
{
    if (!RegValueIs(SettingsKey, kSplash, kYes))
        chkSplash->setChecked(false);
    if (RegValueIs(SettingsKey, kRegistext, kYes))
        chkExts->setChecked(true);
    if (RegValueIs(SettingsKey, kWindowpos, kYes))
        chkWindowPos->setChecked(true);
    if (RegValueIs(SettingsKey, kAutostart, kYes))
        chkAutostart->setChecked(true);
    if (RegValueIs(SettingsKey, kOntop, kYes))
        chkOnTop->setChecked(true);
    if (RegValueIs(SettingsKey, kRememberPlayer, kYes))
        chkPlayer->setChecked(true);
    if (RegValueIs(SettingsKey, kScrollTitle, kYes))
        chkscroll->setChecked(true);
}

void frmOptions::updateRegistry()
{
    const auto yesNo = [](const QCheckBox *box) { return box->isChecked() ? kYes : kNo; };
    WriteValue(SettingsKey, kSplash, yesNo(chkSplash));
    WriteValue(SettingsKey, kRegistext, yesNo(chkExts));
    WriteValue(SettingsKey, kWindowpos, yesNo(chkWindowPos));
    WriteValue(SettingsKey, kAutostart, yesNo(chkAutostart));
    WriteValue(SettingsKey, kOntop, yesNo(chkOnTop));
    WriteValue(SettingsKey, kRememberPlayer, yesNo(chkPlayer));
    WriteValue(SettingsKey, kScrollTitle, yesNo(chkscroll));
    m_state.ScrollTitleEnabled = chkscroll->isChecked();
}

void frmOptions::cmdOK_Click()
{
    updateRegistry();
    m_state.DialogOpen = false;
    close();
}

void frmOptions::cmdCancel_Click() { close(); }

void frmOptions::cmdApply_Click()
{
    updateRegistry();
    cmdApply->setEnabled(false);
}

void frmOptions::chk_Click() { cmdApply->setEnabled(true); }

void frmOptions::mousePressEvent(QMouseEvent *event)
{
    if (pressedOnItself(this, event))
        DragWindow(this);
    event->accept();
}

bool frmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == Label1 || watched == picOptions || watched == fraConfig)) {
        if (pressedOnItself(static_cast<QWidget *>(watched), static_cast<QMouseEvent *>(event)))
            DragWindow(this);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qr
