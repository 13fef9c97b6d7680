#pragma once

#include <QPixmap>
#include <QPointF>
#include <QWidget>

namespace qr {

// A skin picture: draws one picture of the skin scaled to its size, crisp at
// the screen's pixel ratio, and reports the mouse on it. A press and a
// release on it, the pointer having hardly moved, make a click: of the left
// button a click, of the right one a context click.
class SkinPicture : public QWidget {
    Q_OBJECT
public:
    SkinPicture(const QString &skinName, QWidget *parent);
    QString skinName() const { return m_skin; }

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPointF position);
    void released(Qt::MouseButton button);
    // Every move over it; `buttons` are those held (none while hovering).
    void moved(Qt::MouseButtons buttons, QPointF position);
    void clicked();
    void contextClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QString m_skin;
    QPixmap m_pixmap; // the picture at m_pixmapSize and its pixel ratio, once drawn
    QSize m_pixmapSize;
    bool m_pressed = false;
    QPointF m_pressedAt; // on the screen
};

// A transparent line of text over the skin; "&" is shown as it is. A framed
// line marks a pressed or switched-on hot spot.
class SkinLabel : public SkinPicture {
    Q_OBJECT
public:
    explicit SkinLabel(QWidget *parent, const QString &text = QString());

    QString text() const { return m_text; }
    void setText(const QString &text);
    bool framed() const { return m_framed; }
    void setFramed(bool framed);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    bool m_framed = false;
};

// Places a control at a position and size given in twips.
void placeTwips(QWidget *control, double left, double top, double width, double height);

// The skin's text face: Arial 8.25 pt.
QFont skinFont(bool bold = false);

} // namespace qr
