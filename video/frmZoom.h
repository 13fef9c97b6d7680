#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;

namespace qr {

class Player;
class SkinPicture;

// The zoom strip docked to the panel's left: halving, doubling, full
// screen, standard, native and custom picture sizes.
class frmZoom : public QWidget {
    Q_OBJECT
public:
    explicit frmZoom(Player &player);

    QWidget *zoom;
    SkinPicture *zbgTOP, *zbgMID, *zbgBOT;
    QLabel *Label1;
    QComboBox *cboZoomOpt;

    // Sizes the video window for a picture of width x height twips.
    void resizeVid(double height, double width);
    // The choice made in cboZoomOpt.
    void cboZoomOpt_Click();

    // The two prompts of "Custom..."; tests replace them.
    using Prompt = std::function<QString(const QString &text, const QString &title, const QString &proposed)>;
    void setPrompt(Prompt prompt) { m_prompt = std::move(prompt); }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void customSize();
    Player &p;
    Prompt m_prompt;
};

} // namespace qr
