#pragma once

#include <QDialog>

class QLabel;

namespace qr {

class Session;

// The About window: modeless, the about artwork, the product lines and OK,
// which only closes it.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(Session &session, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    Session &m_session;
    QLabel *m_artwork;
};

} // namespace qr
