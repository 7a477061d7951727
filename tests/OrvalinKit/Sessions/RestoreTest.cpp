#include "FaultyFileManager.h"
#include "Messages.h"
#include "ShootFolder.h"

#include <cerrno>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

using Status = RestoreLog::Status;
using Operation = FaultyFileManager::Operation;
using Reason = RestoreFailure::Reason;

class Restore : public ::testing::Test
{
protected:
    RestoreOutcome restore(const QString& session, const QDateTime& now = ShootFolder::at(16, 0, 0))
    {
        return ShootFolder::restore(session, disk, now);
    }

    QString at(const QString& path) const { return shoot.at(path); }
    RestoreLog logOf(const QString& session) const { return Mover::readLog(session, disk); }

    ShootFolder shoot;
    LocalFileManager disk;
};

} // namespace

TEST_F(Restore, PutsBackWhatIsFreeThenTheRestTidiesAndDatesTheLastFullRestore)
{
    const QStringList paths { "A/B/IMG_1.CR3", "A/B/IMG_1.xmp", "A/IMG_2.JPG", "C/IMG_3.JPG",
        "top.JPG" };
    shoot.add(paths);
    const MoveOutcome moved = shoot.move(paths, disk);
    const QString session = moved.session;
    // The originals' folders are gone too; restore makes them again.
    QDir(at(u"A"_s)).removeRecursively();
    writeFile(session + u"/C/.hidden"_s, "kept");
    writeFile(at(u"top.JPG"_s), "a new one");

    EXPECT_EQ(restore(session), (RestoreOutcome { 4, { u"top.JPG"_s }, {}, {} }));
    EXPECT_EQ(readFile(at(u"top.JPG"_s)), "a new one");
    EXPECT_EQ(readFile(session + u"/top.JPG"_s), "top.JPG");
    RestoreLog log = logOf(session);
    EXPECT_EQ(log.entries[4].status, Status::conflict);
    EXPECT_EQ(log.entries[4].note, u"a file is already at the original place");
    EXPECT_FALSE(log.restored.has_value());
    EXPECT_TRUE(textLogOf(session).contains(u"\nMoved (1)\n"));

    // The place is free again, and the shoot has moved with its session meanwhile: files go
    // back where the session is now.
    QFile::remove(at(u"top.JPG"_s));
    TempFolder elsewhere;
    const QString copy = elsewhere.at(u"Shoots copy"_s);
    ASSERT_TRUE(QDir().rename(shoot.root(), copy));
    const QString sessionNow = copy + session.mid(shoot.root().size());
    EXPECT_EQ(restore(sessionNow, ShootFolder::at(17, 0, 0)), (RestoreOutcome { 1, {}, {}, {} }));
    EXPECT_EQ(readFile(copy + u"/top.JPG"_s), "top.JPG");
    ASSERT_TRUE(QDir().rename(copy, shoot.root()));
    shoot.expectHome(paths);
    log = moved.log;
    log.restored = ShootFolder::at(17, 0, 0);
    for (RestoreLog::Entry& entry : log.entries)
        entry.status = Status::restored;
    EXPECT_EQ(logOf(session), log);
    EXPECT_EQ(contentsOf(session), QStringList({ "C", Mover::textLogName(), Mover::logName() }));
    EXPECT_EQ(contentsOf(session + u"/C"_s), QStringList({ ".hidden" }));
    const QString text = textLogOf(session);
    EXPECT_TRUE(text.startsWith(u"Orvalin moved 5 files on "));
    EXPECT_TRUE(text.contains(u"\nPut back (5)\n  A/B/IMG_1.CR3  ["));
    EXPECT_FALSE(text.contains(u"\nMoved ("));
    // Restoring a finished session again dates it again.
    restore(session, ShootFolder::at(18, 0, 0));
    EXPECT_EQ(logOf(session).restored, ShootFolder::at(18, 0, 0));
}

