#include "FaultyFileManager.h"
#include "Formatting.h"
#include "LocalFileManager.h"
#include "OperationError.h"
#include "ShootFolder.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Status = RestoreLog::Status;
using Operation = FaultyFileManager::Operation;

QStringList numberedPaths(int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths.append(QStringLiteral("Shoot %1/IMG_%2.JPG").arg(i / 100).arg(i));
    return paths;
}

QList<qsizetype> movedCountsOfJsonWrites(const FaultyFileManager& fileManager)
{
    QList<qsizetype> counts;
    for (const auto& [path, data] : fileManager.written()) {
        if (path.endsWith(Mover::logName()))
            counts.append(RestoreLog::decoded(data).movedCount());
    }
    return counts;
}

QStringList contentsOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
}

QStringList notes(const RestoreLog& log)
{
    QStringList result;
    for (const RestoreLog::Entry& entry : log.entries)
        result.append(entry.note.value_or(QStringLiteral("-")));
    return result;
}

} // namespace

TEST(Mover, MovesFilesIntoANewSessionWithBothLogs)
{
    ShootFolder shoot;
    shoot.add(QStringLiteral("2026-10 Garden/IMG_2203.CR3"));
    shoot.add(QStringLiteral("2026-10 Garden/IMG_2203.CR3.dop"));
    shoot.add(QStringLiteral("top.JPG"));
    MovePlan plan = ShootFolder::plan(
        { "2026-10 Garden/IMG_2203.CR3", "2026-10 Garden/IMG_2203.CR3.dop", "top.JPG" });
    plan.items[1].group = OrphanGroup::raw;
    plan.items[1].follows = QStringLiteral("2026-10 Garden/IMG_2203.CR3");

    LocalFileManager disk;
    const QDateTime now = ShootFolder::at(14, 3, 12);
    const MoveOutcome outcome = Mover::move(plan, shoot.root() + u'/', ShootFolder::reviewName(),
        QStringLiteral("Orvalin"), now, LogWording::english(), disk);

    const QString session
        = shoot.folder.at(QStringLiteral("Orvalin Review/2026-10-05 at 14.03.12"));
    EXPECT_EQ(outcome.session, session);
    EXPECT_EQ(outcome.moved(), 3);
    EXPECT_TRUE(outcome.failed().isEmpty());
    for (const PlanItem& item : plan.items) {
        EXPECT_FALSE(QFileInfo::exists(shoot.folder.at(item.file.relativePath)));
        EXPECT_EQ(
            readFile(session + u'/' + item.file.relativePath), item.file.relativePath.toUtf8());
    }

    const RestoreLog& log = outcome.log;
    EXPECT_EQ(log.rootPath, shoot.root());
    EXPECT_EQ(log.created, now);
    EXPECT_EQ(log.app, u"Orvalin");
    EXPECT_EQ(log.entries[1].follows, plan.items[1].follows);
    EXPECT_EQ(log.entries[1].movedTo, plan.items[1].file.relativePath);
    EXPECT_EQ(Mover::readLog(session, disk), log);
    EXPECT_EQ(readFile(session + u'/' + Mover::logName()), log.encoded());

    const QString size = Formatting::byteCount(plan.items[0].file.size);
    const QString expectedText = QStringLiteral(
        "Orvalin moved 3 files on %1.\n"
        "\n"
        "From: %2\n"
        "To: %3\n"
        "\n"
        "To put everything back, open the folder in the app and choose Restore. Each line below "
        "shows where a file was and where it is now, so you can also move files back by hand.\n"
        "\n"
        "Moved (3)\n"
        "  2026-10 Garden/IMG_2203.CR3  [%4]  ->  2026-10 Garden/IMG_2203.CR3\n"
        "  2026-10 Garden/IMG_2203.CR3.dop  [%5]  ->  2026-10 Garden/IMG_2203.CR3.dop\n"
        "  top.JPG  [%6]  ->  top.JPG\n")
                                     .arg(Formatting::longDateShortTime(now), shoot.root(), session,
                                         size, Formatting::byteCount(plan.items[1].file.size),
                                         Formatting::byteCount(plan.items[2].file.size));
    EXPECT_EQ(QString::fromUtf8(readFile(session + u'/' + Mover::textLogName())), expectedText);
    EXPECT_EQ(Mover::text(log, session, LogWording::english()), expectedText);
}

