#include "FaultyFileManager.h"
#include "Formatting.h"
#include "ShootFolder.h"

#include <algorithm>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using Status = RestoreLog::Status;
using Operation = FaultyFileManager::Operation;

const QString linkNote = u"a folder on the way is a symbolic link; not moved"_s;

class Moving : public ::testing::Test
{
protected:
    ShootFolder shoot;
    LocalFileManager disk;
    FaultyFileManager faulty;
};

} // namespace

TEST_F(Moving, MovesFilesIntoANewSessionWithBothLogs)
{
    const QStringList paths { "2026-10 Garden/IMG_2203.CR3", "2026-10 Garden/IMG_2203.CR3.dop",
        "top.JPG" };
    shoot.add(paths);
    MovePlan plan = ShootFolder::plan(paths);
    plan.items[1].group = OrphanGroup::raw;
    plan.items[1].follows = paths[0];

    const QDateTime now = ShootFolder::at(14, 3, 12);
    const MoveOutcome outcome = Mover::move(plan, shoot.root() + u'/', ShootFolder::reviewName(),
        u"Orvalin"_s, now, LogWording::english(), faulty);
    const QString session = shoot.at(u"Orvalin Review/2026-10-05 at 14.03.12"_s);
    EXPECT_EQ(outcome.session, session);
    for (const QString& path : paths) {
        EXPECT_FALSE(QFileInfo::exists(shoot.at(path)));
        EXPECT_EQ(readFile(session + u'/' + path), path.toUtf8());
    }

    const RestoreLog& log = outcome.log;
    RestoreLog expected { 1, u"Orvalin"_s, now, shoot.root(), Destination::review, {}, {} };
    for (const PlanItem& item : plan.items)
        expected.entries.append({ item.file.relativePath, item.file.size, item.group, item.follows,
            item.file.relativePath, Status::moved, std::nullopt });
    EXPECT_EQ(log, expected);
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

    // Both logs are written before the first file moves, listing every file, and at the end; a
    // slow machine may write on the way too (LogSchedule), never with fewer files than before.
    // The JSON always follows its text log, so that it never tells more than the text does.
    const auto& written = faulty.written();
    ASSERT_GE(written.size(), 4);
    QList<qsizetype> counts;
    for (qsizetype i = 0; i + 1 < written.size(); i += 2) {
        EXPECT_TRUE(written.at(i).first.endsWith(Mover::textLogName()));
        EXPECT_TRUE(written.at(i + 1).first.endsWith(Mover::logName()));
        counts.append(RestoreLog::decoded(written.at(i + 1).second).movedCount());
    }
    EXPECT_EQ(counts.first(), 0);
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
    EXPECT_EQ(RestoreLog::decoded(written.at(1).second).entries.size(), 3);
}

TEST_F(Moving, NamesSessionsByTimeAndTargetsSoThatNoneIsReusedOrFoldedIntoAnother)
{
    const QString review = shoot.at(ShootFolder::reviewName()) + u"/2026-10-05 at 14.03.12"_s;
    // An empty plan still leaves a session with both logs; the text has only its header.
    const QString empty = shoot.move({}, disk).session;
    EXPECT_EQ(empty, review);
    EXPECT_TRUE(Mover::readLog(empty, disk).entries.isEmpty());
    EXPECT_TRUE(textLogOf(empty).startsWith(u"Orvalin moved 0 files on "));
    EXPECT_EQ(textLogOf(empty).count(u'\n'), 6);

    const QString composed = u"a/Caf\u00e9.jpg"_s;
    const QString decomposed = u"a/Cafe\u0301.jpg"_s;
    const QStringList paths { "a/IMG_1.JPG", "a/img_1.jpg", "a/README", "a/readme", composed,
        decomposed, "a/.hidden", "a/.HIDDEN" };
    shoot.add(paths);
    const MoveOutcome outcome = shoot.move(paths, disk);
    EXPECT_EQ(outcome.session, review + u" 2"_s);
    QStringList targets;
    for (const RestoreLog::Entry& entry : outcome.log.entries) {
        EXPECT_EQ(entry.status, Status::moved) << entry.path.toStdString();
        EXPECT_EQ(readFile(outcome.session + u'/' + *entry.movedTo), entry.path.toUtf8());
        targets.append(*entry.movedTo);
    }
    EXPECT_EQ(targets,
        QStringList({ "a/IMG_1.JPG", "a/img_1 2.jpg", "a/README", "a/readme 2", composed,
            u"a/Cafe\u0301 2.jpg"_s, "a/.hidden", "a/.HIDDEN 2" }));

    shoot.add(u"one.jpg"_s);
    const QString single = shoot.move({ "one.jpg" }, disk).session;
    EXPECT_EQ(single, review + u" 3"_s);
    EXPECT_TRUE(textLogOf(single).startsWith(u"Orvalin moved 1 file on "));
}

