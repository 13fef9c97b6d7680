// The desktop's media controls, called from a second connection. (The common road is the
// end-to-end test's.)
#include "ui/MprisService.h"
#include "tests/support/SessionFixture.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QTest>

namespace qr::test {

// The PropertiesChanged and Seeked signals as they arrive.
class BusLog : public QObject {
    Q_OBJECT
public:
    QList<QVariantMap> changes, rootChanges; // of the player's interface, of the root one
    std::vector<qlonglong> seeks;            // Qt 6.4's QList compares empty lists by memcmp on null

public Q_SLOTS:
    void propertiesChanged(const QDBusMessage &message)
    {
        const bool player = message.arguments().value(0).toString().endsWith(".Player");
        (player ? changes : rootChanges)
            << qdbus_cast<QVariantMap>(message.arguments().value(1).value<QDBusArgument>());
    }
    void seeked(qlonglong position) { seeks.push_back(position); }
};

namespace {

const QString Player = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

class Mpris : public SessionFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service->registerOn(QDBusConnection::sessionBus())) << "run under dbus-run-session";
        const QString name = MprisService::ServiceName, path = MprisService::ObjectPath;
        client.connect(name, path, Properties, "PropertiesChanged", &log,
                       SLOT(propertiesChanged(QDBusMessage)));
        client.connect(name, path, Player, "Seeked", &log, SLOT(seeked(qlonglong)));
    }
    void TearDown() override
    {
        service.reset();
        QDBusConnection::disconnectFromBus(client.name());
    }

    // Waits for the service's answer while it runs on this thread.
    QDBusMessage call(const QString &interface, const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(MprisService::ServiceName,
                                                              MprisService::ObjectPath, interface, method);
        message.setArguments(arguments);
        return client.call(message, QDBus::BlockWithGui);
    }
    QVariant property(const QString &name)
    {
        return call(Properties, "Get", {Player, name}).arguments().value(0).value<QDBusVariant>().variant();
    }
    QVariantMap metadata() { return qdbus_cast<QVariantMap>(property("Metadata").value<QDBusArgument>()); }
    // The first announcement (that names KEY) after the SEEN ones: by default, those before the call.
    QVariantMap announced(const QString &key = {}, qsizetype seen = -1)
    {
        seen = seen < 0 ? log.changes.size() : seen;
        const auto found = [&] {
            for (qsizetype i = seen; i < log.changes.size(); ++i)
                if (key.isEmpty() || log.changes[i].contains(key))
                    return log.changes[i];
            return QVariantMap{};
        };
        return QTest::qWaitFor([&] { return !found().isEmpty(); }, 5000) ? found() : QVariantMap{};
    }

    std::unique_ptr<MprisService> service = std::make_unique<MprisService>(*session);
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "client");
    BusLog log;
};

TEST_F(Mpris, AnnouncesWhatChangesAndOnlyThat)
{
    EXPECT_EQ(property("PlaybackStatus").toString(), "Stopped");
    EXPECT_TRUE(metadata().isEmpty()) << "no track";
    EXPECT_FALSE(property("CanPlay").toBool());

    const QString path = makeFile("clip.avi");
    session->openFile(path);
    QVariantMap changed = announced();
    EXPECT_EQ(changed.keys(), (QStringList{"CanPause", "CanPlay", "Metadata"}));
    EXPECT_FALSE(property("CanSeek").toBool()) << "not before the length is known";

    media.openStream(352, 240, 100);
    changed = announced();
    EXPECT_EQ(changed.keys(), (QStringList{"CanSeek", "Metadata"}));
    const QVariantMap data = metadata();
    EXPECT_EQ(data.value("mpris:trackid").value<QDBusObjectPath>().path(),
              "/example/tarvell/QuilvaneRyn/Track/1");
    EXPECT_EQ(data.value("xesam:title").toString(), "clip.avi");
    EXPECT_EQ(data.value("xesam:url").toString(), QUrl::fromLocalFile(path).toString());
    EXPECT_EQ(data.value("mpris:length").toLongLong(), 100'000'000);

    session->play();
    EXPECT_EQ(announced(), (QVariantMap{{"PlaybackStatus", "Playing"}}));
    session->setVolume(40);
    EXPECT_EQ(announced(), (QVariantMap{{"Volume", 0.4}}));

    open("second.avi");
    EXPECT_EQ(qdbus_cast<QVariantMap>(announced("Metadata").value("Metadata").value<QDBusArgument>())
                  .value("xesam:title"),
              "second.avi");
    EXPECT_EQ(metadata().value("mpris:trackid").value<QDBusObjectPath>().path(),
              "/example/tarvell/QuilvaneRyn/Track/2");
}

// From 50 s of 100.
TEST_F(Mpris, SeeksOnlyWithinTheTrack)
{
    open();
    media.openStream(352, 240, 100);
    const QDBusObjectPath track = metadata().value("mpris:trackid").value<QDBusObjectPath>();
    const QDBusObjectPath otherTrack("/example/tarvell/QuilvaneRyn/Track/9");
    const struct {
        const char *what;
        QString method;
        QVariantList arguments;
        std::optional<double> landsAt;
    } cases[] = {
        {"on", "Seek", {qlonglong(5'000'000)}, 55},
        {"back before the start", "Seek", {qlonglong(-60'000'000)}, 0},
        {"on past the end", "Seek", {qlonglong(60'000'000)}, 100},
        {"to a position", "SetPosition", {QVariant::fromValue(track), qlonglong(10'000'000)}, 10},
        {"to the end", "SetPosition", {QVariant::fromValue(track), qlonglong(100'000'000)}, 100},
        {"past the end", "SetPosition", {QVariant::fromValue(track), qlonglong(100'000'001)}, std::nullopt},
        {"before the start", "SetPosition", {QVariant::fromValue(track), qlonglong(-1)}, std::nullopt},
        {"another track", "SetPosition", {QVariant::fromValue(otherTrack), qlonglong(10)}, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        media.position = 50;
        log.seeks.clear();
        EXPECT_EQ(call(Player, c.method, c.arguments).type(), QDBusMessage::ReplyMessage);
        EXPECT_EQ(media.position, c.landsAt.value_or(50));
        // A seek to 77 s after it: the bus keeps the order, so it comes first when the case announced none.
        call(Player, "SetPosition", {QVariant::fromValue(track), qlonglong(77'000'000)});
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !log.seeks.empty() && log.seeks.back() == 77'000'000; }, 5000));
        log.seeks.pop_back();
        EXPECT_EQ(log.seeks, c.landsAt ? std::vector{qlonglong(*c.landsAt * 1e6)} : std::vector<qlonglong>{});
    }
}

