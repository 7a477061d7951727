#include "FaultyFileManager.h"
#include "LocalFileManager.h"
#include "Messages.h"
#include "OperationError.h"
#include "ShootFolder.h"

#include <QDirIterator>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

using Status = RestoreLog::Status;
using Operation = FaultyFileManager::Operation;
using Reason = RestoreFailure::Reason;

QStringList pathsOf(const QList<RestoreFailure>& failed, Reason reason)
{
    QStringList paths;
    for (const RestoreFailure& failure : failed) {
        if (failure.reason == reason)
            paths.append(failure.path);
    }
    return paths;
}

RestoreLog::Entry entry(
    const QString& path, const std::optional<QString>& movedTo, Status status = Status::moved)
{
    return { path, 1, OrphanGroup::jpeg, std::nullopt, movedTo, status, std::nullopt };
}

QStringList contentsOf(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name);
}

QString textLogOf(const QString& session)
{
    return QString::fromUtf8(readFile(session + u'/' + Mover::textLogName()));
}

class Restore : public ::testing::Test
{
protected:
    RestoreOutcome restore(const QString& session, const QDateTime& now = ShootFolder::at(16, 0, 0),
        FileManager* fileManager = nullptr)
    {
        return Mover::restore(
            session, LogWording::english(), now, fileManager ? *fileManager : disk);
    }

    // Adds files whose content is their own path and moves them; returns the session.
    QString moved(const QStringList& paths)
    {
        for (const QString& path : paths)
            shoot.add(path);
        return shoot.move(paths, disk).session;
    }

    // A session folder made by hand, holding exactly the log a test wants.
    QString craftSession(const QList<RestoreLog::Entry>& entries)
    {
        const QString session = shoot.folder.makeFolder(ShootFolder::reviewName() + u"/crafted"_s);
        const RestoreLog log { 1, u"Orvalin"_s, ShootFolder::at(9, 0, 0), shoot.root(),
            Destination::review, entries, std::nullopt };
        writeFile(session + u'/' + Mover::logName(), log.encoded());
        return session;
    }

    QString at(const QString& path) const { return shoot.folder.at(path); }
    RestoreLog logOf(const QString& session) const { return Mover::readLog(session, disk); }
    void expectNotes(const QString& session, const QString& note) const
    {
        for (const RestoreLog::Entry& entry : logOf(session).entries)
            EXPECT_EQ(entry.note, note) << entry.path.toStdString();
    }

    ShootFolder shoot;
    LocalFileManager disk;
};

} // namespace

TEST_F(Restore, PutsEverythingBackAndTidiesTheSession)
{
    const QStringList paths { "A/B/IMG_1.CR3", "A/B/IMG_1.xmp", "A/IMG_2.JPG", "C/IMG_3.JPG",
        "top.JPG" };
    const QString session = moved(paths);
    // The originals' folders are gone too; restore makes them again.
    QDir(at(u"A"_s)).removeRecursively();
    writeFile(session + u"/C/.hidden"_s, "kept");

    EXPECT_EQ(restore(session), (RestoreOutcome { 5, {}, {}, {} }));
    for (const QString& path : paths)
        EXPECT_TRUE(shoot.holds(path)) << path.toStdString();
    const RestoreLog log = logOf(session);
    EXPECT_EQ(log.restored, ShootFolder::at(16, 0, 0));
    for (const RestoreLog::Entry& entry : log.entries) {
        EXPECT_EQ(entry.status, Status::restored);
        EXPECT_FALSE(entry.note.has_value());
    }
    EXPECT_EQ(contentsOf(session), QStringList({ "C", Mover::textLogName(), Mover::logName() }));
    EXPECT_EQ(contentsOf(session + u"/C"_s), QStringList({ ".hidden" }));
    const QString text = textLogOf(session);
    EXPECT_TRUE(text.startsWith(u"Orvalin moved 5 files on "));
    EXPECT_TRUE(text.contains(u"\nPut back (5)\n  A/B/IMG_1.CR3  ["));
    EXPECT_FALSE(text.contains(u"\nMoved ("));
}

