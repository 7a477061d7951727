#include "FaultyFileManager.h"
#include "LocalFileManager.h"
#include "OperationError.h"
#include "ShootFolder.h"

#include <QDirIterator>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Status = RestoreLog::Status;
using Operation = FaultyFileManager::Operation;

RestoreOutcome restore(const QString& session, FileManager& fileManager,
    const QDateTime& now = ShootFolder::at(16, 0, 0))
{
    return Mover::restore(session, LogWording::english(), now, fileManager);
}

RestoreLog::Entry entry(const QString& path, const std::optional<QString>& movedTo, Status status)
{
    return { path, 1, OrphanGroup::jpeg, std::nullopt, movedTo, status, std::nullopt };
}

// A session folder made by hand, holding exactly the log a test wants.
QString craftSession(ShootFolder& shoot, const QList<RestoreLog::Entry>& entries)
{
    const QString session
        = shoot.folder.makeFolder(ShootFolder::reviewName() + QStringLiteral("/crafted"));
    RestoreLog log;
    log.app = QStringLiteral("Orvalin");
    log.created = ShootFolder::at(9, 0, 0);
    log.rootPath = shoot.root();
    log.entries = entries;
    writeFile(session + u'/' + Mover::logName(), log.encoded());
    return session;
}

QStringList contentsOf(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(Restore, PutsEverythingBackAndTidiesTheSession)
{
    ShootFolder shoot;
    const QStringList paths { "A/B/IMG_1.CR3", "A/B/IMG_1.xmp", "A/IMG_2.JPG", "C/IMG_3.JPG",
        "top.JPG" };
    for (const QString& path : paths)
        shoot.add(path);
    LocalFileManager disk;
    const MoveOutcome moved = shoot.move(paths, disk);
    // The originals' folders are gone too; restore makes them again.
    QDir(shoot.folder.at(QStringLiteral("A"))).removeRecursively();
    writeFile(moved.session + QStringLiteral("/C/.hidden"), "kept");

    const QDateTime now = ShootFolder::at(16, 0, 0);
    EXPECT_EQ(restore(moved.session, disk, now), (RestoreOutcome { 5, {}, {} }));
    for (const QString& path : paths)
        EXPECT_TRUE(shoot.holds(path)) << path.toStdString();

    const RestoreLog log = Mover::readLog(moved.session, disk);
    EXPECT_EQ(log.restored, now);
    for (const RestoreLog::Entry& entry : log.entries) {
        EXPECT_EQ(entry.status, Status::restored);
        EXPECT_FALSE(entry.note.has_value());
    }
    EXPECT_EQ(
        contentsOf(moved.session), QStringList({ "C", Mover::textLogName(), Mover::logName() }));
    EXPECT_EQ(contentsOf(moved.session + QStringLiteral("/C")), QStringList({ ".hidden" }));

    const QString text = QString::fromUtf8(readFile(moved.session + u'/' + Mover::textLogName()));
    EXPECT_TRUE(text.startsWith(u"Orvalin moved 5 files on "));
    EXPECT_TRUE(text.contains(u"\nPut back (5)\n  A/B/IMG_1.CR3  ["));
    EXPECT_FALSE(text.contains(u"\nMoved ("));
}

TEST(Restore, LeavesAFileWhoseOriginalPlaceIsTakenUntilItIsFree)
{
    ShootFolder shoot;
    shoot.add(QStringLiteral("A/IMG_1.JPG"));
    shoot.add(QStringLiteral("A/IMG_2.JPG"));
    LocalFileManager disk;
    const MoveOutcome moved = shoot.move({ "A/IMG_1.JPG", "A/IMG_2.JPG" }, disk);
    writeFile(shoot.folder.at(QStringLiteral("A/IMG_1.JPG")), "a new one");

    EXPECT_EQ(restore(moved.session, disk),
        (RestoreOutcome { 1, { QStringLiteral("A/IMG_1.JPG") }, {} }));
    EXPECT_EQ(readFile(shoot.folder.at(QStringLiteral("A/IMG_1.JPG"))), "a new one");
    EXPECT_EQ(readFile(moved.session + QStringLiteral("/A/IMG_1.JPG")), "A/IMG_1.JPG");
    RestoreLog log = Mover::readLog(moved.session, disk);
    EXPECT_EQ(log.entries[0].status, Status::conflict);
    EXPECT_EQ(log.entries[0].note, u"a file is already at the original place");
    EXPECT_FALSE(log.restored.has_value());
    EXPECT_TRUE(QString::fromUtf8(readFile(moved.session + u'/' + Mover::textLogName()))
                    .contains(u"\nMoved (1)\n"));

    QFile::remove(shoot.folder.at(QStringLiteral("A/IMG_1.JPG")));
    const QDateTime later = ShootFolder::at(17, 0, 0);
    EXPECT_EQ(restore(moved.session, disk, later), (RestoreOutcome { 1, {}, {} }));
    EXPECT_TRUE(shoot.holds(QStringLiteral("A/IMG_1.JPG")));
    log = Mover::readLog(moved.session, disk);
    EXPECT_EQ(log.entries[0].status, Status::restored);
    EXPECT_EQ(log.restored, later);
}

TEST(Restore, ReportsWhatTheLogGetsWrong)
{
    ShootFolder shoot;
    const QStringList unsafe { "", "/etc/hosts", "~/x.jpg", "a//x.jpg", "a/", "./x.jpg",
        "a/../x.jpg" };
    QList<RestoreLog::Entry> entries;
    for (const QString& path : unsafe)
        entries.append(entry(path, QStringLiteral("x.jpg"), Status::moved));
    entries.append(entry(QStringLiteral("y.jpg"), QStringLiteral("../y.jpg"), Status::moved));
    entries.append(entry(QStringLiteral("never.jpg"), std::nullopt, Status::planned));
    entries.append(
        entry(QStringLiteral("deleted.jpg"), QStringLiteral("S/deleted.jpg"), Status::moved));
    entries.append(entry(QStringLiteral("P/planned.jpg"), std::nullopt, Status::planned));
    entries.append(entry(QStringLiteral("x.jpg"), QStringLiteral("x.jpg"), Status::failed));
    const QString session = craftSession(shoot, entries);
    writeFile(session + QStringLiteral("/x.jpg"), "x");
    writeFile(session + QStringLiteral("/P/planned.jpg"), "p");
    writeFile(shoot.folder.at(QStringLiteral("y.jpg")), "y");

    LocalFileManager disk;
    const RestoreOutcome outcome = restore(session, disk);
    QStringList missing = unsafe;
    missing << "y.jpg"
            << "deleted.jpg";
    EXPECT_EQ(outcome, (RestoreOutcome { 1, {}, missing }));

    const RestoreLog log = Mover::readLog(session, disk);
    for (qsizetype i = 0; i <= unsafe.size(); ++i) {
        EXPECT_EQ(log.entries[i].status, Status::moved);
        EXPECT_EQ(log.entries[i].note, u"unsafe path in the log; left alone");
    }
    EXPECT_EQ(log.entries[unsafe.size() + 1], entries[unsafe.size() + 1]);
    EXPECT_EQ(log.entries[unsafe.size() + 2].note, u"not found at S/deleted.jpg");
    EXPECT_EQ(log.entries[unsafe.size() + 3].status, Status::restored);
    EXPECT_EQ(log.entries[unsafe.size() + 4], entries[unsafe.size() + 4]);
    // Nothing is done on a failed entry, nor on one whose paths cannot be trusted.
    EXPECT_EQ(readFile(session + QStringLiteral("/x.jpg")), "x");
    EXPECT_EQ(readFile(shoot.folder.at(QStringLiteral("y.jpg"))), "y");
    EXPECT_FALSE(log.restored.has_value());
}

TEST(Restore, PutsFilesBackWhereTheSessionIsNow)
{
    TempFolder disk;
    ShootFolder shoot;
    shoot.add(QStringLiteral("A/IMG_1.JPG"));
    LocalFileManager fileManager;
    const MoveOutcome moved = shoot.move({ "A/IMG_1.JPG" }, fileManager);

    const QString copy = disk.at(QStringLiteral("Shoots copy"));
    ASSERT_TRUE(QDir().rename(shoot.root(), copy));
    const QString session = copy + moved.session.mid(shoot.root().size());
    EXPECT_EQ(restore(session, fileManager).restored, 1);
    EXPECT_EQ(readFile(copy + QStringLiteral("/A/IMG_1.JPG")), "A/IMG_1.JPG");
    EXPECT_EQ(Mover::readLog(session, fileManager).rootPath, shoot.root());
    QDir().rename(copy, shoot.root());
}

TEST(Restore, NeverFollowsALinkInTheSessionOrTheScannedFolder)
{
    TempFolder outside;
    outside.write(QStringLiteral("pulled.jpg"), "outside");
    outside.makeFolder(QStringLiteral("pushed"));
    outside.makeFolder(QStringLiteral("walked/empty"));

    ShootFolder shoot;
    const QString session = craftSession(shoot,
        { entry(QStringLiteral("pulled.jpg"), QStringLiteral("L/pulled.jpg"), Status::moved),
            entry(QStringLiteral("T/pushed.jpg"), QStringLiteral("T/pushed.jpg"), Status::moved),
            entry(QStringLiteral("T/deeper/pushed.jpg"), QStringLiteral("T/deeper/pushed.jpg"),
                Status::moved) });
    ASSERT_TRUE(QFile::link(outside.path(), session + QStringLiteral("/L")));
    ASSERT_TRUE(QFile::link(outside.at(QStringLiteral("walked")), session + QStringLiteral("/W")));
    writeFile(session + QStringLiteral("/T/pushed.jpg"), "inside");
    writeFile(session + QStringLiteral("/T/deeper/pushed.jpg"), "inside");
    ASSERT_TRUE(
        QFile::link(outside.at(QStringLiteral("pushed")), shoot.folder.at(QStringLiteral("T"))));

    LocalFileManager disk;
    const RestoreOutcome outcome = restore(session, disk);
    EXPECT_EQ(outcome.restored, 0);
    EXPECT_EQ(
        outcome.missing, QStringList({ "pulled.jpg", "T/pushed.jpg", "T/deeper/pushed.jpg" }));
    for (const RestoreLog::Entry& entry : Mover::readLog(session, disk).entries)
        EXPECT_EQ(entry.note, u"unsafe path in the log; left alone");

    EXPECT_EQ(readFile(outside.at(QStringLiteral("pulled.jpg"))), "outside");
    EXPECT_FALSE(disk.exists(shoot.folder.at(QStringLiteral("pulled.jpg"))));
    EXPECT_TRUE(contentsOf(outside.at(QStringLiteral("pushed"))).isEmpty());
    EXPECT_EQ(readFile(session + QStringLiteral("/T/pushed.jpg")), "inside");
    EXPECT_EQ(readFile(session + QStringLiteral("/T/deeper/pushed.jpg")), "inside");
    // Tidying the session does not walk into a linked folder either.
    EXPECT_TRUE(disk.exists(outside.at(QStringLiteral("walked/empty"))));
}

TEST(Restore, FailsOnAnUnreadableLogOrAFailedRewrite)
{
    ShootFolder shoot;
    LocalFileManager disk;
    EXPECT_THROW(restore(shoot.folder.makeFolder(QStringLiteral("Orvalin Review/empty")), disk),
        OperationError);
    const QString damaged = shoot.folder.makeFolder(QStringLiteral("Orvalin Review/damaged"));
    writeFile(damaged + u'/' + Mover::logName(), "{");
    EXPECT_THROW(restore(damaged, disk), OperationError);

    shoot.add(QStringLiteral("A/IMG_1.JPG"));
    const MoveOutcome moved = shoot.move({ "A/IMG_1.JPG" }, disk);
    FaultyFileManager fileManager;
    fileManager.failPaths(Operation::write, QStringLiteral("restore-log"));
    EXPECT_THROW(restore(moved.session, fileManager), OperationError);
    // No file goes back while the log cannot say so, and no folder is tidied.
    EXPECT_EQ(fileManager.calls(Operation::move), 0);
    EXPECT_EQ(readFile(moved.session + QStringLiteral("/A/IMG_1.JPG")), "A/IMG_1.JPG");
    EXPECT_EQ(fileManager.calls(Operation::removeEmptyFolder), 0);
}

TEST(Sessions, ListsReadableSessionsNewestFirst)
{
    ShootFolder shoot;
    LocalFileManager disk;
    EXPECT_TRUE(Mover::sessions(shoot.root(), ShootFolder::reviewName(), disk).isEmpty());

    const QString older = shoot.move({}, disk, ShootFolder::at(9, 0, 0)).session;
    const QString newer = shoot.move({}, disk, ShootFolder::at(10, 0, 0, 4)).session;
    const QString newest = shoot.move({}, disk, ShootFolder::at(8, 0, 0, 6)).session;
    const QString review = shoot.folder.at(ShootFolder::reviewName());
    shoot.folder.makeFolder(ShootFolder::reviewName() + QStringLiteral("/no log"));
    writeFile(review + QStringLiteral("/damaged/") + Mover::logName(), "{\"version\":1}");
    writeFile(review + QStringLiteral("/plain file"), "x");
    QDir().mkpath(review + QStringLiteral("/.hidden"));
    QFile::copy(
        older + u'/' + Mover::logName(), review + QStringLiteral("/.hidden/") + Mover::logName());

    QStringList folders;
    for (const ReviewSession& session :
        Mover::sessions(shoot.root(), ShootFolder::reviewName(), disk))
        folders.append(session.folder);
    EXPECT_EQ(folders, QStringList({ newest, older, newer }));
}

namespace {

// Stands for the process dying: unlike OperationError, nothing in the mover catches it.
struct Killed
{
};

// How a restore can be cut off, and what the folder then holds.
struct CutOff
{
    const char* what;
    std::function<void(FaultyFileManager&)> arrange;
    // Files the cut-off restore put back.
    int wentHome;
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

} // namespace

TEST(Restore, ACutOffRestoreLeavesATruthfulLogAndTheNextOneFinishes)
{
    // Writes: 1 and 2 before the first file goes back, 3 and 4 at the end.
    const QList<CutOff> cases {
        { "killed before the first file", [](auto& f) { killAt(f, Operation::move, 1); }, 0 },
        { "killed after two files", [](auto& f) { killAt(f, Operation::move, 3); }, 2 },
        { "killed before the last write", [](auto& f) { killAt(f, Operation::write, 3); }, 4 },
        { "killed between the two last writes", [](auto& f) { killAt(f, Operation::write, 4); },
            4 },
        { "disk full at the end", [](auto& f) { f.failCall(Operation::write, 3); }, 4 },
        { "log not writable", [](auto& f) { f.failPaths(Operation::write, u".*"_qs); }, 0 },
    };
    const QStringList paths { "A/IMG_1.CR3", "A/IMG_2.CR3", "B/IMG_3.JPG", "IMG_4.JPG" };
    for (const CutOff& cut : cases) {
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
        } catch (const OperationError&) {
        }
        // A kill between creating a temporary log and renaming it leaves that behind.
        writeFile(session + QStringLiteral("/.restore-log.json.k7x2.tmp"), "{");
        writeFile(session + QStringLiteral("/.Moved files.txt.0a.tmp"), "M");

        const QList<ReviewSession> listed
            = Mover::sessions(shoot.root(), ShootFolder::reviewName(), disk);
        ASSERT_EQ(listed.size(), 1);
        EXPECT_EQ(listed[0].log.movedCount(), paths.size() - cut.wentHome);
        EXPECT_EQ(filesIn(session), paths.size() - cut.wentHome + 2);

        const QDateTime later = ShootFolder::at(18, 0, 0);
        EXPECT_EQ(restore(session, disk, later),
            (RestoreOutcome { int(paths.size()) - cut.wentHome, {}, {} }));
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

TEST(Restore, TheLastFullRestoreSetsTheDate)
{
    ShootFolder shoot;
    shoot.add(QStringLiteral("IMG_1.JPG"));
    LocalFileManager disk;
    const QString session = shoot.move({ "IMG_1.JPG" }, disk).session;
    restore(session, disk, ShootFolder::at(16, 0, 0));
    const QDateTime later = ShootFolder::at(17, 0, 0);
    restore(session, disk, later);
    EXPECT_EQ(Mover::readLog(session, disk).restored, later);
}