TEST_F(Moving, RecordsWhyFilesCouldNotMoveAndNeverOverwritesNorGoesThroughALink)
{
    TempFolder outside;
    outside.write(u"L/IMG_1.JPG"_s, "outside");
    outside.makeFolder(u"planted"_s);
    shoot.add({ "W/taken.jpg", "X/raced.jpg", "Y/fine.jpg", "Y/broken.jpg", "Z/stays.jpg",
        "P/IMG_2.JPG", "A/1.jpg", "A/2.jpg", "B/1.jpg", "B/2.jpg", "C/1.jpg" });
    // A folder of the scan swapped for a link after the scan.
    ASSERT_TRUE(QFile::link(outside.at(u"L"_s), shoot.at(u"L"_s)));
    // As the mover makes a folder in the session, something appears in it, or it becomes a link.
    faulty.before(Operation::createFolder, [&](const QString& path, const QString&) {
        if (path.endsWith(u"/W"))
            writeFile(path + u"/taken.jpg"_s, "someone else's");
        if (path.endsWith(u"/P"))
            QFile::link(outside.at(u"planted"_s), path);
    });
    // Something appears at a target just before its move; while C/1.jpg moves, folder A of the
    // shoot and folder B of the session become links.
    faulty.before(Operation::move, [&](const QString& from, const QString& to) {
        if (from.endsWith(u"raced.jpg"))
            writeFile(to, "someone else's");
        if (!from.endsWith(u"C/1.jpg"))
            return;
        const QString session = to.chopped(u"/C/1.jpg"_s.size());
        for (const auto& [folder, away] : { std::pair { shoot.at(u"A"_s), outside.at(u"A"_s) },
                 std::pair { session + u"/B"_s, outside.at(u"B"_s) } }) {
            QDir().rename(folder, away);
            QFile::link(away, folder);
        }
    });
    faulty.failPaths(Operation::move, u"broken"_s);

    const MoveOutcome outcome = shoot.move(
        { "gone.jpg", "W/taken.jpg", "X/raced.jpg", "Y/broken.jpg", "Y/fine.jpg", "Z/gone.jpg",
            "L/IMG_1.JPG", "P/IMG_2.JPG", "A/1.jpg", "B/1.jpg", "C/1.jpg", "A/2.jpg", "B/2.jpg" },
        faulty);
    const QString injected = u"Injected failure on “%1”."_s.arg(shoot.at(u"Y/broken.jpg"_s));
    QStringList entryNotes;
    for (const RestoreLog::Entry& entry : outcome.log.entries)
        entryNotes.append(entry.note.value_or(u"-"_s));
    EXPECT_EQ(entryNotes,
        QStringList({ "not found", "something is already at W/taken.jpg",
            "something is already at X/raced.jpg", injected, "-", "not found", linkNote, linkNote,
            "-", "-", "-", linkNote, linkNote }));
    EXPECT_EQ(outcome.failed().size(), 9);
    EXPECT_EQ(outcome.log.entries[4].status, Status::moved);
    // No folder is made in the session for a file that is not there.
    EXPECT_FALSE(QFileInfo::exists(outcome.session + u"/Z"_s));

    shoot.expectHome({ "W/taken.jpg", "X/raced.jpg", "Y/broken.jpg", "P/IMG_2.JPG", "B/2.jpg" });
    EXPECT_EQ(readFile(outcome.session + u"/W/taken.jpg"_s), "someone else's");
    EXPECT_EQ(readFile(outcome.session + u"/X/raced.jpg"_s), "someone else's");
    EXPECT_EQ(readFile(outside.at(u"L/IMG_1.JPG"_s)), "outside");
    EXPECT_TRUE(QDir(outside.at(u"planted"_s)).isEmpty());
    EXPECT_EQ(readFile(outside.at(u"A/2.jpg"_s)), "A/2.jpg");
    EXPECT_EQ(contentsOf(outside.at(u"B"_s)), QStringList({ "1.jpg" }));
    const QString text = textLogOf(outcome.session);
    EXPECT_TRUE(text.contains(u"\nNot moved (9)\n  gone.jpg  ["));
    EXPECT_TRUE(text.contains(u"]  ->  gone.jpg  (not found)\n"));
    EXPECT_TRUE(text.startsWith(u"Orvalin moved 4 files on "));
}

TEST(MoverFailure, MovesNothingWhenTheReviewFolderIsNotToBeHad)
{
    const TempFolder elsewhere;
    const auto expectRefused = [&](const ShootFolder& shoot, const char* why) {
        FaultyFileManager files;
        // Said once, before why.
        EXPECT_EQ(messageOf([&] { shoot.move({ "A/IMG_1.JPG" }, files); }),
            u"Nothing was moved: The review folder “%1” %2."_s.arg(
                shoot.at(ShootFolder::reviewName()), QLatin1StringView(why)));
        EXPECT_TRUE(shoot.holds(u"A/IMG_1.JPG"_s));
        EXPECT_EQ(files.calls(Operation::move), 0);
        EXPECT_TRUE(contentsOf(shoot.at(ShootFolder::reviewName())).isEmpty());
        EXPECT_TRUE(contentsOf(elsewhere.path()).isEmpty());
    };
    const ShootFolder linked({ "A/IMG_1.JPG" });
    ASSERT_TRUE(QFile::link(elsewhere.path(), linked.at(ShootFolder::reviewName())));
    expectRefused(linked, "is a symbolic link or not a folder");
    // A bind mount keeps the device number; a rename out of it fails all the same.
    ShootFolder mounted({ "A/IMG_1.JPG" });
    const QString review = mounted.folder.makeFolder(ShootFolder::reviewName());
    if (::geteuid() != 0 || !runs(u"mount"_s, { u"--bind"_s, elsewhere.path(), review }))
        GTEST_SKIP() << "mounting needs root";
    expectRefused(mounted, "is on another drive");
    runs(u"umount"_s, { review });
}
