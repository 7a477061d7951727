// Moves and restores cut off at any moment, and two of them at once: what is left is always
// finished by the next listing, move or restore, and never taken for a photo.

#include "FaultyFileManager.h"
#include "FolderBusy.h"
#include "RaceDrill.h"
#include "ShootFolder.h"
#include "UnrecordedRestore.h"

#include <QDirIterator>
#include <algorithm>
#include <cerrno>
#include <chrono>
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

// Files of `paths` at their original places.
qsizetype filesHome(const ShootFolder& shoot, const QStringList& paths)
{
    return std::count_if(paths.begin(), paths.end(),
        [&](const QString& path) { return QFileInfo::exists(shoot.at(path)); });
}

// A move or restore whose log could not be written says how many files went all the same, or
// that none did.
void expectTruthfulFailure(const OperationError& error, const ShootFolder& shoot,
    const QStringList& paths, const FaultyFileManager& faulty, bool restoring)
{
    const qsizetype home = filesHome(shoot, paths);
    const QString message = error.message();
    if (const auto* unrecorded = dynamic_cast<const UnrecordedRestore*>(&error)) {
        EXPECT_EQ(unrecorded->outcome().restored, home);
        EXPECT_EQ(message, u"The disk is full. %1 files were put back all the same."_s.arg(home));
    } else if (restoring || home == paths.size()) {
        // No file goes while the log cannot say so, and no folder is tidied.
        EXPECT_EQ(faulty.calls(Operation::move), 0);
        EXPECT_EQ(faulty.calls(Operation::removeEmptyFolder), 0);
        EXPECT_EQ(home, restoring ? 0 : paths.size());
        if (!restoring) {
            EXPECT_EQ(message, u"Nothing was moved: The disk is full."_s);
        }
    } else {
        const QString moved = u"The disk is full. %1 files were moved to “%2/Orvalin Review/"
                              "2026-10-05 at 14.03.12” all the same; Restore puts them back."_s;
        EXPECT_EQ(message, moved.arg(paths.size() - home).arg(shoot.root()));
    }
}

// After a cut-off move or restore: the next listing counts what the sessions hold, leaves
// nothing but whole photos at the original places and no file both home and in review; two
// later restores then put everything back, clear the temporary logs a kill leaves, and say so.
void expectFinishedAfterwards(
    const ShootFolder& shoot, const QStringList& paths, Guarantee way, bool restoring)
{
    LocalFileManager next;
    next.presume(way);
    const QList<ReviewSession> listed = shoot.sessions(next);
    for (const QString& path : paths)
        EXPECT_TRUE(!QFileInfo::exists(shoot.at(path)) || shoot.holds(path))
            << "not the photo at " << path.toStdString();
    const qsizetype inReview = paths.size() - filesHome(shoot, paths);
    qsizetype listedCount = 0, held = 0;
    for (const ReviewSession& session : listed) {
        listedCount += session.log.movedCount();
        held += filesIn(session.folder);
        // A kill between creating a temporary log and renaming it leaves that behind.
        writeFile(session.folder + u"/.restore-log.json.k7x2.tmp"_s, "{");
        writeFile(session.folder + u"/.Moved files.txt.0a.tmp"_s, "M");
    }
    EXPECT_EQ(std::pair(listedCount, held), std::pair(inReview, inReview));

    const QDateTime later = ShootFolder::at(18, 0, 0);
    RestoreOutcome total;
    for (int round = 0; round < 2; ++round)
        for (const ReviewSession& session : listed)
            total += ShootFolder::restore(session.folder, next, later);
    EXPECT_EQ(total, (RestoreOutcome { int(inReview), {}, {}, {} }));
    shoot.expectHome(paths);
    for (const ReviewSession& session : listed) {
        EXPECT_EQ(filesIn(session.folder), 0);
        const RestoreLog log = Mover::readLog(session.folder, next);
        EXPECT_EQ(log.restored, later);
        for (const RestoreLog::Entry& entry : log.entries) {
            // A move cut off leaves the files it never reached planned, or failed with a note.
            if (restoring || (entry.status != Status::planned && entry.status != Status::failed)) {
                EXPECT_EQ(entry.status, Status::restored) << entry.path.toStdString();
                EXPECT_FALSE(entry.note.has_value()) << entry.path.toStdString();
            }
        }
    }
}

} // namespace

