#pragma once

#include <QColor>
#include <QWidget>

namespace qr {

// The seek bar: a bar filled to value / maximum of its width, and the mouse
// on it reported in twips from its left edge.
class SeekBar : public QWidget {
    Q_OBJECT
public:
    explicit SeekBar(QWidget *parent = nullptr);

    void setColors(const QColor &background, const QColor &bar);
    // Redraws at value / maximum; a maximum of 0 leaves the bar as it is.
    void setPosition(qint64 value, qint64 maximum);
    // The filled width in twips, rounded halves to the even neighbour.
    double filledTwips() const { return m_filledTwips; }

Q_SIGNALS:
    void pressed(Qt::MouseButtons buttons, double x);
    // Every move over the bar, x in twips (past either end while dragged).
    void moved(Qt::MouseButtons buttons, double x);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    double filledWidth(double filledTwips) const; // in pixels, within the bar

    QColor m_background{0xE0, 0xE0, 0xE0};
    QColor m_bar{0x80, 0x80, 0x80};
    double m_filledTwips = 0;
};

} // namespace qr
