#pragma once

#include <QDialog>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace qr {

struct AppState;

// The options dialog: the seven switches of the player, kept under
// SettingsKey. Constructing it opens it: the load steps run (the key is
// created, the boxes read from the store) and the dialog is shown. OK and
// Cancel close and delete it; it is modeless.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    explicit frmOptions(AppState &state, QWidget *parent = nullptr);

    QLabel *Label1 = nullptr; // title band
    QLabel *Label2 = nullptr; // the maker's web address, over the band
    QFrame *picOptions = nullptr;
    QGroupBox *fraConfig = nullptr;
    QCheckBox *chkSplash = nullptr;
    QCheckBox *chkWindowPos = nullptr;
    QCheckBox *chkExts = nullptr;
    QCheckBox *chkOnTop = nullptr;
    QCheckBox *chkAutostart = nullptr;
    QCheckBox *chkPlayer = nullptr;
    QCheckBox *chkscroll = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;

    // Sets the boxes from the stored switches; a switch not "yes" leaves its
    // box as it is, except chkSplash, which is then cleared.
    void readRegistry();
    // Writes all seven switches ("yes"/"no") and sets ScrollTitleEnabled.
    void updateRegistry();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void fitFonts();
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();
    void chk_Click();

    AppState &m_state;
};

} // namespace qr
