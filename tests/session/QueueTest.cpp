// More than one file: the queue, next and previous, resume and the recent files.
#include "desktop/Paths.h"
#include "tests/support/SessionFixture.h"

#include <QDir>

namespace qr::test {
namespace {

class Queue : public SessionFixture {
protected:
    QStringList makeFolder(const QString &folder, const QStringList &names)
    {
        QDir(store.dir()).mkpath(folder);
        QStringList paths;
        for (const QString &name : names)
            paths << makeFile(folder + "/" + name);
        return paths;
    }
    QString name() const { return fileNameOnly(media.file); }
};

TEST_F(Queue, EachSourceQueuesItsFilesInOrderAndEachEndGoesOn)
{
    const QStringList abc = makeFolder("abc", {"a.avi", "b.mkv", "c.mp4"});
    makeFile("abc/notes.txt");
    for (const std::string_view source : {"command line", "drop", "dialog"}) {
        SCOPED_TRACE(source);
        desktop.files = {abc};
        if (source == "command line")
            remake().loadPanel({store.dir() + "/abc"}); // the folder
        else if (source == "drop")
            session->openDroppedFiles({" " + abc[0] + " ", abc[1], abc[2]}); // blanks trimmed
        else
            session->openFromDialog();
        EXPECT_EQ(name(), "a.avi");
        EXPECT_EQ(media.state, PlayState::Stopped);
        for (const char *following : {"b.mkv", "c.mp4"}) {
            media.reachEnd();
            EXPECT_EQ(name(), following);
            EXPECT_EQ(media.state, PlayState::Playing);
        }
        media.reachEnd();
        EXPECT_EQ(name(), "c.mp4");
        EXPECT_EQ(lines().status(), "");
    }
    session->openDroppedFiles({});
    EXPECT_EQ(name(), "c.mp4") << "an empty drop changes nothing";
}

TEST_F(Queue, AVanishedFileIsReportedAndTheQueueGoesOn)
{
    const QStringList files = makeFolder("q", {"a.avi", "gone.avi", "c.avi"});
    QFile::remove(files[1]);
    session->openDroppedFiles(files);
    media.reachEnd();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "File \"" + files[1] + "\" doesnt exist!");
    EXPECT_EQ(name(), "c.avi");
    EXPECT_EQ(media.state, PlayState::Playing);
}

TEST_F(Queue, NextAndPreviousInTheQueueAndInTheFolder)
{
    const QStringList folder = makeFolder("f", {"ep1.avi", "ep2.avi", "ep10.avi"});
    const QString queue = "queue", first = "No previous file..", last = "No next file..";
    // From a file, or the queue of ep10 and ep1, lands on a file, or stays with the hint.
    const std::tuple<QString, void (Session::*)(), QString, QString> rows[] = {
        {queue, &Session::next, "ep1.avi", ""},         {queue, &Session::previous, "ep10.avi", first},
        {"ep1.avi", &Session::next, "ep2.avi", ""},     {"ep10.avi", &Session::previous, "ep2.avi", ""},
        {"ep10.avi", &Session::next, "ep10.avi", last}, {"ep1.avi", &Session::previous, "ep1.avi", first},
        {"ep3.srt", &Session::next, "ep10.avi", ""}}; // where a subtitle file would stand
    for (const auto &[from, go, lands, hint] : rows) {
        SCOPED_TRACE(from.toStdString() + (go == &Session::next ? " next" : " previous"));
        session->openDroppedFiles(from == queue ? QStringList{folder[2], folder[0]}
                                                : QStringList{makeFile("f/" + from)});
        (session.get()->*go)();
        EXPECT_EQ(name(), lands);
        if (hint.isEmpty())
            EXPECT_EQ(media.state, PlayState::Playing) << "a file gone to plays";
        else
            EXPECT_EQ(lines().status(), hint);
    }
    session->openDroppedFiles({folder[1]});
    EXPECT_TRUE(session->queue().canGo(+1) && session->queue().canGo(-1));
    session->next();
    EXPECT_FALSE(session->queue().canGo(+1));
}

TEST_F(Queue, ResumeWhereTheFileWasLeft)
{
    // Resume on, the file's length, where it was left, played to the end, where it resumes.
    const std::tuple<bool, double, double, bool, QString> rows[] = {{true, 6000, 2533, false, "0:42:13"},
                                                                    {true, 6000, 10.5, false, "0:00:10"},
                                                                    {true, 6000, 10, false, ""},
                                                                    {true, 6000, 5990, false, ""},
                                                                    {true, 59, 30, false, ""},
                                                                    {true, 60, 30, false, "0:00:30"},
                                                                    {true, 6000, 2533, true, ""},
                                                                    {false, 6000, 2533, false, ""}};
    for (const auto &[on, length, leftAt, ended, resumed] : rows) {
        SCOPED_TRACE(testing::Message() << on << " " << length << " " << leftAt << " " << ended);
        TempStore fresh;
        setValue(PlayerSettings::ResumePlayback, PlayerSettings::yesNo(on));
        restart();
        const QString film = open("film.mkv");
        media.openStream(640, 360, length);
        media.position = leftAt;
        if (ended)
            media.reachEnd();
        session->quit();
        restart().openFile(film);
        media.position = 0;
        media.openStream(640, 360, length);
        EXPECT_EQ(media.position, resumed.isEmpty() ? 0 : leftAt);
        EXPECT_EQ(lines().status().startsWith("Resumed at "), !resumed.isEmpty());
        EXPECT_TRUE(lines().status().endsWith(resumed));
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
    for (const auto &[film, resumes] : {std::pair{films[0], false}, {films[1], false}, {films[2], true}}) {
        session->openFile(film);
        media.position = 0;
        media.openStream(640, 360, 6000);
        EXPECT_EQ(media.position > 0, resumes) << film.toStdString() << ": the oldest went, film1 grew";
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
