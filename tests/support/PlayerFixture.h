#pragma once

// A player on the offscreen platform with a fake engine, a temporary store,
// and the message boxes and open dialogs answered by the test.
#include "core/Player.h"
#include "panel/remote.h"
#include "desktop/MessageBox.h"
#include "desktop/cdlFunctions.h"
#include "settings/SettingsKeys.h"
#include "settings/registry.h"
#include "tests/support/FakeMediaControl.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempStore.h"

#include <QFile>
#include <QList>
#include <gtest/gtest.h>
#include <memory>

namespace qr::test {

class PlayerFixture : public ::testing::Test {
protected:
    TempStore store;
    FakeMediaControl media;
    QList<MessageBoxRequest> boxes;
    QStringList dialogAnswers; // answered in order; "" = cancel
    QStringList dialogTitles;
    std::unique_ptr<Player> player;
    remote *panel = nullptr;

    void SetUp() override
    {
        SetMessageBoxHandler([this](const MessageBoxRequest &box) { boxes << box; });
        SetOpenDialogHandler([this](const QString &title, const QString &) {
            dialogTitles << title;
            return dialogAnswers.isEmpty() ? QString() : dialogAnswers.takeFirst();
        });
    }
    void TearDown() override
    {
        player.reset();
        SetMessageBoxHandler({});
        SetOpenDialogHandler({});
    }

    void setValue(const QString &name, const QString &text)
    {
        CreateKey(SettingsKey);
        WriteValue(SettingsKey, name, text);
    }
    QString value(const QString &name) { return ReadValue(SettingsKey, name).value_or(QString()); }

    Player &makePlayer(const QStringList &arguments = {})
    {
        player = std::make_unique<Player>(media, arguments);
        return *player;
    }

    // A player whose panel has loaded, as start-up leaves it.
    remote &makePanel()
    {
        makePlayer();
        panel = &player->panel();
        panel->Form_Load();
        return *panel;
    }

    // A file in the engine, as opening leaves it.
    void loadFile(const QString &path = QStringLiteral("/media/clip.avi"))
    {
        media.file = path;
        player->state.CurrentMediaFile = path;
    }

    // A real file in the store's temporary folder.
    QString makeFile(const QString &name)
    {
        const QString path = store.dir() + QLatin1Char('/') + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("data");
        return path;
    }

    // What the fake engine does when a file is put into it: the stream opens.
    void openStream(int width, int height, double duration)
    {
        media.width = width;
        media.height = height;
        media.length = duration;
        Q_EMIT media.StreamOpened();
    }

    QString lastBoxText() const { return boxes.isEmpty() ? QString() : boxes.last().text; }
};

} // namespace qr::test
