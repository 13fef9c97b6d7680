#pragma once

#include <QWidget>

namespace qr {

// Mouse arguments as the handlers see them: button 1 left, 2 right,
// 4 middle (for moves: the buttons held); shift 1 Shift, 2 Ctrl, 4 Alt;
// x and y in twips from the control's top-left corner.

// A skin picture: draws one skin image scaled to its size, crisp at the
// screen's pixel ratio.
class SkinPicture : public QWidget {
    Q_OBJECT
public:
    SkinPicture(const QString &skinName, QWidget *parent);
    QString skinName() const { return m_skin; }

Q_SIGNALS:
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QString m_skin;
    bool m_pressed = false;
};

// A transparent text line over the skin; "&" is shown as it is. Reports the
// mouse like the skin pictures.
class SkinLabel : public SkinPicture {
    Q_OBJECT
public:
    explicit SkinLabel(QWidget *parent, const QString &text = QString());

    QString text() const { return m_text; }
    void setText(const QString &text);
    void clear() { setText(QString()); }

    // 0 none, 1 a single-line border (marks a pressed or switched-on hot spot).
    int borderStyle() const { return m_border; }
    void setBorderStyle(int style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    int m_border = 0;
};

// Places a control at a position and size given in twips.
void PlaceTwips(QWidget *control, double left, double top, double width, double height);

} // namespace qr
