#include "FaultyFileManager.h"
#include "Formatting.h"
#include "LocalFileManager.h"
#include "OperationError.h"
#include "ShootFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using Status = RestoreLog::Status;
using Operation = FaultyFileManager::Operation;

QStringList notes(const RestoreLog& log)
{
    QStringList result;
    for (const RestoreLog::Entry& entry : log.entries)
        result.append(entry.note.value_or(u"-"_s));
    return result;
}

const QString linkNote = u"a folder on the way is a symbolic link; not moved"_s;

// The message of a move that failed before any file moved: it says so, once.
void expectNothingMoved(const std::function<void()>& move)
{
    try {
        move();
        ADD_FAILURE() << "the move did not fail";
    } catch (const OperationError& error) {
        EXPECT_TRUE(error.message().startsWith(u"Nothing was moved: "_s)) << error.what();
        EXPECT_EQ(error.message().count(u"nothing was moved"_s, Qt::CaseInsensitive), 1)
            << error.what();
    }
}

class Moving : public ::testing::Test
{
protected:
    // Files whose content is their own path.
    void add(const QStringList& paths)
    {
        for (const QString& path : paths)
            shoot.add(path);
    }
    QString at(const QString& path) const { return shoot.folder.at(path); }

    ShootFolder shoot;
    LocalFileManager disk;
    FaultyFileManager faulty;
};

} // namespace

TEST_F(Moving, MovesFilesIntoANewSessionWithBothLogs)
{
    const QStringList paths { "2026-10 Garden/IMG_2203.CR3", "2026-10 Garden/IMG_2203.CR3.dop",
        "top.JPG" };
    add(paths);
    MovePlan plan = ShootFolder::plan(paths);
    plan.items[1].group = OrphanGroup::raw;
    plan.items[1].follows = paths[0];

    const QDateTime now = ShootFolder::at(14, 3, 12);
    const MoveOutcome outcome = Mover::move(plan, shoot.root() + u'/', ShootFolder::reviewName(),
        u"Orvalin"_s, now, LogWording::english(), disk);
    const QString session = at(u"Orvalin Review/2026-10-05 at 14.03.12"_s);
    EXPECT_EQ(outcome.session, session);
    EXPECT_EQ(outcome.moved(), 3);
    EXPECT_TRUE(outcome.failed().isEmpty());
    for (const QString& path : paths) {
        EXPECT_FALSE(QFileInfo::exists(at(path)));
        EXPECT_EQ(readFile(session + u'/' + path), path.toUtf8());
    }

    const RestoreLog& log = outcome.log;
    EXPECT_EQ(log.rootPath, shoot.root());
    EXPECT_EQ(log.created, now);
    EXPECT_EQ(log.app, u"Orvalin");
    EXPECT_EQ(log.entries[1].follows, paths[0]);
    EXPECT_EQ(log.entries[1].movedTo, paths[1]);
    EXPECT_EQ(Mover::readLog(session, disk), log);
    EXPECT_EQ(readFile(session + u'/' + Mover::logName()), log.encoded());

    const auto size = [&](int i) { return Formatting::byteCount(plan.items[i].file.size); };
    const QString expectedText
        = u"Orvalin moved 3 files on %1.\n\nFrom: %2\nTo: %3\n\n"
          "To put everything back, open the folder in the app and choose Restore. Each line below "
          "shows where a file was and where it is now, so you can also move files back by hand.\n"
          "\n"
          "Moved (3)\n"
          "  2026-10 Garden/IMG_2203.CR3  [%4]  ->  2026-10 Garden/IMG_2203.CR3\n"
          "  2026-10 Garden/IMG_2203.CR3.dop  [%5]  ->  2026-10 Garden/IMG_2203.CR3.dop\n"
          "  top.JPG  [%6]  ->  top.JPG\n"_s.arg(
              Formatting::longDateShortTime(now), shoot.root(), session, size(0), size(1), size(2));
    EXPECT_EQ(QString::fromUtf8(readFile(session + u'/' + Mover::textLogName())), expectedText);
    EXPECT_EQ(Mover::text(log, session, LogWording::english()), expectedText);
}

