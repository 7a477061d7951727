// Moves and restores cut off at any moment, and two of them at once: what is left is always
// finished by the next listing, move or restore, and never taken for a photo.

#include "FaultyFileManager.h"
#include "FolderBusy.h"
#include "LocalFileManager.h"
#include "OperationError.h"
#include "ShootFolder.h"
#include "UnrecordedRestore.h"

#include <QDirIterator>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

using Status = RestoreLog::Status;
using Operation = FaultyFileManager::Operation;
using Guarantee = LocalFileManager::MoveGuarantee;

// Stands for the process dying: unlike OperationError, nothing in the mover catches it.
struct Killed
{
};

// The kth call of `operation` never happens.
void killAt(FaultyFileManager& fileManager, Operation operation, int k)
{
    auto calls = std::make_shared<int>(0);
    fileManager.before(operation, [=](const QString&, const QString&) {
        if (++*calls == k)
            throw Killed {};
    });
}

// Files in the session besides its two logs.
qsizetype filesIn(const QString& session)
{
    qsizetype count = 0;
    QDirIterator it(session, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).fileName();
        count += name != Mover::logName() && name != Mover::textLogName();
    }
    return count;
}

RestoreOutcome restore(
    const QString& session, FileManager& fileManager, const ReviewLock::Waiting& waiting = {})
{
    return Mover::restore(
        session, LogWording::english(), ShootFolder::at(16, 0, 0), fileManager, waiting);
}

QList<ReviewSession> sessionsOf(const ShootFolder& shoot, FileManager& fileManager)
{
    return Mover::sessions(shoot.root(), ShootFolder::reviewName(), fileManager);
}

// After a cut-off move or restore: the next listing counts what the sessions hold, leaves
// nothing but whole photos at the original places and no file both home and in review; two
// restores then put everything back and say so.
void expectFinishedAfterwards(const ShootFolder& shoot, const QStringList& paths, Guarantee way)
{
    LocalFileManager next;
    next.presume(way);
    const QList<ReviewSession> listed = sessionsOf(shoot, next);
    qsizetype inReview = 0;
    for (const QString& path : paths) {
        if (QFileInfo::exists(shoot.folder.at(path)))
            EXPECT_TRUE(shoot.holds(path)) << "not the photo at " << path.toStdString();
        else
            ++inReview;
    }
    qsizetype listedCount = 0;
    qsizetype held = 0;
    for (const ReviewSession& session : listed) {
        listedCount += session.log.movedCount();
        held += filesIn(session.folder);
    }
    EXPECT_EQ(listedCount, inReview);
    EXPECT_EQ(held, inReview);

    RestoreOutcome total;
    for (int round = 0; round < 2; ++round) {
        for (const ReviewSession& session : listed)
            total += restore(session.folder, next);
    }
    EXPECT_EQ(total, (RestoreOutcome { int(inReview), {}, {}, {} }));
    for (const QString& path : paths)
        EXPECT_TRUE(shoot.holds(path)) << path.toStdString();
    for (const ReviewSession& session : listed)
        EXPECT_EQ(filesIn(session.folder), 0);
}

} // namespace

TEST(CutOff, AKillAtAnyStepOfAnyWayOfMovingIsFinishedByTheNextListingAndRestore)
{
    const QStringList paths { "A/IMG_1.CR3", "A/IMG_1.CR3.xmp", "B/IMG_2.JPG" };
    for (const Guarantee way :
        { Guarantee::exclusiveRename, Guarantee::hardLink, Guarantee::reservation }) {
        for (const bool restoring : { false, true }) {
            for (int kill = 1;; ++kill) {
                SCOPED_TRACE(u"way %1, %2 killed at step %3"_s.arg(int(way))
                                 .arg(restoring ? u"restore"_s : u"move"_s)
                                 .arg(kill)
                                 .toStdString());
                ShootFolder shoot;
                for (const QString& path : paths)
                    shoot.add(path);
                LocalFileManager disk;
                disk.presume(way);
                const QString session = restoring ? shoot.move(paths, disk).session : QString();
                int steps = 0;
                disk.beforeEachStep([&](LocalFileManager::MoveStep) {
                    if (++steps == kill)
                        throw Killed {};
                });
                try {
                    restoring ? void(restore(session, disk)) : void(shoot.move(paths, disk));
                } catch (const Killed&) {
                }
                // Every step has had its kill once a run ends without reaching it.
                if (steps < kill)
                    break;
                expectFinishedAfterwards(shoot, paths, way);
            }
        }
    }
}

TEST(CutOff, AReservationIsNeverTakenForThePhoto)
{
    const QStringList paths { "A/IMG_1.CR3", "A/IMG_2.CR3" };
    ShootFolder shoot;
    for (const QString& path : paths)
        shoot.add(path);
    // Killed right after reserving the first file's name in the session.
    LocalFileManager disk;
    disk.presume(Guarantee::reservation);
    disk.beforeEachStep([](LocalFileManager::MoveStep step) {
        if (step == LocalFileManager::MoveStep::renameOverReservation)
            throw Killed {};
    });
    EXPECT_THROW(shoot.move(paths, disk), Killed);
    disk.beforeEachStep({});
    const QString session
        = shoot.folder.at(ShootFolder::reviewName() + u"/2026-10-05 at 14.03.12"_s);
    const QString reservation = session + u"/A/IMG_1.CR3"_s;
    ASSERT_TRUE(QFileInfo(reservation).isFile());
    ASSERT_EQ(QFileInfo(reservation).size(), 0);

    // The photo went elsewhere meanwhile, as a later move would take it: the reservation cannot be
    // told from a file of the user's, so it stays, but nobody counts it or puts it back.
    TempFolder elsewhere;
    ASSERT_TRUE(QFile::rename(shoot.folder.at(paths[0]), elsewhere.at(u"IMG_1.CR3"_s)));
    EXPECT_EQ(sessionsOf(shoot, disk).first().log.movedCount(), 0);
    EXPECT_EQ(restore(session, disk), (RestoreOutcome { 0, {}, {}, {} }));
    EXPECT_FALSE(QFileInfo::exists(shoot.folder.at(paths[0])));
    EXPECT_TRUE(QFileInfo::exists(reservation));

    // Once the photo is home again the reservation is provably the mover's, and goes.
    ASSERT_TRUE(QFile::rename(elsewhere.at(u"IMG_1.CR3"_s), shoot.folder.at(paths[0])));
    EXPECT_EQ(sessionsOf(shoot, disk).first().log.movedCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(reservation));
    for (const QString& path : paths)
        EXPECT_TRUE(shoot.holds(path));
}

