// What could not be read is named where the command line scans, and what depends on it is never
// offered, let alone moved.
#include "CliRunner.h"
#include "ScanReport.h"

#include <QJsonArray>
#include <cerrno>

using namespace Qt::StringLiterals;

TEST(CliUnreadable, ScanAndMoveNameTheFolderAndOfferNothingWhoseTwinCouldBeThere)
{
    TempFolder shoot;
    for (const QString& path :
        { u"RAW/IMG_1.CR3"_s, u"RAW/IMG_2.CR3"_s, u"RAW/IMG_3.CR3"_s, u"JPG/IMG_1.JPG"_s })
        shoot.write(path);
    const UnreadableFolders locked(shoot.path(), { u"JPG"_s });
    if (!locked.whyNot().isEmpty())
        GTEST_SKIP() << locked.whyNot().toStdString();
    const QString reason = UnreadableItem::reasonFor(EACCES);
    const auto run = [&](const char* line) {
        const CliRun done = runCliInProcess(
            words(line) + words("--match-across-folders --no-only-mixed-folders") << shoot.path());
        EXPECT_EQ(done.exitCode, 0) << line << done.err.toStdString();
        return done;
    };

    const QString named
        = u"Couldn’t read: JPG/ (%1)\n3 leftovers held back: their twins, photos or "
          "sidecars could be in what couldn’t be read\n"_s.arg(reason);
    EXPECT_TRUE(run("scan").out.contains(named + u"\nRAW without JPEG: none\n"_s));
    EXPECT_TRUE(run("move --tick raw").out.startsWith(named + u"\nMoving 0 files."_s));

    const QJsonObject unreadable { { u"path"_s, u"JPG"_s }, { u"reason"_s, reason } };
    for (const char* line : { "scan --json", "move --tick raw --dry-run --json" }) {
        const QJsonValue report = json(run(line));
        EXPECT_EQ(report[u"unreadable"_s].toArray(), QJsonArray { unreadable }) << line;
        EXPECT_EQ(report[u"unreadableCount"_s].toInt(), 1) << line;
        EXPECT_EQ(report[u"heldByUnreadable"_s].toInt(), 3) << line;
    }
}

TEST(CliUnreadable, NamesTheFirstFewAndCountsTheRest)
{
    ScanResult result;
    result.unreadable = { { { QString(), u"input/output error"_s, true },
                              { u"A/IMG_1.JPG"_s, u"permission denied"_s, false },
                              { u"B\x1b"_s, u"permission denied"_s, true },
                              { u"C"_s, u"permission denied"_s, true } },
        104 };
    EXPECT_EQ(ScanReport::unreadableLines(result),
        u"Couldn’t read: (the scanned folder itself) (input/output error), A/IMG_1.JPG (permission "
        "denied), B\\x1B/ (permission denied) and 101 more\n"_s);
}