TEST(Mover, NamesSessionsByTimeAndNeverReusesOne)
{
    ShootFolder shoot;
    LocalFileManager disk;
    const MoveOutcome first = shoot.move({}, disk);
    const MoveOutcome second = shoot.move({}, disk);
    const MoveOutcome third = shoot.move({}, disk);
    const QString review = shoot.folder.at(ShootFolder::reviewName());
    EXPECT_EQ(first.session, review + QStringLiteral("/2026-10-05 at 14.03.12"));
    EXPECT_EQ(second.session, review + QStringLiteral("/2026-10-05 at 14.03.12 2"));
    EXPECT_EQ(third.session, review + QStringLiteral("/2026-10-05 at 14.03.12 3"));

    // An empty plan still leaves a session with both logs; the text has only its header.
    EXPECT_TRUE(Mover::readLog(first.session, disk).entries.isEmpty());
    const QStringList lines
        = QString::fromUtf8(readFile(first.session + u'/' + Mover::textLogName())).split(u'\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[0].startsWith(u"Orvalin moved 0 files on "));
    EXPECT_EQ(lines[6], u"");
}

TEST(Mover, KeepsTargetNamesDistinctAfterFolding)
{
    ShootFolder shoot;
    const QString composed = QStringLiteral("a/Caf\u00e9.jpg");
    const QString decomposed = QStringLiteral("a/Cafe\u0301.jpg");
    const QStringList paths { "a/IMG_1.JPG", "a/img_1.jpg", "a/README", "a/readme", composed,
        decomposed, "a/.hidden", "a/.HIDDEN" };
    for (const QString& path : paths)
        shoot.add(path);

    LocalFileManager disk;
    const MoveOutcome outcome = shoot.move(paths, disk);
    QStringList targets;
    for (const RestoreLog::Entry& entry : outcome.log.entries) {
        EXPECT_EQ(entry.status, Status::moved) << entry.path.toStdString();
        EXPECT_EQ(readFile(outcome.session + u'/' + *entry.movedTo), entry.path.toUtf8());
        targets.append(*entry.movedTo);
    }
    EXPECT_EQ(targets,
        QStringList({ "a/IMG_1.JPG", "a/img_1 2.jpg", "a/README", "a/readme 2", composed,
            QStringLiteral("a/Cafe\u0301 2.jpg"), "a/.hidden", "a/.HIDDEN 2" }));
}

TEST(Mover, RecordsFilesThatCouldNotMoveAndOverwritesNothing)
{
    ShootFolder shoot;
    shoot.add(QStringLiteral("A/taken.jpg"));
    shoot.add(QStringLiteral("B/raced.jpg"));
    shoot.add(QStringLiteral("C/fine.jpg"));
    shoot.add(QStringLiteral("C/broken.jpg"));

    FaultyFileManager fileManager;
    // Something appears in the session before the check, and something else between the
    // check and the move.
    fileManager.before(Operation::createFolder, [](const QString& path, const QString&) {
        if (path.endsWith(u"/A"))
            writeFile(path + QStringLiteral("/taken.jpg"), "someone else's");
    });
    fileManager.before(Operation::move, [](const QString& from, const QString& to) {
        if (from.endsWith(u"raced.jpg"))
            writeFile(to, "someone else's");
    });
    fileManager.failPaths(Operation::move, QStringLiteral("broken"));

    const MoveOutcome outcome = shoot.move(
        { "gone.jpg", "A/taken.jpg", "B/raced.jpg", "C/broken.jpg", "C/fine.jpg" }, fileManager);

    QList<Status> statuses;
    for (const RestoreLog::Entry& entry : outcome.log.entries)
        statuses.append(entry.status);
    EXPECT_EQ(statuses,
        (QList<Status> {
            Status::failed, Status::failed, Status::failed, Status::failed, Status::moved }));
    const QStringList entryNotes = notes(outcome.log);
    EXPECT_EQ(entryNotes[0], u"not found");
    EXPECT_EQ(entryNotes[1], u"something is already at A/taken.jpg");
    EXPECT_TRUE(entryNotes[2].startsWith(u"Couldn’t move “")) << entryNotes[2].toStdString();
    EXPECT_TRUE(entryNotes[2].endsWith(u"File exists.")) << entryNotes[2].toStdString();
    EXPECT_TRUE(entryNotes[3].startsWith(u"Injected failure"));
    EXPECT_EQ(entryNotes[4], u"-");
    EXPECT_EQ(outcome.failed().size(), 4);

    for (const char* stayed : { "A/taken.jpg", "B/raced.jpg", "C/broken.jpg" })
        EXPECT_TRUE(shoot.holds(QString::fromUtf8(stayed))) << stayed;
    EXPECT_EQ(readFile(outcome.session + QStringLiteral("/A/taken.jpg")), "someone else's");
    EXPECT_EQ(readFile(outcome.session + QStringLiteral("/B/raced.jpg")), "someone else's");

    const QString text = QString::fromUtf8(readFile(outcome.session + u'/' + Mover::textLogName()));
    EXPECT_TRUE(text.contains(u"\nNot moved (4)\n  gone.jpg  ["));
    EXPECT_TRUE(text.contains(u"]  ->  gone.jpg  (not found)\n"));
    EXPECT_TRUE(text.startsWith(u"Orvalin moved 1 files on "));
}

TEST(Mover, WritesTheLogsBeforeTheFirstFileAndAtTheEnd)
{
    ShootFolder shoot;
    const QStringList paths = numberedPaths(1000);
    for (const QString& path : paths)
        shoot.add(path);

    FaultyFileManager fileManager;
    const MoveOutcome outcome = shoot.move(paths, fileManager);
    EXPECT_EQ(outcome.moved(), 1000);
    // A slow machine may write on the way too (LogSchedule); never with fewer files than before.
    const QList<qsizetype> counts = movedCountsOfJsonWrites(fileManager);
    ASSERT_GE(counts.size(), 2);
    EXPECT_EQ(counts.first(), 0);
    EXPECT_EQ(counts.last(), 1000);
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
    EXPECT_EQ(RestoreLog::decoded(fileManager.written().at(1).second).entries.size(), 1000);
    // The JSON always follows its text log, so that it never tells more than the text does;
    // the last pair is the final log in full.
    const qsizetype writes = fileManager.written().size();
    for (qsizetype i = 0; i < writes; i += 2)
        EXPECT_TRUE(fileManager.written().at(i).first.endsWith(Mover::textLogName()));
    EXPECT_EQ(fileManager.written().at(writes - 2).second,
        Mover::text(outcome.log, outcome.session, LogWording::english()).toUtf8());
    EXPECT_EQ(fileManager.written().at(writes - 1).second, outcome.log.encoded());
}

TEST(Mover, FailsWithoutMovingWhenTheSessionCannotStart)
{
    for (const Operation operation : { Operation::createFolder, Operation::write }) {
        ShootFolder shoot;
        shoot.add(QStringLiteral("A/IMG_1.JPG"));
        FaultyFileManager fileManager;
        fileManager.failCall(operation, 1);
        EXPECT_THROW(shoot.move({ "A/IMG_1.JPG" }, fileManager), OperationError);
        EXPECT_TRUE(shoot.holds(QStringLiteral("A/IMG_1.JPG")));
        EXPECT_EQ(fileManager.calls(Operation::move), 0);
        const QStringList sessions = QDir(shoot.folder.at(ShootFolder::reviewName()))
                                         .entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
        EXPECT_EQ(sessions.size(), operation == Operation::write ? 1 : 0);
    }
}

TEST(Mover, AFailedFinalWriteLeavesTheFilesRestorable)
{
    ShootFolder shoot;
    const QStringList paths { "A/IMG_1.JPG", "A/IMG_2.JPG", "IMG_3.CR3" };
    for (const QString& path : paths)
        shoot.add(path);

    FaultyFileManager fileManager;
    fileManager.failCall(Operation::write, 3);
    try {
        shoot.move(paths, fileManager);
        ADD_FAILURE() << "the move did not fail";
    } catch (const OperationError& error) {
        EXPECT_TRUE(error.message().contains(u" 3 files were moved to “")) << error.what();
        EXPECT_TRUE(error.message().endsWith(u"all the same; Restore puts them back."))
            << error.what();
    }

    LocalFileManager disk;
    const QList<ReviewSession> sessions
        = Mover::sessions(shoot.root(), ShootFolder::reviewName(), disk);
    ASSERT_EQ(sessions.size(), 1);
    EXPECT_EQ(sessions[0].log.movedCount(), 3);
    EXPECT_EQ(Mover::readLog(sessions[0].folder, disk).movedCount(), 0);

    const RestoreOutcome restored = Mover::restore(
        sessions[0].folder, LogWording::english(), ShootFolder::at(15, 0, 0), disk);
    EXPECT_EQ(restored.restored, 3);
    for (const QString& path : paths)
        EXPECT_TRUE(shoot.holds(path)) << path.toStdString();
}

TEST(Mover, NeverMovesThroughASymbolicLink)
{
    TempFolder outside;
    outside.write(QStringLiteral("A/IMG_1.JPG"), "outside");
    outside.makeFolder(QStringLiteral("planted"));

    ShootFolder shoot;
    shoot.add(QStringLiteral("B/IMG_2.JPG"));
    // A folder of the scan swapped for a link after the scan.
    ASSERT_TRUE(QFile::link(outside.at(QStringLiteral("A")), shoot.folder.at(QStringLiteral("A"))));

    FaultyFileManager fileManager;
    // A link planted in the session folder just as the mover makes a folder there.
    fileManager.before(Operation::createFolder, [&](const QString& path, const QString&) {
        if (path.endsWith(u"/B"))
            QFile::link(outside.at(QStringLiteral("planted")), path);
    });
    const MoveOutcome outcome = shoot.move({ "A/IMG_1.JPG", "B/IMG_2.JPG" }, fileManager);

    const QString note = QStringLiteral("a folder on the way is a symbolic link; not moved");
    EXPECT_EQ(notes(outcome.log), QStringList({ note, note }));
    EXPECT_EQ(outcome.moved(), 0);
    EXPECT_EQ(readFile(outside.at(QStringLiteral("A/IMG_1.JPG"))), "outside");
    EXPECT_TRUE(QDir(outside.at(QStringLiteral("planted"))).isEmpty());
    EXPECT_TRUE(shoot.holds(QStringLiteral("B/IMG_2.JPG")));
}

TEST(Mover, NoticesALinkSwappedInWhileItMoves)
{
    TempFolder outside;
    ShootFolder shoot;
    for (const char* path : { "A/1.jpg", "A/2.jpg", "B/1.jpg", "B/2.jpg", "C/1.jpg" })
        shoot.add(QString::fromUtf8(path));

    FaultyFileManager fileManager;
    // While C/1.jpg moves, folder A of the shoot and folder B of the session become links.
    fileManager.before(Operation::move, [&](const QString& from, const QString& to) {
        if (!from.endsWith(u"C/1.jpg"))
            return;
        const QString session = to.left(to.size() - QStringLiteral("/C/1.jpg").size());
        for (const auto& [folder, away] :
            { std::pair { shoot.folder.at(QStringLiteral("A")), outside.at(QStringLiteral("A")) },
                std::pair { session + QStringLiteral("/B"), outside.at(QStringLiteral("B")) } }) {
            QDir().rename(folder, away);
            QFile::link(away, folder);
        }
    });
    const MoveOutcome outcome
        = shoot.move({ "A/1.jpg", "B/1.jpg", "C/1.jpg", "A/2.jpg", "B/2.jpg" }, fileManager);

    const QString note = QStringLiteral("a folder on the way is a symbolic link; not moved");
    EXPECT_EQ(notes(outcome.log), QStringList({ "-", "-", "-", note, note }));
    EXPECT_EQ(readFile(outside.at(QStringLiteral("A/2.jpg"))), "A/2.jpg");
    EXPECT_EQ(contentsOf(outside.at(QStringLiteral("B"))), QStringList({ "1.jpg" }));
    EXPECT_TRUE(shoot.holds(QStringLiteral("B/2.jpg")));
}

TEST(Mover, RefusesAReviewFolderThatIsALink)
{
    TempFolder outside;
    ShootFolder shoot;
    shoot.add(QStringLiteral("IMG_1.JPG"));
    ASSERT_TRUE(QFile::link(outside.path(), shoot.folder.at(ShootFolder::reviewName())));

    LocalFileManager disk;
    EXPECT_THROW(shoot.move({ "IMG_1.JPG" }, disk), OperationError);
    EXPECT_TRUE(QDir(outside.path()).isEmpty());
    EXPECT_TRUE(shoot.holds(QStringLiteral("IMG_1.JPG")));
}
