#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace qr {

// The splash window: the splash artwork with the version labels, closing
// itself two seconds after it was created or when clicked. It knows nothing
// of the panel: whoever creates it shows the panel on closedToPanel().
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr; // "Version 1.0"
    QLabel *Label2 = nullptr; // the platform line
    QLabel *vernfo = nullptr; // "v" + the program's own version, flush right
    QTimer *tmrHide = nullptr; // 2000 ms, single shot, running from creation

signals:
    // The splash has closed through its timer or a click: show the panel.
    // Emitted at most once per window.
    void closedToPanel();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void tmrHide_Timer();
    void Form_Click();
    void closeToPanel();

    bool m_finished = false;
};

} // namespace qr
