#pragma once

// A session over the fake engine and a temporary store, its message boxes
// collected instead of shown.
#include "session/Session.h"
#include "settings/PlayerSettings.h"
#include "settings/Registry.h"
#include "tests/support/FakeMediaControl.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempStore.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace qr::test {

class SessionFixture : public ::testing::Test {
protected:
    TempStore store;
    FakeMediaControl media;
    PlayerSettings settings;
    std::unique_ptr<Session> session;
    QList<Message> messages;

    void SetUp() override { remake(); }

    // A new session, as a new run of the player has.
    Session &remake()
    {
        session = std::make_unique<Session>(media, settings);
        QObject::connect(session.get(), &Session::messageRequested,
                         [this](const Message &message) { messages << message; });
        return *session;
    }

    void setValue(const QString &name, const QString &text)
    {
        createKey(PlayerSettings::Key);
        writeValue(PlayerSettings::Key, name, text);
    }
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

    // A file opened the way the open dialog opens one; the engine's calls
    // so far are forgotten.
    QString open(const QString &name = QStringLiteral("clip.avi"))
    {
        const QString path = makeFile(name);
        session->openChosenFile(path, QString());
        media.calls.clear();
        return path;
    }

    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last().text; }
};

// The session after a start without a file: the panel loaded, nothing open.
class LoadedSession : public SessionFixture {
protected:
    void SetUp() override { remake().loadPanel(std::nullopt); }
};

} // namespace qr::test