TEST_F(Restore, LeavesAFileWhoseOriginalPlaceIsTakenUntilItIsFreeAndDatesTheLastFullRestore)
{
    const QString session = moved({ "A/IMG_1.JPG", "A/IMG_2.JPG" });
    writeFile(at(u"A/IMG_1.JPG"_s), "a new one");

    EXPECT_EQ(restore(session), (RestoreOutcome { 1, { u"A/IMG_1.JPG"_s }, {}, {} }));
    EXPECT_EQ(readFile(at(u"A/IMG_1.JPG"_s)), "a new one");
    EXPECT_EQ(readFile(session + u"/A/IMG_1.JPG"_s), "A/IMG_1.JPG");
    RestoreLog log = logOf(session);
    EXPECT_EQ(log.entries[0].status, Status::conflict);
    EXPECT_EQ(log.entries[0].note, u"a file is already at the original place");
    EXPECT_FALSE(log.restored.has_value());
    EXPECT_TRUE(textLogOf(session).contains(u"\nMoved (1)\n"));

    QFile::remove(at(u"A/IMG_1.JPG"_s));
    EXPECT_EQ(restore(session, ShootFolder::at(17, 0, 0)), (RestoreOutcome { 1, {}, {}, {} }));
    EXPECT_TRUE(shoot.holds(u"A/IMG_1.JPG"_s));
    log = logOf(session);
    EXPECT_EQ(log.entries[0].status, Status::restored);
    EXPECT_EQ(log.restored, ShootFolder::at(17, 0, 0));
    // Restoring a finished session again dates it again.
    restore(session, ShootFolder::at(18, 0, 0));
    EXPECT_EQ(logOf(session).restored, ShootFolder::at(18, 0, 0));
}

TEST_F(Restore, ReportsWhatTheLogGetsWrong)
{
    // A NUL would cut the path short in the system call.
    const QStringList unsafe { "", "/etc/hosts", "~/x.jpg", "a//x.jpg", "a/", "./x.jpg",
        "a/../x.jpg", u"x.jpg"_s + QChar(0) + u"/../.."_s };
    QList<RestoreLog::Entry> entries;
    for (const QString& path : unsafe)
        entries.append(entry(path, u"x.jpg"_s));
    entries << entry(u"y.jpg"_s, u"../y.jpg"_s) << entry(u"never.jpg"_s, {}, Status::planned)
            << entry(u"Gone/deleted.jpg"_s, u"P/deleted.jpg"_s)
            << entry(u"P/planned.jpg"_s, {}, Status::planned)
            << entry(u"x.jpg"_s, u"x.jpg"_s, Status::failed);
    const QString session = craftSession(entries);
    writeFile(session + u"/x.jpg"_s, "x");
    writeFile(session + u"/P/planned.jpg"_s, "p");
    writeFile(at(u"y.jpg"_s), "y");

    const RestoreOutcome outcome = restore(session);
    EXPECT_EQ(outcome.restored, 1);
    EXPECT_EQ(outcome.missing, QStringList({ "Gone/deleted.jpg" }));
    EXPECT_EQ(pathsOf(outcome.failed, Reason::unsafePathInLog), unsafe + QStringList { "y.jpg" });
    const RestoreLog log = logOf(session);
    const qsizetype n = unsafe.size();
    for (qsizetype i = 0; i <= n; ++i) {
        EXPECT_EQ(log.entries[i].status, Status::moved);
        EXPECT_EQ(log.entries[i].note, u"unsafe path in the log; left alone");
    }
    EXPECT_EQ(log.entries[n + 1], entries[n + 1]);
    EXPECT_EQ(log.entries[n + 2].note, u"not found at P/deleted.jpg");
    // Nor is a folder made again for a file that is not in the session.
    EXPECT_FALSE(QFileInfo::exists(at(u"Gone"_s)));
    EXPECT_EQ(log.entries[n + 3].status, Status::restored);
    EXPECT_EQ(log.entries[n + 4], entries[n + 4]);
    // Nothing is done on a failed entry, nor on one whose paths cannot be trusted.
    EXPECT_EQ(readFile(session + u"/x.jpg"_s), "x");
    EXPECT_EQ(readFile(at(u"y.jpg"_s)), "y");
    EXPECT_FALSE(log.restored.has_value());
}

TEST_F(Restore, PutsFilesBackWhereTheSessionIsNow)
{
    TempFolder elsewhere;
    const QString session = moved({ "A/IMG_1.JPG" });
    const QString copy = elsewhere.at(u"Shoots copy"_s);
    ASSERT_TRUE(QDir().rename(shoot.root(), copy));
    const QString sessionNow = copy + session.mid(shoot.root().size());
    EXPECT_EQ(restore(sessionNow).restored, 1);
    EXPECT_EQ(readFile(copy + u"/A/IMG_1.JPG"_s), "A/IMG_1.JPG");
    EXPECT_EQ(logOf(sessionNow).rootPath, shoot.root());
    QDir().rename(copy, shoot.root());
}