TEST_F(Moving, NamesSessionsByTimeAndNeverReusesOne)
{
    const QString review = at(ShootFolder::reviewName()) + u"/2026-10-05 at 14.03.12"_s;
    QString first;
    for (const QString& suffix : { u""_s, u" 2"_s, u" 3"_s }) {
        const QString session = shoot.move({}, disk).session;
        EXPECT_EQ(session, review + suffix);
        first = first.isEmpty() ? session : first;
    }
    // An empty plan still leaves a session with both logs; the text has only its header.
    EXPECT_TRUE(Mover::readLog(first, disk).entries.isEmpty());
    const QStringList lines
        = QString::fromUtf8(readFile(first + u'/' + Mover::textLogName())).split(u'\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[0].startsWith(u"Orvalin moved 0 files on "));
    EXPECT_EQ(lines[6], u"");
}

TEST_F(Moving, KeepsTargetNamesDistinctAfterFolding)
{
    const QString composed = u"a/Caf\u00e9.jpg"_s;
    const QString decomposed = u"a/Cafe\u0301.jpg"_s;
    const QStringList paths { "a/IMG_1.JPG", "a/img_1.jpg", "a/README", "a/readme", composed,
        decomposed, "a/.hidden", "a/.HIDDEN" };
    add(paths);
    const MoveOutcome outcome = shoot.move(paths, disk);
    QStringList targets;
    for (const RestoreLog::Entry& entry : outcome.log.entries) {
        EXPECT_EQ(entry.status, Status::moved) << entry.path.toStdString();
        EXPECT_EQ(readFile(outcome.session + u'/' + *entry.movedTo), entry.path.toUtf8());
        targets.append(*entry.movedTo);
    }
    EXPECT_EQ(targets,
        QStringList({ "a/IMG_1.JPG", "a/img_1 2.jpg", "a/README", "a/readme 2", composed,
            u"a/Cafe\u0301 2.jpg"_s, "a/.hidden", "a/.HIDDEN 2" }));
}

TEST_F(Moving, RecordsFilesThatCouldNotMoveAndOverwritesNothing)
{
    add({ "A/taken.jpg", "B/raced.jpg", "C/fine.jpg", "C/broken.jpg", "D/stays.jpg" });
    // Something appears in the session as its folder is made, and something else just before
    // the move: either way the rename refuses, and the note says why.
    faulty.before(Operation::createFolder, [](const QString& path, const QString&) {
        if (path.endsWith(u"/A"))
            writeFile(path + u"/taken.jpg"_s, "someone else's");
    });
    faulty.before(Operation::move, [](const QString& from, const QString& to) {
        if (from.endsWith(u"raced.jpg"))
            writeFile(to, "someone else's");
    });
    faulty.failPaths(Operation::move, u"broken"_s);

    const MoveOutcome outcome = shoot.move(
        { "gone.jpg", "A/taken.jpg", "B/raced.jpg", "C/broken.jpg", "C/fine.jpg", "D/gone.jpg" },
        faulty);
    EXPECT_EQ(outcome.failed().size(), 5);
    EXPECT_EQ(outcome.log.entries[4].status, Status::moved);
    const QStringList entryNotes = notes(outcome.log);
    EXPECT_EQ(entryNotes[0], u"not found");
    EXPECT_EQ(entryNotes[1], u"something is already at A/taken.jpg");
    EXPECT_EQ(entryNotes[2], u"something is already at B/raced.jpg");
    EXPECT_TRUE(entryNotes[3].startsWith(u"Injected failure"));
    EXPECT_EQ(entryNotes[4], u"-");
    EXPECT_EQ(entryNotes[5], u"not found");
    // No folder is made in the session for a file that is not there.
    EXPECT_FALSE(QFileInfo::exists(outcome.session + u"/D"_s));

    for (const QString& stayed : { u"A/taken.jpg"_s, u"B/raced.jpg"_s, u"C/broken.jpg"_s })
        EXPECT_TRUE(shoot.holds(stayed)) << stayed.toStdString();
    EXPECT_EQ(readFile(outcome.session + u"/A/taken.jpg"_s), "someone else's");
    EXPECT_EQ(readFile(outcome.session + u"/B/raced.jpg"_s), "someone else's");
    const QString text = QString::fromUtf8(readFile(outcome.session + u'/' + Mover::textLogName()));
    EXPECT_TRUE(text.contains(u"\nNot moved (5)\n  gone.jpg  ["));
    EXPECT_TRUE(text.contains(u"]  ->  gone.jpg  (not found)\n"));
    EXPECT_TRUE(text.startsWith(u"Orvalin moved 1 file on "));
}

TEST_F(Moving, WritesTheLogsBeforeTheFirstFileAndAtTheEnd)
{
    QStringList paths;
    for (int i = 0; i < 1000; ++i)
        paths.append(u"Shoot %1/IMG_%2.JPG"_s.arg(i / 100).arg(i));
    add(paths);
    const MoveOutcome outcome = shoot.move(paths, faulty);
    EXPECT_EQ(outcome.moved(), 1000);
    // A slow machine may write on the way too (LogSchedule); never with fewer files than before.
    const auto& written = faulty.written();
    QList<qsizetype> counts;
    for (qsizetype i = 0; i < written.size(); i += 2) {
        // The JSON always follows its text log, so that it never tells more than the text does.
        EXPECT_TRUE(written.at(i).first.endsWith(Mover::textLogName()));
        EXPECT_TRUE(written.at(i + 1).first.endsWith(Mover::logName()));
        counts.append(RestoreLog::decoded(written.at(i + 1).second).movedCount());
    }
    ASSERT_GE(counts.size(), 2);
    EXPECT_EQ(counts.first(), 0);
    EXPECT_EQ(counts.last(), 1000);
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
    EXPECT_EQ(RestoreLog::decoded(written.at(1).second).entries.size(), 1000);
    // The last pair is the final log in full.
    EXPECT_EQ(written.at(written.size() - 2).second,
        Mover::text(outcome.log, outcome.session, LogWording::english()).toUtf8());
    EXPECT_EQ(written.last().second, outcome.log.encoded());
}

TEST(MoverFailure, FailsWithoutMovingWhenTheSessionCannotStart)
{
    for (const Operation operation : { Operation::createFolder, Operation::write }) {
        ShootFolder shoot;
        shoot.add(u"A/IMG_1.JPG"_s);
        FaultyFileManager fileManager;
        fileManager.failCall(operation, 1);
        expectNothingMoved([&] { shoot.move({ "A/IMG_1.JPG" }, fileManager); });
        EXPECT_TRUE(shoot.holds(u"A/IMG_1.JPG"_s));
        EXPECT_EQ(fileManager.calls(Operation::move), 0);
        // A session is left only when its folder was made.
        EXPECT_EQ(QDir(shoot.folder.at(ShootFolder::reviewName())).isEmpty(),
            operation == Operation::createFolder);
    }
}

TEST_F(Moving, AFailedFinalWriteLeavesTheFilesRestorable)
{
    const QStringList paths { "A/IMG_1.JPG", "A/IMG_2.JPG", "IMG_3.CR3" };
    add(paths);
    faulty.failCall(Operation::write, 3);
    try {
        shoot.move(paths, faulty);
        ADD_FAILURE() << "the move did not fail";
    } catch (const OperationError& error) {
        EXPECT_TRUE(error.message().contains(u" 3 files were moved to “")) << error.what();
        EXPECT_TRUE(error.message().endsWith(u"all the same; Restore puts them back."))
            << error.what();
        EXPECT_FALSE(error.message().contains(u"nothing was moved"_s, Qt::CaseInsensitive));
    }
    const QList<ReviewSession> sessions
        = Mover::sessions(shoot.root(), ShootFolder::reviewName(), disk);
    ASSERT_EQ(sessions.size(), 1);
    EXPECT_EQ(sessions[0].log.movedCount(), 3);
    EXPECT_EQ(Mover::readLog(sessions[0].folder, disk).movedCount(), 0);
    EXPECT_EQ(
        Mover::restore(sessions[0].folder, LogWording::english(), ShootFolder::at(15, 0, 0), disk)
            .restored,
        3);
    for (const QString& path : paths)
        EXPECT_TRUE(shoot.holds(path)) << path.toStdString();
}

TEST_F(Moving, NeverMovesThroughASymbolicLink)
{
    TempFolder outside;
    outside.write(u"A/IMG_1.JPG"_s, "outside");
    outside.makeFolder(u"planted"_s);
    add({ "B/IMG_2.JPG", "C/IMG_3.JPG" });
    // A folder of the scan swapped for a link after the scan.
    ASSERT_TRUE(QFile::link(outside.at(u"A"_s), at(u"A"_s)));
    // A link planted in the session folder just as the mover makes a folder there.
    faulty.before(Operation::createFolder, [&](const QString& path, const QString&) {
        if (path.endsWith(u"/B"))
            QFile::link(outside.at(u"planted"_s), path);
    });
    const MoveOutcome outcome = shoot.move({ "A/IMG_1.JPG", "B/IMG_2.JPG" }, faulty);
    EXPECT_EQ(notes(outcome.log), QStringList({ linkNote, linkNote }));
    EXPECT_EQ(outcome.moved(), 0);
    EXPECT_EQ(readFile(outside.at(u"A/IMG_1.JPG"_s)), "outside");
    EXPECT_TRUE(QDir(outside.at(u"planted"_s)).isEmpty());
    EXPECT_TRUE(shoot.holds(u"B/IMG_2.JPG"_s));

    // A review folder that is a link is refused before anything moves.
    QDir(at(ShootFolder::reviewName())).removeRecursively();
    ASSERT_TRUE(QFile::link(outside.at(u"planted"_s), at(ShootFolder::reviewName())));
    expectNothingMoved([&] { shoot.move({ "C/IMG_3.JPG" }, disk); });
    EXPECT_TRUE(QDir(outside.at(u"planted"_s)).isEmpty());
    EXPECT_TRUE(shoot.holds(u"C/IMG_3.JPG"_s));
}

TEST_F(Moving, NoticesALinkSwappedInWhileItMoves)
{
    TempFolder outside;
    add({ "A/1.jpg", "A/2.jpg", "B/1.jpg", "B/2.jpg", "C/1.jpg" });
    // While C/1.jpg moves, folder A of the shoot and folder B of the session become links.
    faulty.before(Operation::move, [&](const QString& from, const QString& to) {
        if (!from.endsWith(u"C/1.jpg"))
            return;
        const QString session = to.chopped(u"/C/1.jpg"_s.size());
        for (const auto& [folder, away] : { std::pair { at(u"A"_s), outside.at(u"A"_s) },
                 std::pair { session + u"/B"_s, outside.at(u"B"_s) } }) {
            QDir().rename(folder, away);
            QFile::link(away, folder);
        }
    });
    const MoveOutcome outcome
        = shoot.move({ "A/1.jpg", "B/1.jpg", "C/1.jpg", "A/2.jpg", "B/2.jpg" }, faulty);
    EXPECT_EQ(notes(outcome.log), QStringList({ "-", "-", "-", linkNote, linkNote }));
    EXPECT_EQ(readFile(outside.at(u"A/2.jpg"_s)), "A/2.jpg");
    EXPECT_EQ(
        QDir(outside.at(u"B"_s)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
        QStringList({ "1.jpg" }));
    EXPECT_TRUE(shoot.holds(u"B/2.jpg"_s));
}

TEST_F(Moving, MakesNoSessionWhenTheReviewFolderIsAnotherMount)
{
    // A bind mount keeps the device number; a rename out of it fails all the same.
    TempFolder elsewhere;
    const QString review = shoot.folder.makeFolder(ShootFolder::reviewName());
    const auto run = [](const QStringList& arguments) {
        QProcess process;
        process.start(arguments.first(), arguments.mid(1));
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    };
    if (::geteuid() != 0 || !run({ u"mount"_s, u"--bind"_s, elsewhere.path(), review }))
        GTEST_SKIP() << "mounting needs root";
    add({ "A/IMG_1.JPG" });
    EXPECT_THROW(shoot.move({ "A/IMG_1.JPG" }, disk), OperationError);
    EXPECT_TRUE(QDir(review).isEmpty());
    EXPECT_TRUE(shoot.holds(u"A/IMG_1.JPG"_s));
    run({ u"umount"_s, review });
}