// Killed at every step of every way of moving a file, at every folder made and every log
// written, or failing each of those folders and logs as a full disk would.
TEST(CutOff, AMoveOrRestoreCutOffAnywhereIsFinishedByTheNextListingAndRestore)
{
    const QStringList paths { "A/IMG_1.CR3", "A/IMG_1.CR3.xmp", "B/IMG_2.JPG" };
    for (const Guarantee way :
        { Guarantee::exclusiveRename, Guarantee::hardLink, Guarantee::reservation }) {
        for (const bool restoring : { false, true }) {
            for (const bool kill : { true, false }) {
                for (int cut = 1;; ++cut) {
                    SCOPED_TRACE(testing::Message()
                        << "way " << int(way) << (restoring ? ", restore " : ", move ")
                        << (kill ? "killed" : "failing") << " at event " << cut);
                    const ShootFolder shoot(paths);
                    LocalFileManager disk;
                    disk.presume(way);
                    const QString session = restoring ? shoot.move(paths, disk).session : QString();
                    FaultyFileManager faulty;
                    faulty.disk().presume(way);
                    int events = 0;
                    const auto event = [&] {
                        if (++events != cut)
                            return;
                        if (kill)
                            throw Killed {};
                        throw OperationError(u"The disk is full."_s, ENOSPC);
                    };
                    const auto onCall = [&](const QString&, const QString&) { event(); };
                    faulty.before(Operation::write, onCall);
                    faulty.before(Operation::createFolder, onCall);
                    if (kill)
                        faulty.disk().beforeEachStep([&](LocalFileManager::MoveStep) { event(); });
                    try {
                        restoring ? void(ShootFolder::restore(session, faulty))
                                  : void(shoot.move(paths, faulty));
                    } catch (const Killed&) {
                    } catch (const OperationError& error) {
                        expectTruthfulFailure(error, shoot, paths, faulty, restoring);
                    }
                    // Every event has had its cut once a run ends without reaching it.
                    if (events < cut)
                        break;
                    expectFinishedAfterwards(shoot, paths, way, restoring);
                }
            }
        }
    }
}

TEST(CutOff, AReservationIsNeverTakenForThePhoto)
{
    const QStringList paths { "A/IMG_1.CR3", "A/IMG_2.CR3" };
    const ShootFolder shoot(paths);
    // Killed right after reserving the first file's name in the session.
    LocalFileManager disk;
    disk.presume(Guarantee::reservation);
    disk.beforeEachStep([](LocalFileManager::MoveStep step) {
        if (step == LocalFileManager::MoveStep::renameOverReservation)
            throw Killed {};
    });
    EXPECT_THROW(shoot.move(paths, disk), Killed);
    disk.beforeEachStep({});
    const QString session = shoot.at(ShootFolder::reviewName() + u"/2026-10-05 at 14.03.12"_s);
    const QString reservation = session + u"/A/IMG_1.CR3"_s;
    ASSERT_TRUE(QFileInfo(reservation).isFile());
    ASSERT_EQ(QFileInfo(reservation).size(), 0);

    // The photo went elsewhere meanwhile, as a later move would take it: the reservation cannot be
    // told from a file of the user's, so it stays, but nobody counts it or puts it back.
    TempFolder elsewhere;
    ASSERT_TRUE(QFile::rename(shoot.at(paths[0]), elsewhere.at(u"IMG_1.CR3"_s)));
    EXPECT_EQ(shoot.sessions(disk).first().log.movedCount(), 0);
    EXPECT_EQ(ShootFolder::restore(session, disk), (RestoreOutcome { 0, {}, {}, {} }));
    EXPECT_FALSE(QFileInfo::exists(shoot.at(paths[0])));
    EXPECT_TRUE(QFileInfo::exists(reservation));
}

TEST(CutOff, ASecondMoveOrRestoreOfTheFolderWaitsOrDeclinesAndWritesNothing)
{
    const QStringList paths { "A/IMG_1.CR3", "A/IMG_2.CR3" };
    const ShootFolder shoot(paths + QStringList { "B/IMG_3.CR3" });
    LocalFileManager disk;
    const QString session = shoot.move(paths, disk).session;
    const QString log = session + u'/' + Mover::logName();
    const QByteArray logBefore = readFile(log);

    // Another process, or another window, holds the review folder.
    LocalFileManager other;
    std::optional<FolderLock> held
        = other.tryLock(other.openFolder(shoot.at(ShootFolder::reviewName())));
    ASSERT_TRUE(held);
    EXPECT_THROW(ShootFolder::restore(session, disk), FolderBusy);
    EXPECT_THROW(shoot.move({ "B/IMG_3.CR3" }, disk, ShootFolder::at(15, 0, 0)), FolderBusy);
    EXPECT_EQ(readFile(log), logBefore);
    EXPECT_EQ(shoot.sessions(disk).size(), 1);
    EXPECT_EQ(QDir(session).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary";

    // One that waits says so once, and runs when the other is done.
    QStringList told;
    std::thread otherEnds([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        held.reset();
    });
    const auto tell = [&](const QString& sentence) { told.append(sentence); };
    EXPECT_EQ(ShootFolder::restore(session, disk, ShootFolder::at(16, 0, 0), tell).restored, 2);
    otherEnds.join();
    EXPECT_EQ(told, QStringList({ "Another move or restore of this folder is running…" }));
}

// Real files, and a real thread swapping folders of the shoot and of the session for links to
// folders outside while moves and restores run; bounded by the rounds and the files per round.
TEST(MoverRace, FoldersSwappedForLinksNeverLeadOutsideNorLoseAFile)
{
    const RaceDrillReport report = RaceDrill::run(3, 150);
    EXPECT_GT(report.swaps, 0);
    EXPECT_EQ(report.filesChecked, 3 * 300);
    EXPECT_TRUE(report.clean()) << report.problems.join(u'\n').toStdString();
}