TEST_F(Restore, LeavesAloneEveryFileItCannotPutBackAndSaysWhy)
{
    const QString sessionPath = ShootFolder::reviewName() + u"/crafted"_s;
    const QString session = at(sessionPath);
    const QHash<Reason, QString> notes { { Reason::unsafePathInLog,
                                             u"unsafe path in the log; left alone"_s },
        { Reason::linkOnTheWay, u"a folder on the way is a symbolic link; left alone"_s },
        { Reason::fileOnTheWay, u"a folder on the way is a file; left alone"_s } };
    const struct
    {
        QString path;
        QString movedTo;
        Reason reason = Reason::unsafePathInLog;
        // The system's refusal to move the file, when it is where the log says.
        int error = 0;
    } refused[] = {
        // Paths that leave the folder, at home and in the session (all the kinds are in the log's
        // own test); a NUL would cut the path short in the system call.
        { u"a/../x.jpg"_s, u"x.jpg"_s },
        { u"x.jpg"_s + QChar(0) + u"/../.."_s, u"x.jpg"_s },
        { u"y.jpg"_s, u"../y.jpg"_s },
        // A tampered log taking the logs out, putting a photo in their place for the log writer
        // to replace, the writer's temporary file, and the same in another letter case.
        { u"taken.txt"_s, Mover::textLogName() },
        { sessionPath + u'/' + Mover::textLogName(), u"A/IMG_1.JPG"_s },
        { u"log.json"_s, u"restore-LOG.json"_s },
        { u"temp"_s, u".Moved files.txt.x1.tmp"_s },
        { u"orvalin REVIEW/x.jpg"_s, u"A/IMG_1.JPG"_s },
        // Links and files where folders belong, in the session and at home: the note names the
        // cause, for nothing is wrong with these paths.
        { u"pulled.jpg"_s, u"L/pulled.jpg"_s, Reason::linkOnTheWay },
        { u"T/pushed.jpg"_s, u"T/pushed.jpg"_s, Reason::linkOnTheWay },
        { u"T/deeper/pushed.jpg"_s, u"T/deeper/pushed.jpg"_s, Reason::linkOnTheWay },
        { u"F/home.jpg"_s, u"ok/home.jpg"_s, Reason::fileOnTheWay },
        { u"away.jpg"_s, u"G/away.jpg"_s, Reason::fileOnTheWay },
        { u"A/read-only.jpg"_s, u"A/read-only.jpg"_s, Reason::permissionDenied, EACCES },
        { u"B/mounted.jpg"_s, u"B/mounted.jpg"_s, Reason::onAnotherDrive, EXDEV },
        { u"C/immutable.jpg"_s, u"C/immutable.jpg"_s, Reason::cannotBeChanged, EPERM },
        { u"D/full.jpg"_s, u"D/full.jpg"_s, Reason::diskFull, ENOSPC },
        { u"E/strange.jpg"_s, u"E/strange.jpg"_s, Reason::other, EIO },
        { u"F2/also-read-only.jpg"_s, u"F2/also-read-only.jpg"_s, Reason::permissionDenied,
            EACCES },
    };
    QList<RestoreLog::Entry> entries;
    QList<RestoreFailure> failures;
    FaultyFileManager faulty;
    QStringList inside { "T/pushed.jpg", "T/deeper/pushed.jpg", "ok/home.jpg", "x.jpg", "G",
        "A/IMG_1.JPG" };
    for (const auto& row : refused) {
        entries.append(entry(row.path, row.movedTo, Status::moved));
        const QString from = session + u'/' + row.movedTo;
        failures.append({ row.path, row.reason,
            row.error ? u"Injected failure on “%1”."_s.arg(from) : notes.value(row.reason) });
        if (row.error) {
            faulty.failPaths(Operation::move, QRegularExpression::escape(from), row.error);
            inside.append(row.movedTo);
        }
    }
    const qsizetype n = entries.size();
    entries << entry(u"never.jpg"_s, {}, Status::planned)
            << entry(u"Gone/deleted.jpg"_s, u"P/deleted.jpg"_s, Status::moved)
            << entry(u"P/planned.jpg"_s, {}, Status::planned)
            << entry(u"x.jpg"_s, u"x.jpg"_s, Status::failed);

    shoot.folder.makeFolder(sessionPath);
    writeFile(session + u'/' + Mover::logName(),
        RestoreLog { 1, u"Orvalin"_s, ShootFolder::at(9, 0, 0), shoot.root(), Destination::review,
            entries, std::nullopt }
            .encoded());
    TempFolder outside;
    outside.write(u"pulled.jpg"_s, "outside");
    outside.makeFolder(u"pushed"_s);
    outside.makeFolder(u"walked/empty"_s);
    ASSERT_TRUE(QFile::link(outside.path(), session + u"/L"_s));
    ASSERT_TRUE(QFile::link(outside.at(u"walked"_s), session + u"/W"_s));
    ASSERT_TRUE(QFile::link(outside.at(u"pushed"_s), at(u"T"_s)));
    for (const QString& path : inside)
        writeFile(session + u'/' + path, "inside");
    writeFile(at(u"F"_s), "a file");
    writeFile(session + u"/P/planned.jpg"_s, "p");
    writeFile(session + u"/.Moved files.txt.x1.tmp"_s, "temporary");
    writeFile(at(u"y.jpg"_s), "y");

    const RestoreOutcome outcome = ShootFolder::restore(session, faulty);
    EXPECT_EQ(outcome, (RestoreOutcome { 1, {}, { u"Gone/deleted.jpg"_s }, failures }));
    EXPECT_EQ(Messages::restoreNotice(outcome),
        u"Put back 1 files. 1 weren’t where the log says (moved or deleted by hand). 8 couldn’t "
        "be put back: the log names an unsafe place. 3 couldn’t be put back: a folder on the way "
        "is a symbolic link. 2 couldn’t be put back: a file is where a folder belongs. 2 couldn’t "
        "be put back: permission denied. 1 couldn’t be put back: on another drive. 1 couldn’t be "
        "put back: can’t be changed. 1 couldn’t be put back: the disk is full. 1 couldn’t be put "
        "back; see the log."_s);
    const RestoreLog log = logOf(session);
    // Each refusal noted; nothing done on a planned or failed entry; a planned one whose file
    // arrived goes home.
    for (qsizetype i = 0; i < n; ++i)
        entries[i].note = failures[i].note;
    entries[n + 1].note = u"not found at P/deleted.jpg"_s;
    entries[n + 2].status = Status::restored;
    EXPECT_EQ(log.entries, entries);
    EXPECT_FALSE(log.restored.has_value());
    // Nor is a folder made again for a file that is not in the session.
    EXPECT_FALSE(QFileInfo::exists(at(u"Gone"_s)));

    for (const QString& path : inside)
        EXPECT_EQ(readFile(session + u'/' + path), "inside") << path.toStdString();
    EXPECT_EQ(readFile(at(u"y.jpg"_s)), "y");
    EXPECT_EQ(readFile(outside.at(u"pulled.jpg"_s)), "outside");
    EXPECT_TRUE(contentsOf(outside.at(u"pushed"_s)).isEmpty());
    EXPECT_TRUE(textLogOf(session).startsWith(u"Orvalin"));
    // The temporary file went the way of a kill's leftovers, cleared by the log writer; it was
    // never taken home.
    EXPECT_FALSE(QFile::exists(session + u"/.Moved files.txt.x1.tmp"_s));
    for (const QString& name : { u"taken.txt"_s, u"temp"_s, u"pulled.jpg"_s })
        EXPECT_EQ(disk.kindOf(disk.openFolder(shoot.root()), name), ItemKind::none);
    // Tidying the session does not walk into a linked folder either.
    EXPECT_TRUE(QFileInfo::exists(outside.at(u"walked/empty"_s)));
}

TEST_F(Restore, SessionsListsReadableSessionsNewestFirstAndRestoreRefusesTheRest)
{
    EXPECT_TRUE(shoot.sessions(disk).isEmpty());
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
    for (const ReviewSession& session : shoot.sessions(disk))
        folders.append(session.folder);
    EXPECT_EQ(folders, QStringList({ newest, older, newer }));
    for (const char* folder : { "no log", "damaged", "fifo", "zero", "huge" })
        EXPECT_THROW(restore(review + QLatin1String(folder)), OperationError) << folder;
}
