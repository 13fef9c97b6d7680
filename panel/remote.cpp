#include "panel/remote.h"

#include "core/Player.h"
#include "core/errortrap.h"
#include "core/media/MediaControl.h"
#include "core/playback.h"
#include "core/playbackcontrols.h"
#include "desktop/Twips.h"
#include "desktop/tray.h"
#include "desktop/windowpos.h"
#include "panel/SkinWidgets.h"
#include "panel/seekbar/simpleProgress.h"
#include "settings/SettingsKeys.h"
#include "settings/registry.h"
#include "skins/Skin.h"
#include "video/video.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

namespace qr {

namespace {
QFont labelFont(bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}
} // namespace

remote::remote(Player &player) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), p(player)
{
    setWindowTitle(QStringLiteral("Quilvane Ryn"));
    setWindowIcon(ProgramIcon());
    setFixedSize(PixelsX(4110), PixelsY(1695));
    move(PixelsX(3000), PixelsY(1440));
    createControls();
    connectControls();

    Timer2.setInterval(500);
    tmrKeepTime.setInterval(500);
    connect(&Timer2, &QTimer::timeout, this, &remote::Timer2_Timer);
    connect(&tmrKeepTime, &QTimer::timeout, this, &remote::tmrKeepTime_Timer);
    Timer2.start();
    tmrKeepTime.start();
}

remote::~remote() = default;

void remote::createControls()
{
    // Label3 and Label4 lie on the window surface beneath the skin, so they
    // never see the mouse.
    Label3 = new SkinLabel(this);
    PlaceTwips(Label3, 0, 0, 135, 135);
    Label4 = new SkinLabel(this);
    PlaceTwips(Label4, 0, 0, 705, 405);
    Label4->setToolTip(QStringLiteral("Always On Top"));

    background = new SkinPicture(QStringLiteral("background"), this);
    PlaceTwips(background, 0, 0, 4125, 1740);

    progress = new simpleProgress(background);
    PlaceTwips(progress, 120, 1080, 3870, 80);
    progress->setBackColor(0xE0E0E0);
    progress->setBarColor(0x808080);

    auto picture = [this](const QString &skin, double left, double top, double width, double height,
                          bool visible, const QString &tip = QString()) {
        auto *control = new SkinPicture(skin, background);
        PlaceTwips(control, left, top, width, height);
        control->setVisible(visible);
        control->setToolTip(tip);
        return control;
    };
    back = picture(QStringLiteral("back"), 250, 1290, 315, 240, true, QStringLiteral("Prev Track"));
    back_over = picture(QStringLiteral("back_over"), 250, 1290, 315, 240, false);
    play = picture(QStringLiteral("play"), 590, 1290, 330, 240, true, QStringLiteral("Play"));
    play_over = picture(QStringLiteral("play_over"), 590, 1290, 330, 240, false);
    pause = picture(QStringLiteral("pause"), 930, 1290, 330, 240, true, QStringLiteral("Pause"));
    pause_over = picture(QStringLiteral("pause_over"), 930, 1290, 330, 240, false);
    stop_button = picture(QStringLiteral("stop"), 1270, 1290, 330, 240, true, QStringLiteral("Stop"));
    stop_over = picture(QStringLiteral("stop_over"), 1270, 1290, 330, 240, false);
    forward = picture(QStringLiteral("forward"), 1620, 1290, 315, 240, true, QStringLiteral("Next Track"));
    forward_over = picture(QStringLiteral("forward_over"), 1620, 1290, 315, 240, true);
    load = picture(QStringLiteral("load"), 1970, 1290, 300, 240, true);
    load_over = picture(QStringLiteral("load_over"), 1970, 1295, 300, 240, false);
    pbview = picture(QStringLiteral("pbview"), 3195, 1320, 240, 240, true);
    pbview_over = picture(QStringLiteral("pbview_over"), 3195, 1320, 240, 240, false, QStringLiteral("Zoom"));
    repeat = picture(QStringLiteral("repeat"), 3450, 1320, 240, 240, true);
    repeat_over = picture(QStringLiteral("repeat_over"), 3450, 1320, 240, 240, false);
    muted = picture(QStringLiteral("muted"), 3720, 1320, 240, 240, true);
    muted_over = picture(QStringLiteral("muted_over"), 3720, 1320, 240, 240, false);

    auto label = [this](double left, double top, double width, double height, const QString &text = QString()) {
        auto *control = new SkinLabel(background, text);
        PlaceTwips(control, left, top, width, height);
        control->setFont(labelFont());
        return control;
    };
    status = label(240, 320, 2400, 225);
    time = label(240, 525, 2400, 225);
    playbackInfo = label(240, 740, 2400, 225);
    titlebar = label(1680, 0, 930, 210, QStringLiteral("Tarvell"));
    titlebar->setFont(labelFont(true));
    QPalette credit = titlebar->palette();
    credit.setColor(QPalette::WindowText, QColor(0, 0, 128));
    titlebar->setPalette(credit);
    Label6 = label(3360, 720, 615, 255, QStringLiteral("Ver 1.0"));
    Label2 = label(2880, 300, 1095, 255, QStringLiteral("Quilvane info"));
    for (SkinLabel *l : {status, time, playbackInfo, Label6, Label2}) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(pal);
    }

    Label1 = label(3435, 45, 135, 135);
    Label1->setToolTip(QStringLiteral("Always On Top"));
    Label5 = label(3585, 45, 150, 135);
    Label5->setToolTip(QStringLiteral("Minimise to Tray"));
    cmdOptions = label(3750, 60, 135, 135);
    cmdOptions->setToolTip(QStringLiteral("Options"));
    quit = label(3895, 30, 135, 135);
    quit->setToolTip(QStringLiteral("Quit"));
}

