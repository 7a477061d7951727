#include "CliRunner.h"
#include "FailureReason.h"
#include "FaultyFileManager.h"

using namespace Qt::StringLiterals;

namespace {

// Two RAW files whose JPEG is gone, beside a pair, and orvalin-cli run on them in this process.
struct Shoot : TempFolder
{
    Shoot()
    {
        for (const char* name :
            { "Trip/IMG_1.CR3", "Trip/IMG_2.CR3", "Trip/IMG_3.CR3", "Trip/IMG_3.JPG" })
            write(QString::fromUtf8(name), "x");
    }
    FaultyFileManager files;
};

} // namespace

TEST(CliExitStatus, MoveTellsWhetherAllSomeOrNoneOfThePlanMoved)
{
    const struct
    {
        const char* line;
        const char* failing;
        int exitCode;
        QStringList notMoved;
    } cases[] = {
        { "move --tick jpeg", nullptr, 0, {} },
        { "move --tick raw", nullptr, 0, {} },
        { "move --tick raw", "IMG_1", 4, { u"Trip/IMG_1.CR3"_s } },
        { "move --tick raw", "IMG_", 1, { u"Trip/IMG_1.CR3"_s, u"Trip/IMG_2.CR3"_s } },
    };
    for (const auto& [line, failing, exitCode, notMoved] : cases) {
        SCOPED_TRACE(exitCode);
        Shoot shoot;
        if (failing)
            shoot.files.failPaths(FaultyFileManager::Operation::move, QString::fromUtf8(failing));
        const CliRun move = runCliInProcess(words(line) << shoot.path(), &shoot.files);
        EXPECT_EQ(move.exitCode, exitCode) << move.err.toStdString();
        EXPECT_EQ(move.out.contains(u"Nothing was moved."), notMoved.size() == 2);
        // One line a file: its place in the shoot and the reason once, no full path.
        QString expected;
        for (const QString& path : notMoved)
            expected += u"  %1: Injected failure on “%1”.\n"_s.arg(path);
        EXPECT_EQ(move.out.section(u" couldn’t be moved:\n"_s, 1), expected);
        EXPECT_TRUE(move.err.isEmpty());
    }
}

TEST(CliExitStatus, FailureReasonsSayTheSystemsReasonOnce)
{
    const QString move
        = u"Couldn’t move “/share/Trip/a.NEF” to “/share/Orvalin Review/s/Trip/a.NEF”: "_s;
    const std::pair<QString, QString> cases[] = {
        { move + u"Permission denied."_s, u"permission denied (the folder can’t be changed)"_s },
        { move + u"Transport endpoint is not connected."_s,
            u"transport endpoint is not connected (the drive or network share stopped answering)"_s },
        { move + u"No space left on device."_s, u"no space left on device (the drive is full)"_s },
        { move + u"Invalid cross-device link."_s, u"invalid cross-device link"_s },
        { u"Couldn’t look at “/share/Trip: day 2/a.NEF”: not a reason."_s,
            u"Couldn’t look at “Trip: day 2/a.NEF”: not a reason."_s },
    };
    for (const auto& [note, reason] : cases)
        EXPECT_EQ(FailureReason::of(note, u"/share"_s), reason);
}

// Restore's statuses, all, some or none back, are met on the sample shoot in the workflow test.

TEST(CliExitStatus, AFolderThatCannotBeUsedIsOneLineAndAFailure)
{
    Shoot shoot;
    // Only the shoot's own look-up fails: an unreachable share, simulated.
    shoot.files.failPaths(FaultyFileManager::Operation::openFolder,
        u"^%1$"_s.arg(QRegularExpression::escape(shoot.path())));
    // %1 is the shoot.
    const std::pair<const char*, const char*> cases[] = {
        { "%1", "Injected failure on “%1”." },
        { "%1/missing", "“%1/missing” doesn’t exist." },
        { "%1/Trip/IMG_1.CR3", "“%1/Trip/IMG_1.CR3” is not a folder." },
        { "%1/Trip/IMG_1.CR3/x",
            "Couldn’t open the folder “%1/Trip/IMG_1.CR3/x”: Not a directory." },
    };
    for (const char* command : { "scan", "sessions", "restore --all", "move --tick raw" }) {
        for (const auto& [path, message] : cases) {
            SCOPED_TRACE(std::string(command) + ' ' + path);
            const CliRun run = runCliInProcess(
                words(command) << QString::fromUtf8(path).arg(shoot.path()), &shoot.files);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(
                run.err, u"orvalin-cli: "_s + QString::fromUtf8(message).arg(shoot.path()) + u'\n');
            EXPECT_TRUE(run.out.isEmpty());
        }
    }
}