TEST_F(Restore, NeverGoesThroughALinkOrAFileOnTheWay)
{
    TempFolder outside;
    outside.write(u"pulled.jpg"_s, "outside");
    outside.makeFolder(u"pushed"_s);
    outside.makeFolder(u"walked/empty"_s);
    const QString session = craftSession(
        { entry(u"pulled.jpg"_s, u"L/pulled.jpg"_s), entry(u"T/pushed.jpg"_s, u"T/pushed.jpg"_s),
            entry(u"T/deeper/pushed.jpg"_s, u"T/deeper/pushed.jpg"_s),
            entry(u"F/home.jpg"_s, u"ok/home.jpg"_s), entry(u"away.jpg"_s, u"G/away.jpg"_s) });
    ASSERT_TRUE(QFile::link(outside.path(), session + u"/L"_s));
    ASSERT_TRUE(QFile::link(outside.at(u"walked"_s), session + u"/W"_s));
    ASSERT_TRUE(QFile::link(outside.at(u"pushed"_s), at(u"T"_s)));
    for (const QString& path : { u"T/pushed.jpg"_s, u"T/deeper/pushed.jpg"_s, u"ok/home.jpg"_s })
        writeFile(session + u'/' + path, "inside");
    writeFile(session + u"/G"_s, "a file");
    writeFile(at(u"F"_s), "a file");

    const RestoreOutcome outcome = restore(session);
    EXPECT_EQ(outcome.restored, 0);
    EXPECT_EQ(pathsOf(outcome.failed, Reason::linkOnTheWay),
        QStringList({ "pulled.jpg", "T/pushed.jpg", "T/deeper/pushed.jpg" }));
    EXPECT_EQ(
        pathsOf(outcome.failed, Reason::fileOnTheWay), QStringList({ "F/home.jpg", "away.jpg" }));
    // The note names the cause: nothing is wrong with the log's paths.
    const QString link = u"a folder on the way is a symbolic link; left alone"_s;
    const QString file = u"a folder on the way is a file; left alone"_s;
    QStringList notes;
    for (const RestoreLog::Entry& entry : logOf(session).entries)
        notes.append(entry.note.value_or(QString()));
    EXPECT_EQ(notes, QStringList({ link, link, link, file, file }));
    EXPECT_EQ(readFile(outside.at(u"pulled.jpg"_s)), "outside");
    EXPECT_FALSE(QFileInfo::exists(at(u"pulled.jpg"_s)));
    EXPECT_TRUE(contentsOf(outside.at(u"pushed"_s)).isEmpty());
    for (const QString& path : { u"T/pushed.jpg"_s, u"T/deeper/pushed.jpg"_s, u"ok/home.jpg"_s })
        EXPECT_EQ(readFile(session + u'/' + path), "inside");
    // Tidying the session does not walk into a linked folder either.
    EXPECT_TRUE(QFileInfo::exists(outside.at(u"walked/empty"_s)));
}

TEST_F(Restore, ATamperedLogNeverTakesTheLogsNorFillsTheReviewFolder)
{
    const QString session = moved({ "A/IMG_1.JPG" });
    const QString sessionPath = session.mid(shoot.root().size() + 1);
    // The text log taken out, a photo put in its place for the log writer to replace, the
    // writer's temporary file, and the same tricks in another letter case.
    RestoreLog log = logOf(session);
    log.entries = { entry(u"taken.txt"_s, Mover::textLogName()),
        entry(sessionPath + u'/' + Mover::textLogName(), u"A/IMG_1.JPG"_s),
        entry(u"log.json"_s, u"restore-LOG.json"_s), entry(u"temp"_s, u".Moved files.txt.x1.tmp"_s),
        entry(u"orvalin REVIEW/x.jpg"_s, u"A/IMG_1.JPG"_s) };
    writeFile(session + u'/' + Mover::logName(), log.encoded());
    writeFile(session + u"/.Moved files.txt.x1.tmp"_s, "temporary");

    const RestoreOutcome outcome = restore(session);
    EXPECT_EQ(outcome.restored, 0);
    EXPECT_EQ(pathsOf(outcome.failed, Reason::unsafePathInLog).size(), 5);
    expectNotes(session, u"unsafe path in the log; left alone"_s);
    EXPECT_EQ(readFile(session + u"/A/IMG_1.JPG"_s), "A/IMG_1.JPG");
    EXPECT_TRUE(textLogOf(session).startsWith(u"Orvalin"));
    // The temporary file went the way of a kill's leftovers, cleared by the log writer; it was
    // never taken home.
    EXPECT_FALSE(QFile::exists(session + u"/.Moved files.txt.x1.tmp"_s));
    for (const QString& name : { u"taken.txt"_s, u"temp"_s })
        EXPECT_EQ(disk.kindOf(disk.openFolder(shoot.root()), name), ItemKind::none);
}

