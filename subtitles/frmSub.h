#pragma once

#include <QWidget>

class QLabel;

namespace qr {

// The subtitle window: borderless, black, one centred white label. It is
// never put into the top-most band. Closing it only hides it, so the clock
// tick can show it again; the label is emptied then.
class frmSub : public QWidget {
    Q_OBJECT
public:
    explicit frmSub(QWidget *parent = nullptr);

    QLabel *subtitles = nullptr;

signals:
    // Every key press, as a virtual-key code and shift bits (1 Shift, 2 Ctrl,
    // 4 Alt), for the panel's key handler.
    void KeyDown(int keyCode, int shift);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};

} // namespace qr
