#pragma once

#include <QObject>
#include <QString>

namespace qr {

// What the status line says with no file loaded.
inline const QString NoMediaStatus = QStringLiteral("No media loaded..");

// What the panel's three lines and its seek bar show. The status line shows
// a hint or a passing state for a while and then returns to the status
// text; a long title may scroll through it instead.
class PanelLines : public QObject {
    Q_OBJECT
public:
    // The status line as it shows now, and the text it returns to.
    QString status() const { return m_status; }
    QString statusText() const { return m_statusText; }
    // The text to return to, shown at once.
    void setStatus(const QString &text);
    // The text to return to, shown when the line next returns to it.
    void setStatusText(const QString &text) { m_statusText = text; }
    // Shown until the line returns to its status text: hints, "Seeking"...
    void showHint(const QString &text);
    void returnToStatusText();
    // One tick of the scrolling title, which becomes the text to return to;
    // a title of 20 characters or fewer does not scroll.
    void scrollTitle(const QString &title);

    QString timeText() const { return m_time; }
    void setTimeText(const QString &text);
    QString mediaInfo() const { return m_mediaInfo; }
    void setMediaInfo(const QString &text);

    // The seek bar keeps its value within 0..maximum; a new maximum shows
    // with the next value.
    qint64 seekValue() const { return m_seekValue; }
    qint64 seekMaximum() const { return m_seekMaximum; }
    void setSeekValue(qint64 value);
    void setSeekMaximum(qint64 maximum) { m_seekMaximum = maximum; }

Q_SIGNALS:
    void statusChanged(const QString &text);
    void timeTextChanged(const QString &text);
    void mediaInfoChanged(const QString &text);
    void seekBarChanged(qint64 value, qint64 maximum);

private:
    QString m_status;
    QString m_statusText;
    int m_scrollPosition = 0;
    QString m_time;
    QString m_mediaInfo;
    qint64 m_seekValue = 0;
    qint64 m_seekMaximum = 100;
};

} // namespace qr
