#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace qr {

// The About window: modeless, the about artwork, the product lines and OK.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    QLabel *Picture1 = nullptr; // the about artwork
    QLabel *Label1 = nullptr; // product name
    QLabel *Label2 = nullptr; // version line
    QLabel *Label4 = nullptr; // description
    QLabel *Label5 = nullptr; // maker
    QLabel *Label3 = nullptr; // maker's support address
    QPushButton *cmdOK = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cmdOK_Click();
};

} // namespace qr
