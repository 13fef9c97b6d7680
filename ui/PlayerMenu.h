#pragma once

#include <QMenu>

namespace qr {

class Session;

// The one menu for everything the skin has no button for, opened by a
// right click on the panel or the picture, and by the Menu key or
// Shift+F10 in any of the player's windows. Built anew from the
// session each time it opens: what cannot act is disabled, what is on is
// checked. Each item runs the session's command, as its key does.
class PlayerMenu : public QMenu {
    Q_OBJECT
public:
    explicit PlayerMenu(Session &session, QWidget *parent = nullptr);

    // Fills the menu from the session's state; also run as it opens.
    void rebuild();

private:
    QAction *item(QMenu *menu, const QString &text, const QString &keys, bool enabled,
                  std::function<void()> command);
    void addTracks(QMenu *menu);
    void addSubtitles(QMenu *menu);

    Session &m_session;
};

} // namespace qr