void remote::connectControls()
{
    // Lighting: a normal image lights its partner, a lit image hides its
    // neighbours and shows its hint.
    hoverButton(back, back_over);
    hoverButton(play, play_over);
    hoverButton(pause, pause_over);
    hoverButton(stop_button, stop_over);
    hoverButton(forward, forward_over);
    connect(load, &SkinPicture::MouseMove, this, [this] { load_over->show(); });
    hoverLit(back_over, {play_over}, QStringLiteral("Seek backwards.."));
    hoverLit(play_over, {back_over, pause_over}, QStringLiteral("Play media.."));
    hoverLit(pause_over, {play_over, stop_over}, QStringLiteral("Pause playback.."));
    hoverLit(stop_over, {pause_over, forward_over}, QStringLiteral("Stop playback.."));
    hoverLit(forward_over, {stop_over}, QStringLiteral("Seek forward.."));
    connect(load_over, &SkinPicture::MouseMove, this,
            [this] { status->setText(QStringLiteral("Open media for playback..")); });

    const std::pair<SkinPicture *, QString> hints[] = {
        {muted, QStringLiteral("Mute On")},
        {muted_over, QStringLiteral("Mute off")},
        {repeat, QStringLiteral("Repeat On")},
        {repeat_over, QStringLiteral("Repeat Off")},
        {pbview, QStringLiteral("Show zoom options..")},
        {pbview_over, QStringLiteral("Hide zoom options..")},
        {Label1, QStringLiteral("Toggle Ontop On/off..")},
        {Label2, QStringLiteral("About..")},
        {Label5, QStringLiteral("Minimise Panel to System Tray")},
        {cmdOptions, QStringLiteral("Configure player settings..")},
        {quit, QStringLiteral("Exit..")},
    };
    for (const auto &[control, hint] : hints) {
        const QString text = hint;
        connect(control, &SkinPicture::MouseMove, this, [this, text] { status->setText(text); });
    }

    // The skin and the three text lines restore the status and drag the window.
    connect(background, &SkinPicture::MouseMove, this, &remote::backgroundMove);
    connect(background, &SkinPicture::MouseDown, this, [this] { DragWindow(this); });
    for (SkinLabel *line : {status, time, playbackInfo}) {
        connect(line, &SkinLabel::MouseMove, this, &remote::backgroundMove);
        connect(line, &SkinLabel::MouseDown, this, [this] { DragWindow(this); });
    }
    for (SkinLabel *surface : {titlebar, Label3})
        connect(surface, &SkinLabel::MouseDown, this, [this] { DragWindow(this); });

    // Press feedback of the small hot spots.
    for (SkinLabel *spot : {cmdOptions, quit, Label5}) {
        connect(spot, &SkinLabel::MouseDown, spot, [spot] { spot->setBorderStyle(1); });
        connect(spot, &SkinLabel::MouseUp, spot, [spot] { spot->setBorderStyle(0); });
    }

    connect(back_over, &SkinPicture::MouseDown, this, &remote::StepBack);
    connect(back_over, &SkinPicture::Click, this, &remote::back_over_Click);
    connect(play_over, &SkinPicture::Click, this, &remote::play_over_Click);
    connect(pause_over, &SkinPicture::Click, this, &remote::pause_Click);
    connect(pause, &SkinPicture::Click, this, &remote::pause_Click);
    connect(stop_over, &SkinPicture::Click, this, &remote::stop_Click);
    connect(forward_over, &SkinPicture::MouseDown, this, &remote::StepForward);
    connect(forward_over, &SkinPicture::Click, this, &remote::forward_over_Click);
    connect(load_over, &SkinPicture::Click, this, &remote::load_Click);
    connect(load, &SkinPicture::Click, this, &remote::load_Click);
    connect(muted, &SkinPicture::Click, this, &remote::muted_Click);
    connect(muted_over, &SkinPicture::Click, this, &remote::muted_over_Click);
    connect(repeat, &SkinPicture::Click, this, &remote::repeat_Click);
    connect(repeat_over, &SkinPicture::Click, this, &remote::repeat_over_Click);
    connect(pbview, &SkinPicture::Click, this, &remote::pbview_Click);
    connect(pbview_over, &SkinPicture::Click, this, &remote::pbview_over_Click);
    connect(Label1, &SkinLabel::Click, this, &remote::Label1_Click);
    connect(Label2, &SkinLabel::Click, this, &remote::Label2_Click);
    connect(cmdOptions, &SkinLabel::Click, this, &remote::cmdOptions_Click);
    connect(Label5, &SkinLabel::Click, this, &remote::Label5_Click);
    connect(quit, &SkinLabel::Click, this, &remote::quit_Click);

    connect(progress, &simpleProgress::MouseDown, this, &remote::progress_MouseDown);
    connect(progress, &simpleProgress::MouseMove, this, &remote::progress_MouseMove);
}