TEST(CutOff, ASecondMoveOrRestoreOfTheFolderWaitsOrDeclinesAndWritesNothing)
{
    const QStringList paths { "A/IMG_1.CR3", "A/IMG_2.CR3" };
    ShootFolder shoot;
    for (const QString& path : paths)
        shoot.add(path);
    shoot.add(u"B/IMG_3.CR3"_s);
    LocalFileManager disk;
    const QString session = shoot.move(paths, disk).session;
    const QString log = session + u'/' + Mover::logName();
    const QByteArray logBefore = readFile(log);

    // Another process, or another window, holds the review folder.
    LocalFileManager other;
    std::optional<FolderLock> held
        = other.tryLock(other.openFolder(shoot.folder.at(ShootFolder::reviewName())));
    ASSERT_TRUE(held);
    EXPECT_THROW(restore(session, disk), FolderBusy);
    EXPECT_THROW(shoot.move({ "B/IMG_3.CR3" }, disk, ShootFolder::at(15, 0, 0)), FolderBusy);
    EXPECT_EQ(readFile(log), logBefore);
    EXPECT_EQ(sessionsOf(shoot, disk).size(), 1);
    EXPECT_EQ(QDir(session).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary";

    // One that waits says so once, and runs when the other is done.
    QStringList told;
    std::thread otherEnds([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        held.reset();
    });
    EXPECT_EQ(
        restore(session, disk, [&](const QString& sentence) { told.append(sentence); }).restored,
        2);
    otherEnds.join();
    EXPECT_EQ(told, QStringList({ "Another move or restore of this folder is running…" }));
}

TEST(RestoreCutOff, LeavesATruthfulLogAndTheNextRestoreFinishes)
{
    // Writes: 1 and 2 before the first file goes back, 3 and 4 at the end.
    const struct
    {
        const char* what;
        std::function<void(FaultyFileManager&)> arrange;
        int wentHome;
    } cases[] = { { "killed before the first file", [](auto& f) { killAt(f, Operation::move, 1); },
                      0 },
        { "killed after two files", [](auto& f) { killAt(f, Operation::move, 3); }, 2 },
        { "killed before the last write", [](auto& f) { killAt(f, Operation::write, 3); }, 4 },
        { "killed between the two last writes", [](auto& f) { killAt(f, Operation::write, 4); },
            4 },
        { "disk full at the end", [](auto& f) { f.failCall(Operation::write, 3); }, 4 },
        { "log not writable", [](auto& f) { f.failPaths(Operation::write, u".*"_s); }, 0 } };
    const QStringList paths { "A/IMG_1.CR3", "A/IMG_2.CR3", "B/IMG_3.JPG", "IMG_4.JPG" };
    for (const auto& cut : cases) {
        SCOPED_TRACE(cut.what);
        ShootFolder shoot;
        for (const QString& path : paths)
            shoot.add(path);
        LocalFileManager disk;
        const QString session = shoot.move(paths, disk).session;

        FaultyFileManager faulty;
        cut.arrange(faulty);
        try {
            restore(session, faulty);
            ADD_FAILURE() << "the restore was not cut off";
        } catch (const Killed&) {
        } catch (const UnrecordedRestore& error) {
            // Its last write failed: it still says what went back, as a move does.
            EXPECT_EQ(error.outcome().restored, cut.wentHome);
            EXPECT_TRUE(error.message().endsWith(
                u" %1 files were put back all the same."_s.arg(cut.wentHome)));
        } catch (const OperationError&) {
        }
        // A kill between creating a temporary log and renaming it leaves that behind.
        writeFile(session + u"/.restore-log.json.k7x2.tmp"_s, "{");
        writeFile(session + u"/.Moved files.txt.0a.tmp"_s, "M");

        const QList<ReviewSession> listed = sessionsOf(shoot, disk);
        ASSERT_EQ(listed.size(), 1);
        const int left = int(paths.size()) - cut.wentHome;
        EXPECT_EQ(listed[0].log.movedCount(), left);
        EXPECT_EQ(filesIn(session), left + 2);

        const QDateTime later = ShootFolder::at(18, 0, 0);
        EXPECT_EQ(Mover::restore(session, LogWording::english(), later, disk),
            (RestoreOutcome { left, {}, {}, {} }));
        for (const QString& path : paths)
            EXPECT_TRUE(shoot.holds(path)) << path.toStdString();
        const RestoreLog log = Mover::readLog(session, disk);
        EXPECT_EQ(log.restored, later);
        for (const RestoreLog::Entry& entry : log.entries) {
            EXPECT_EQ(entry.status, Status::restored) << entry.path.toStdString();
            EXPECT_FALSE(entry.note.has_value());
        }
        EXPECT_EQ(filesIn(session), 0);
    }
}
