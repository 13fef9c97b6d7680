#pragma once

#include <QVariantMap>
#include <QWidget>

namespace qr {

// A colour as the saved properties hold it: 0x00BBGGRR, or 0x800000nn for
// the system colour nn (0x0F button face, 0x05 window, 0x08 window text ...).
QColor OleColorToQColor(quint32 ole);

// The picture box the bar is drawn on. It keeps what was drawn last (the
// bar's width in twips and its colour) so that painting is cheap and only
// RedrawBar changes the picture.
class simpleProgressPicture : public QWidget {
    Q_OBJECT
public:
    explicit simpleProgressPicture(QWidget *parent = nullptr);

    quint32 background() const { return m_background; }
    void setBackground(quint32 ole); // clears the picture, as a new background does
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    // The drawing area inside the border, in twips.
    double scaleWidth() const;
    double scaleHeight() const;

    void clear();
    void fillBar(double widthTwips, quint32 ole);
    double drawnBarTwips() const { return m_barTwips; } // 0 when only the background shows

signals:
    void pressed(int button, int shift, double x, double y);
    void moved(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    int inset() const { return m_borderStyle == 1 ? 1 : 0; }

    quint32 m_background = 0;
    int m_borderStyle = 0;
    double m_barTwips = 0; // 0: background only
    quint32 m_barColor = 0;
};

// The seek bar: draws Value / max of its width and reports the mouse on it
// in twips from the picture's top-left corner.
class simpleProgress : public QWidget {
    Q_OBJECT
public:
    static constexpr quint32 DefaultBackColor = 0x8000000F; // system button face
    static constexpr quint32 DefaultBarColor = 0;
    static constexpr qint64 DefaultMax = 100;

    explicit simpleProgress(QWidget *parent = nullptr);

    simpleProgressPicture *Picture1 = nullptr;

    qint64 Value() const { return m_value; }
    void setValue(qint64 v); // clamped to 0..max, then redrawn
    qint64 max() const { return m_max; }
    void setMax(qint64 m); // shows at the next Value write
    quint32 BarColor() const { return m_barColor; }
    void setBarColor(quint32 ole);
    quint32 BackColor() const { return Picture1->background(); }
    void setBackColor(quint32 ole);
    int border() const { return m_border; }
    void setBorder(int style); // 0 none, 1 fixed single; anything else re-applies the current one

    void RedrawBar();

    // Saved properties under "BackColor", "BarColor", "max", "Value",
    // "border"; values equal to their defaults are not stored. Loading applies
    // the background at once and stores the rest for the next redraw.
    void ReadProperties(const QVariantMap &bag);
    QVariantMap WriteProperties() const;

signals:
    // button: 1 left, 2 right, 4 middle (for MouseMove the buttons held);
    // shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    qint64 m_value = 0;
    qint64 m_max = DefaultMax;
    quint32 m_barColor = DefaultBarColor;
    int m_border = 0;
};

} // namespace qr