TEST_F(Restore, SaysWhyAFileThatIsWhereTheLogSaysCouldNotGoBack)
{
    const struct
    {
        const char* path;
        int error;
        Reason reason;
    } refusals[] = { { "A/read-only.jpg", EACCES, Reason::permissionDenied },
        { "B/mounted.jpg", EXDEV, Reason::onAnotherDrive },
        { "C/immutable.jpg", EPERM, Reason::cannotBeChanged },
        { "D/full.jpg", ENOSPC, Reason::diskFull }, { "E/strange.jpg", EIO, Reason::other },
        { "F/also-read-only.jpg", EACCES, Reason::permissionDenied } };
    QStringList paths { "fine.jpg" };
    FaultyFileManager faulty;
    for (const auto& refusal : refusals) {
        paths.append(QString::fromUtf8(refusal.path));
        faulty.failPaths(Operation::move,
            u"/Orvalin Review/.*/"_s + QString::fromUtf8(refusal.path), refusal.error);
    }
    const QString session = moved(paths);
    const RestoreOutcome outcome = restore(session, ShootFolder::at(16, 0, 0), &faulty);
    EXPECT_EQ(outcome.restored, 1);
    EXPECT_TRUE(outcome.missing.isEmpty()) << "they are where the log says";
    ASSERT_EQ(outcome.failed.size(), std::size(refusals));
    for (qsizetype i = 0; i < outcome.failed.size(); ++i) {
        EXPECT_EQ(outcome.failed[i].path, paths[i + 1]);
        EXPECT_EQ(outcome.failed[i].reason, refusals[i].reason);
        EXPECT_TRUE(outcome.failed[i].note.startsWith(u"Injected failure"));
    }
    EXPECT_EQ(Messages::restoreNotice(outcome),
        u"Put back 1 files. 2 couldn’t be put back: permission denied. 1 couldn’t be put back: on "
        "another drive. 1 couldn’t be put back: can’t be changed. 1 couldn’t be put back: the disk "
        "is full. 1 couldn’t be put back; see the log."_s);
    for (const QString& path : paths.mid(1))
        EXPECT_EQ(readFile(session + u'/' + path), path.toUtf8());
}

TEST_F(Restore, FailsOnAFailedRewriteBeforeMovingAnything)
{
    const QString session = moved({ "A/IMG_1.JPG" });
    FaultyFileManager fileManager;
    fileManager.failPaths(Operation::write, u"restore-log"_s);
    EXPECT_THROW(restore(session, ShootFolder::at(16, 0, 0), &fileManager), OperationError);
    // No file goes back while the log cannot say so, and no folder is tidied.
    EXPECT_EQ(fileManager.calls(Operation::move), 0);
    EXPECT_EQ(readFile(session + u"/A/IMG_1.JPG"_s), "A/IMG_1.JPG");
    EXPECT_EQ(fileManager.calls(Operation::removeEmptyFolder), 0);
}

TEST_F(Restore, SessionsListsReadableSessionsNewestFirstAndRestoreRefusesTheRest)
{
    EXPECT_TRUE(Mover::sessions(shoot.root(), ShootFolder::reviewName(), disk).isEmpty());
    const QString older = shoot.move({}, disk, ShootFolder::at(9, 0, 0)).session;
    const QString newer = shoot.move({}, disk, ShootFolder::at(10, 0, 0, 4)).session;
    const QString newest = shoot.move({}, disk, ShootFolder::at(8, 0, 0, 6)).session;
    const QString review = at(ShootFolder::reviewName()) + u'/';
    const auto logIn = [&](const char* folder) {
        return shoot.folder.makeFolder(ShootFolder::reviewName() + u'/' + QLatin1String(folder))
            + u'/' + Mover::logName();
    };
    logIn("no log");
    writeFile(logIn("damaged"), "{\"version\":1}");
    writeFile(review + u"plain file"_s, "x");
    QFile::copy(older + u'/' + Mover::logName(), logIn(".hidden"));
    // Logs that would block, follow a link to an endless file or fill the memory.
    ASSERT_EQ(::mkfifo(QFile::encodeName(logIn("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, logIn("zero")));
    QFile hugeLog(logIn("huge"));
    ASSERT_TRUE(hugeLog.open(QIODevice::WriteOnly) && hugeLog.resize(Mover::largestLog() + 1));
    hugeLog.close();

    QStringList folders;
    for (const ReviewSession& session :
        Mover::sessions(shoot.root(), ShootFolder::reviewName(), disk))
        folders.append(session.folder);
    EXPECT_EQ(folders, QStringList({ newest, older, newer }));
    for (const char* folder : { "no log", "damaged", "fifo", "zero", "huge" })
        EXPECT_THROW(restore(review + QLatin1String(folder)), OperationError) << folder;
}