TEST_F(Mpris, VolumeOpenAndRaise)
{
    for (const auto &[asked, percent] : {std::pair{1.5, 100}, {-0.2, 0}, {0.404, 40}}) {
        call(Properties, "Set", {Player, "Volume", QVariant::fromValue(QDBusVariant(asked))});
        EXPECT_EQ(media.volumeLevel, percent) << asked;
        EXPECT_EQ(lines().status(), QString("Volume %1%").arg(percent));
        EXPECT_DOUBLE_EQ(property("Volume").toDouble(), percent / 100.0);
    }

    const QDBusMessage refused = call(Player, "OpenUri", {"http://example.com/clip.avi"});
    EXPECT_EQ(refused.errorName(), "org.freedesktop.DBus.Error.NotSupported");
    call(Player, "OpenUri", {QUrl::fromLocalFile(store.dir() + "/gone.avi").toString()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.isEmpty(); }, 5000)) << "the open dialog's checks";
    EXPECT_EQ(messages[0].title, "Fatal error");
    const QString path = makeFile("clip avi.avi");
    call(Player, "OpenUri", {QUrl::fromLocalFile(path).toString()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return media.file == path; }, 5000)) << "an escaped name";

    QSignalSpy raised(&session->windows(), &WindowStates::raiseRequested);
    session->placeMainWindows(QSize(274, 113));
    session->hideToTray();
    call("org.mpris.MediaPlayer2", "Raise");
    EXPECT_FALSE(windows().panelInTray());
    EXPECT_EQ(raised.count(), 1);
}

TEST_F(Mpris, NextAndPreviousGoThroughTheQueue)
{
    const QStringList files{makeFile("a.avi"), makeFile("b.avi")};
    session->openDroppedFiles(files);
    EXPECT_TRUE(property("CanGoNext").toBool());
    EXPECT_FALSE(property("CanGoPrevious").toBool());
    const qsizetype seen = log.changes.size(); // the call's wait may already take the announcement in
    call(Player, "Next");
    EXPECT_EQ(media.file, files[1]);
    EXPECT_TRUE(announced("CanGoPrevious", seen).value("CanGoPrevious").toBool());
    call(Player, "Previous");
    EXPECT_EQ(media.file, files[0]);
}

TEST_F(Mpris, ASecondPlayerTakesAnInstanceName)
{
    {
        MprisService other(*session);
        EXPECT_TRUE(other.registerOn(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second")));
        EXPECT_TRUE(client.interface()->isServiceRegistered(
            MprisService::ServiceName + ".instance" + QString::number(QCoreApplication::applicationPid())));
    }
    QDBusConnection::disconnectFromBus("second");
    EXPECT_FALSE(MprisService(*session).registerOn(QDBusConnection("no such bus")));
}

// A rate of 0 pauses. Full screen is the root interface's.
TEST_F(Mpris, RateLoopAndFullScreen)
{
    open("film.mkv");
    media.openStream(352, 240, 100);
    session->play();
    const auto set = [&](const QString &interface, const char *name, const QVariant &value) {
        return call(Properties, "Set", {interface, name, QVariant::fromValue(QDBusVariant(value))}).type();
    };
    for (const auto &[asked, speed] :
         {std::pair{1.5, 1.5}, {1.0, 1.0}, {0.1, 0.25}, {9.0, 4.0}, {-1.0, 4.0}}) {
        EXPECT_EQ(set(Player, "Rate", asked), QDBusMessage::ReplyMessage) << asked;
        EXPECT_DOUBLE_EQ(property("Rate").toDouble(), speed) << asked;
    }
    set(Player, "Rate", 0.0);
    EXPECT_EQ(media.state, PlayState::Paused);
    EXPECT_DOUBLE_EQ(property("Rate").toDouble(), 4.0) << "the speed stays";

    for (const auto &[status, repeat, reads] :
         {std::tuple{"Track", true, "Track"}, {"Playlist", true, "Track"}, {"None", false, "None"}}) {
        set(Player, "LoopStatus", status);
        EXPECT_EQ(session->playback().repeat(), repeat) << status;
        EXPECT_EQ(property("LoopStatus").toString(), reads) << status;
    }

    const QString root = "org.mpris.MediaPlayer2";
    set(root, "Fullscreen", true);
    EXPECT_TRUE(session->fullScreen());
    session->videoFullScreenChanged(true); // as the video window reports it
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !log.rootChanges.isEmpty() && log.rootChanges.last().value("Fullscreen").toBool(); },
        5000));
    const QDBusMessage introspection = call("org.freedesktop.DBus.Introspectable", "Introspect");
    EXPECT_TRUE(
        introspection.arguments().value(0).toString().contains("EmitsChangedSignal\" value=\"false\""))
        << "Position's, the one property without change signals";
}

} // namespace
} // namespace qr::test

#include "MprisServiceTest.moc"
