#pragma once

#include <QWidget>

class QComboBox;

namespace qr {

class Session;

// The zoom strip, docked to the panel's left side, as high as the panel:
// halving, doubling, full screen, standard, the picture's own and a custom
// size for the video window.
class ZoomStrip : public QWidget {
    Q_OBJECT
public:
    ZoomStrip(Session &session, int panelHeight, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();
    void dock();

    Session &m_session;
    QComboBox *m_choices;
};

} // namespace qr
