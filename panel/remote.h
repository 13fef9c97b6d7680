#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

namespace qr {

class Player;
class SkinPicture;
class SkinLabel;
class simpleProgress;

// The control panel, the player's main window: skinned image buttons that
// light up under the mouse, the status, time and media-information lines,
// the seek bar, and the handlers of every panel command and key.
class remote : public QWidget {
    Q_OBJECT
public:
    explicit remote(Player &player);
    ~remote() override;

    // Controls, by their skin names.
    SkinPicture *background;
    simpleProgress *progress;
    SkinPicture *back, *back_over, *play, *play_over, *pause, *pause_over;
    SkinPicture *stop_button, *stop_over, *forward, *forward_over, *load, *load_over;
    SkinPicture *pbview, *pbview_over, *repeat, *repeat_over, *muted, *muted_over;
    SkinLabel *status, *time, *playbackInfo, *titlebar, *Label6, *Label2;
    SkinLabel *Label1, *Label5, *cmdOptions, *quit, *Label3, *Label4;
    QTimer Timer2;
    QTimer tmrKeepTime;
    int TitleScrollPos = 0;

    // Runs once, when the panel is first shown or loaded.
    void Form_Load();
    bool loaded() const { return m_loaded; }
    // Drops are taken only when the panel registered for them at load.
    bool acceptsDroppedFiles() const { return acceptDrops(); }

    void alloversoff();

    // Transport (play, pause or resume, stop, steps, mute, repeat).
    void play_over_Click();
    void pause_Click();
    void stop_Click();
    void back_over_Click();
    void forward_over_Click();
    void muted_Click();
    void muted_over_Click();
    void repeat_Click();
    void repeat_over_Click();
    void Timer2_Timer();

    // Open a file.
    void load_Click();

    // Panel commands and the shared key table.
    void Form_KeyDown(int keyCode, int shift);
    void FullScreenSwitch();
    void Label1_Click();
    void Label2_Click();
    void cmdOptions_Click();
    void pbview_Click();
    void pbview_over_Click();
    void Label5_Click();
    void RestoreFromTray();
    void quit_Click();

    // The 500 ms clock.
    void tmrKeepTime_Timer();

    // Seek bar.
    void progress_MouseDown(int button, int shift, double x, double y);
    void progress_MouseMove(int button, int shift, double x, double y);

    // Opens the first file of a drop.
    void OpenDroppedPaths(const QStringList &paths);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    void connectControls();
    void hoverButton(SkinPicture *normal, SkinPicture *lit);
    void hoverLit(SkinPicture *lit, std::initializer_list<SkinPicture *> neighbours, const QString &hint);
    void backgroundMove();
    void StepBack();
    void StepForward();
    bool fileLoaded() const;
    void Form_Unload();

    Player &p;
    bool m_loaded = false;
};

} // namespace qr
