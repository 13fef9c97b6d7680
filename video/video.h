#pragma once

#include <QRectF>
#include <QWidget>

class QLabel;

namespace qr {

class Player;
class SkinPicture;

// The borderless, skinned window that holds the picture (`videobox`, the
// engine's view): dragged by its top edge, resized by its grip, sized to the
// picture when a stream opens.
class video : public QWidget {
    Q_OBJECT
public:
    explicit video(Player &player);
    // Runs once the player holds the window: the loaded size, the hidden picture.
    void Form_Load();

    QWidget *videobox;
    SkinPicture *topedge[3];
    SkinPicture *sizer;
    QLabel *subsfile; // path of the subtitle file in use; never shown
    bool GripPressed = false;

    // Where `videobox` sits, in twips; FitVideoToWindow and resizeVid set it.
    QRectF videoboxTwips() const { return m_box; }
    void setVideoboxTwips(const QRectF &box);

    // Window size in twips.
    double widthTwips() const;
    double heightTwips() const;
    void setSizeTwips(double width, double height);
    double topEdgeHeight() const { return 105; }
    double sizerSize() const { return 195; }

    // The engine's notifications.
    void StreamOpened();
    void EndOfMedia();
    void PictureMouseDown(int button, int shift, double x, double y);
    void DurationChange();
    void DisplayModeChange();
    void StreamClosed();
    void EngineError(int code, const QString &description);

    void sizer_MouseDown();
    void sizer_MouseMove(int button, double x, double y);
    void sizer_MouseUp(int button);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void layoutSkin();

    Player &p;
    QRectF m_box;
};

} // namespace qr
