#pragma once

#include <QWidget>
#include <functional>

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

    // The two prompts of "Custom..."; tests answer them instead of a user.
    using Prompt = std::function<QString(const QString &text, const QString &title, const QString &proposed)>;
    void setPrompt(Prompt prompt) { m_prompt = std::move(prompt); }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int index);
    void askForCustomSize();
    void dock();

    Session &m_session;
    QComboBox *m_choices;
    Prompt m_prompt;
};

} // namespace qr