bool remote::fileLoaded() const { return !p.media.fileName().isEmpty(); }

void remote::hoverButton(SkinPicture *normal, SkinPicture *lit)
{
    connect(normal, &SkinPicture::MouseMove, this, [this, lit] {
        if (fileLoaded())
            lit->show();
    });
}

void remote::hoverLit(SkinPicture *lit, std::initializer_list<SkinPicture *> neighbours, const QString &hint)
{
    const QList<SkinPicture *> others(neighbours);
    connect(lit, &SkinPicture::MouseMove, this, [this, others, hint] {
        if (!fileLoaded())
            return;
        for (SkinPicture *other : others)
            other->hide();
        status->setText(hint);
    });
}

void remote::alloversoff()
{
    for (SkinPicture *lit : {play_over, stop_over, forward_over, pause_over, load_over, back_over})
        lit->hide();
}

void remote::backgroundMove()
{
    alloversoff();
    // With title scrolling on, the hint stays until the next writer.
    if (status->text() != p.state.StatusText && !p.state.ScrollTitleEnabled)
        status->setText(p.state.StatusText);
}

void remote::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_loaded)
        Form_Load();
}

void remote::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    try {
        Timer2_Timer();
        progress->setValue(0);
        if (RegValueIs(SettingsKey, kOntop, kYes)) {
            SetWindowOnTop(&p.videoWindow(), true, p.state.OnTopEnabled);
            SetWindowOnTop(this, true, p.state.OnTopEnabled);
            status->setText(QStringLiteral("Always on Top Enabled"));
            p.state.OnTopEnabled = true;
            Label1->setBorderStyle(1);
        }
        if (p.hasCommandLine()) {
            p.state.CurrentMediaFile = p.commandLine().trimmed();
            status->setText(QStringLiteral("Loading file.."));
            OpenMediaFile(p, p.state.CurrentMediaFile, QString());
        } else {
            setAcceptDrops(true);
        }
    } catch (const MediaError &e) {
        ReportError(p, QStringLiteral("An error occured while loading program. This may be critical."), e.code(),
                    e.description());
    }
}

void remote::mousePressEvent(QMouseEvent *) { DragWindow(this); }

void remote::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (p.zoomVisible())
        DockZoomToPanel(p);
}

void remote::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void remote::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    event->acceptProposedAction();
    OpenDroppedPaths(paths);
}

void remote::OpenDroppedPaths(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    status->setText(QStringLiteral("Loading file.."));
    const QString path = paths.first().trimmed();
    p.state.CurrentMediaFile = path;
    OpenMediaFile(p, path, QString());
}

void remote::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    QWidget::closeEvent(event);
    // With the panel gone nothing could bring the player back or quit it,
    // so the run ends here (without quit's saving).
    p.CloseWindowsAndExit();
}

void remote::Form_Unload()
{
    p.tray().RemoveTrayIcon();
    if (isMinimized())
        return;
    // The per-user settings file, beside the key store: quilvane-ryn/Quilvane Ryn.ini.
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quilvane-ryn"),
                       QStringLiteral("Quilvane Ryn"));
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("remoteLeft"), QString::number(TwipsX(x())));
    settings.setValue(QStringLiteral("remoteTop"), QString::number(TwipsY(y())));
}

} // namespace qr
