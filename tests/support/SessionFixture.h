#pragma once

// A session over the fake engine, a fake desktop and a temporary store, as
// a run started without a file has it; its message boxes, failed saves and
// top-most requests collected.
#include "session/Session.h"
#include "settings/Registry.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/FakeMediaControl.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempStore.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace qr::test {

using Band = QList<std::pair<PlayerWindow, bool>>;

class SessionFixture : public ::testing::Test {
protected:
    TempStore store;
    FakeMediaControl media;
    FakeDesktop desktop;
    PlayerSettings settings;
    std::unique_ptr<Session> session;
    QList<Message> messages;
    QStringList failedSaves;
    Band topMost;

    SessionFixture() { restart(); }

    // A new session, as a new run of the player has, and one started
    // without a file.
    Session &remake()
    {
        messages.clear();
        failedSaves.clear();
        topMost.clear();
        session = std::make_unique<Session>(media, settings, desktop);
        QObject::connect(session.get(), &Session::messageRequested,
                         [this](const Message &m) { messages << m; });
        QObject::connect(session.get(), &Session::saveFailed, [this](const QString &l) { failedSaves << l; });
        QObject::connect(&session->windows(), &WindowStates::topMostRequested,
                         [this](PlayerWindow window, bool onTop) {
                             topMost << std::pair{window, onTop};
                         });
        return *session;
    }
    Session &restart()
    {
        remake().loadPanel({});
        return *session;
    }

    void setValues(const QList<std::pair<QString, QString>> &values)
    {
        EXPECT_FALSE(createKey(PlayerSettings::Key));
        for (const auto &[name, text] : values)
            EXPECT_FALSE(writeValue(PlayerSettings::Key, name, text)) << name.toStdString();
    }
    void setValue(const QString &name, const QString &text) { setValues({{name, text}}); }
    QString value(const QString &name) const
    {
        return readValue(PlayerSettings::Key, name).valueOr(QStringLiteral("<none>"));
    }

    // A real file in the store's temporary folder.
    QString makeFile(const QString &name, const QByteArray &bytes = "data")
    {
        const QString path = store.dir() + QLatin1Char('/') + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }
    // A file opened as the desktop's media controls open one; the engine's
    // calls so far are forgotten.
    QString open(const QString &name = QStringLiteral("clip.avi"))
    {
        const QString path = makeFile(name);
        session->openFile(path);
        media.calls.clear();
        return path;
    }

    const PanelLines &lines() const { return session->lines(); }
    const WindowStates &windows() const { return session->windows(); }
    bool shown(PlayerWindow window) const { return session->windows().isShown(window); }
};

} // namespace qr::test
