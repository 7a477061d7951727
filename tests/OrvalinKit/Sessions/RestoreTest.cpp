#include "FaultyFileManager.h"
#include "LocalFileManager.h"
#include "OperationError.h"
#include "ShootFolder.h"

#include <QDirIterator>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

using Status = RestoreLog::Status;
using Operation = FaultyFileManager::Operation;

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

    EXPECT_EQ(restore(session), (RestoreOutcome { 5, {}, {} }));
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

    EXPECT_EQ(restore(session), (RestoreOutcome { 1, { u"A/IMG_1.JPG"_s }, {} }));
    EXPECT_EQ(readFile(at(u"A/IMG_1.JPG"_s)), "a new one");
    EXPECT_EQ(readFile(session + u"/A/IMG_1.JPG"_s), "A/IMG_1.JPG");
    RestoreLog log = logOf(session);
    EXPECT_EQ(log.entries[0].status, Status::conflict);
    EXPECT_EQ(log.entries[0].note, u"a file is already at the original place");
    EXPECT_FALSE(log.restored.has_value());
    EXPECT_TRUE(textLogOf(session).contains(u"\nMoved (1)\n"));

    QFile::remove(at(u"A/IMG_1.JPG"_s));
    EXPECT_EQ(restore(session, ShootFolder::at(17, 0, 0)), (RestoreOutcome { 1, {}, {} }));
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

    EXPECT_EQ(restore(session),
        (RestoreOutcome { 1, {}, unsafe + QStringList { "y.jpg", "Gone/deleted.jpg" } }));
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
    EXPECT_EQ(outcome.missing,
        QStringList(
            { "pulled.jpg", "T/pushed.jpg", "T/deeper/pushed.jpg", "F/home.jpg", "away.jpg" }));
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
    EXPECT_EQ(outcome.missing.size(), 5);
    expectNotes(session, u"unsafe path in the log; left alone"_s);
    EXPECT_EQ(readFile(session + u"/A/IMG_1.JPG"_s), "A/IMG_1.JPG");
    EXPECT_TRUE(textLogOf(session).startsWith(u"Orvalin"));
    // The temporary file went the way of a kill's leftovers, cleared by the log writer; it was
    // never taken home.
    EXPECT_FALSE(QFile::exists(session + u"/.Moved files.txt.x1.tmp"_s));
    for (const QString& name : { u"taken.txt"_s, u"temp"_s })
        EXPECT_EQ(disk.kindOf(disk.openFolder(shoot.root()), name), ItemKind::none);
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

namespace {

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
            Mover::restore(session, LogWording::english(), ShootFolder::at(16, 0, 0), faulty);
            ADD_FAILURE() << "the restore was not cut off";
        } catch (const Killed&) {
        } catch (const OperationError&) {
        }
        // A kill between creating a temporary log and renaming it leaves that behind.
        writeFile(session + u"/.restore-log.json.k7x2.tmp"_s, "{");
        writeFile(session + u"/.Moved files.txt.0a.tmp"_s, "M");

        const QList<ReviewSession> listed
            = Mover::sessions(shoot.root(), ShootFolder::reviewName(), disk);
        ASSERT_EQ(listed.size(), 1);
        const int left = int(paths.size()) - cut.wentHome;
        EXPECT_EQ(listed[0].log.movedCount(), left);
        EXPECT_EQ(filesIn(session), left + 2);

        const QDateTime later = ShootFolder::at(18, 0, 0);
        EXPECT_EQ(Mover::restore(session, LogWording::english(), later, disk),
            (RestoreOutcome { left, {}, {} }));
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
