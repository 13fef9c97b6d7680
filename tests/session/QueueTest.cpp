// More than one file: the queue and where its files come from, the end of a
// file, next and previous in the queue and in a folder, resume and the
// recent files.
#include "desktop/Paths.h"
#include "tests/support/SessionFixture.h"

#include <QDir>

namespace qr::test {
namespace {

class Queue : public SessionFixture {
protected:
    void SetUp() override { restart(); }
    // The files made in a folder of their own, by name.
    QStringList makeFolder(const QString &folder, const QStringList &names)
    {
        QDir(store.dir()).mkpath(folder);
        QStringList paths;
        for (const QString &name : names)
            paths << makeFile(folder + "/" + name);
        return paths;
    }
    QString name() const { return fileNameOnly(media.file); }
    void end()
    {
        media.state = PlayState::Stopped;
        media.position = 0;
        Q_EMIT media.endOfMedia();
    }
};

TEST(NaturalOrder, AsAFileManagerShowsNames)
{
    QStringList names{"ep10.mkv", "Ep2.MKV", "ep1.avi", "ep02b.avi", "EP1.mkv", "a.mp4", "ep1 (1).avi"};
    std::sort(names.begin(), names.end(), naturalLess);
    const QStringList expected{"a.mp4",   "ep1 (1).avi", "ep1.avi", "EP1.mkv",
                               "Ep2.MKV", "ep02b.avi",   "ep10.mkv"};
    EXPECT_EQ(names, expected);
}

TEST_F(Queue, EachSourceQueuesItsFilesInOrderAndEachEndGoesOn)
{
    const QStringList abc = makeFolder("abc", {"a.avi", "b.mkv", "c.mp4"});
    makeFile("abc/notes.txt");
    const struct {
        const char *what;
        std::function<void()> open;
    } sources[] = {
        {"command line", [&] { remake().loadPanel(abc); }},
        {"a folder on the command line", [&] { remake().loadPanel({store.dir() + "/abc"}); }},
        {"drop", [&] { session->openDroppedFiles(abc); }},
        {"dropped folder", [&] { session->openDroppedFiles({store.dir() + "/abc"}); }},
        {"dialog",
         [&] {
             desktop.files = {abc};
             session->openFromDialog();
         }},
    };
    for (const auto &source : sources) {
        SCOPED_TRACE(source.what);
        source.open();
        EXPECT_EQ(name(), "a.avi");
        EXPECT_EQ(media.state, PlayState::Stopped) << "the first opens by the usual road";
        for (const char *following : {"b.mkv", "c.mp4"}) {
            end();
            EXPECT_EQ(name(), following);
            EXPECT_EQ(media.state, PlayState::Playing);
        }
        end();
        EXPECT_EQ(name(), "c.mp4") << "after the last, nothing";
        EXPECT_EQ(lines().status(), "");
    }
    session->setRepeat(true);
    media.calls.clear();
    end();
    EXPECT_EQ(media.calls, QStringList{"play"}) << "repeat plays the same file again";
}

TEST_F(Queue, AVanishedFileIsReportedAndTheQueueGoesOn)
{
    const QStringList files = makeFolder("q", {"a.avi", "gone.avi", "c.avi"});
    QFile::remove(files[1]);
    session->openDroppedFiles(files);
    end();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "File \"" + files[1] + "\" doesnt exist!");
    EXPECT_EQ(name(), "c.avi");
    EXPECT_EQ(media.state, PlayState::Playing);
}

TEST_F(Queue, NextAndPreviousInTheQueueAndInTheFolder)
{
    const QStringList folder = makeFolder("f", {"ep1.avi", "ep2.avi", "ep10.avi"});
    makeFile("f/ep3.srt");
    const struct {
        const char *what;
        QStringList queue;
        void (Session::*go)();
        QString lands, hint;
    } cases[] = {
        {"queue, next", {folder[2], folder[0]}, &Session::next, "ep1.avi", ""},
        {"queue, previous at its start",
         {folder[2], folder[0]},
         &Session::previous,
         "ep10.avi",
         "No previous file.."},
        {"folder, next", {folder[0]}, &Session::next, "ep2.avi", ""},
        {"folder, previous", {folder[2]}, &Session::previous, "ep2.avi", ""},
        {"folder, next at its end", {folder[2]}, &Session::next, "ep10.avi", "No next file.."},
        {"folder, previous at its start", {folder[0]}, &Session::previous, "ep1.avi", "No previous file.."},
        {"a subtitle file's folder place", {store.dir() + "/f/ep3.srt"}, &Session::next, "ep10.avi", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        session->openDroppedFiles(c.queue);
        (session.get()->*c.go)();
        EXPECT_EQ(name(), c.lands);
        if (!c.hint.isEmpty()) {
            EXPECT_EQ(lines().status(), c.hint);
        } else {
            EXPECT_EQ(media.state, PlayState::Playing) << "a file gone to plays";
        }
    }
    session->openDroppedFiles({folder[1]});
    EXPECT_TRUE(session->queue().canGo(+1) && session->queue().canGo(-1));
    session->next();
    EXPECT_FALSE(session->queue().canGo(+1));
}

// From a file of 100 minutes: where it was left, if anywhere, is where it
// starts again, the status line saying so; played to the end it is
// forgotten. Kept across runs through quit.
TEST_F(Queue, ResumeWhereTheFileWasLeft)
{
    const struct {
        const char *what;
        bool on;
        double length, leftAt;
        bool ended;
        std::optional<double> resumes;
    } cases[] = {
        {"left in the middle", true, 6000, 2533, false, 2533},
        {"just past the start's 10 s", true, 6000, 10.5, false, 10.5},
        {"within 10 s of the start", true, 6000, 10, false, std::nullopt},
        {"within 10 s of the end", true, 6000, 5990, false, std::nullopt},
        {"under a minute long", true, 59, 30, false, std::nullopt},
        {"a minute long", true, 60, 30, false, 30},
        {"played to the end", true, 6000, 2533, true, std::nullopt},
        {"switched off", false, 6000, 2533, false, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempStore fresh;
        setValue(PlayerSettings::ResumePlayback, PlayerSettings::yesNo(c.on));
        restart();
        const QString film = open("film.mkv");
        media.openStream(640, 360, c.length);
        media.position = c.leftAt;
        if (c.ended)
            end();
        session->quit();
        restart();
        session->openFile(film);
        media.position = 0;
        media.openStream(640, 360, c.length);
        EXPECT_EQ(media.position, c.resumes.value_or(0));
        if (c.resumes) {
            EXPECT_EQ(lines().status(), "Resumed at " + QString(c.leftAt > 100  ? "0:42:13"
                                                                : c.leftAt > 20 ? "0:00:30"
                                                                                : "0:00:10"));
        }
    }
}

TEST_F(Queue, ResumePointsKnowTheFileBySizeAndKeepTheLast200)
{
    setValue(PlayerSettings::ResumePlayback, "yes");
    restart();
    QStringList films;
    for (int i = 0; i < 201; ++i) {
        films << open(QString("film%1.mkv").arg(i));
        media.openStream(640, 360, 6000);
        media.position = 100 + i;
    }
    session->quit();
    EXPECT_EQ(settings.resumePoints().size(), 200);
    restart();
    makeFile("film1.mkv", "grown since");
    const struct {
        QString film;
        bool resumes;
        const char *why;
    } cases[] = {{films[0], false, "the oldest went"},
                 {films[1], false, "another file of that name"},
                 {films[2], true, "kept"}};
    for (const auto &c : cases) {
        session->openFile(c.film);
        media.position = 0;
        media.openStream(640, 360, 6000);
        EXPECT_EQ(media.position > 0, c.resumes) << c.why;
    }
}

TEST_F(Queue, RecentFilesMostRecentFirstTenAtMost)
{
    for (int i = 0; i < 12; ++i)
        open(QString("f%1.avi").arg(i));
    open("f5.avi");
    QStringList expected;
    for (int i : {5, 11, 10, 9, 8, 7, 6, 4, 3, 2})
        expected << store.dir() + QString("/f%1.avi").arg(i);
    EXPECT_EQ(session->history().recentFiles(), expected);
    session->quit();
    EXPECT_EQ(settings.recentFiles(), expected) << "kept across runs";
    EXPECT_EQ(remake().history().recentFiles(), expected);
}

} // namespace
} // namespace qr::test
