#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace qr {

class PlayerSettings;
class Session;

// The options dialog: the eight switches of the player, read from the store
// when it opens and written by OK and Apply. Modeless; OK and Cancel close
// and delete it. Its band, page and frame drag it.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(Session &session, const PlayerSettings &settings, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void fitFonts();
    void readSwitches();
    void writeSwitches();

    Session &m_session;
    const PlayerSettings &m_settings;
    QLabel *m_band = nullptr;
    QLabel *m_address = nullptr;
    QWidget *m_page = nullptr;
    QGroupBox *m_frame = nullptr;
    QCheckBox *m_splash = nullptr, *m_windowPositions = nullptr, *m_registerExtensions = nullptr;
    QCheckBox *m_alwaysOnTop = nullptr, *m_autostart = nullptr, *m_rememberPlayer = nullptr;
    QCheckBox *m_scrollTitle = nullptr, *m_resume = nullptr;
    QList<QCheckBox *> m_boxes; // top to bottom
    QPushButton *m_ok = nullptr, *m_cancel = nullptr, *m_apply = nullptr;
};

} // namespace qr
