#include "CliRunner.h"
#include "CrashDrill.h"
#include "ScanReport.h"
#include "Scanner.h"
#include "SeedRules.h"

#include <QFile>
#include <QJsonArray>
#include <QProcess>

using namespace Qt::StringLiterals;

// The sample shoot scanned, moved and restored as a user's shell would run orvalin-cli.
TEST(CliWorkflow, ScanMoveAndRestoreBringBackEveryFileButNeverOverwriteOne)
{
    TempFolder shoot;
    const CliRun sample = runCli({ u"sample"_s, shoot.path() });
    ASSERT_EQ(sample.exitCode, 0) << sample.err.toStdString();
    ASSERT_TRUE(sample.out.contains(u"59"));
    // Runs the words of `line` and `more` on the sample shoot.
    const auto run = [&](const char* line, const QStringList& more = {}) {
        return runCli(words(line) + more << shoot.path());
    };
    const auto jsonOf = [&](const char* line, const QStringList& more = {}) {
        const CliRun done = run(line, more);
        EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
        return json(done);
    };
    // Sets or clears the immutable flag; false where it cannot be set (it needs root and chattr).
    const auto setImmutable = [](const QString& path, bool immutable) {
        return QProcess::execute(u"chattr"_s, { immutable ? u"+i"_s : u"-i"_s, path }) == 0;
    };

    const QJsonValue report = jsonOf("scan --json");
    for (const auto& [key, count] : { std::pair { u"fileCount", 59 }, { u"rawCount", 27 },
             { u"twinCount", 27 }, { u"sidecarCount", 5 }, { u"heldInSingleKindFolders", 4 } })
        EXPECT_EQ(report[key].toInt(), count) << QString::fromUtf16(key).toStdString();
    EXPECT_TRUE(report[u"unreadable"].isArray() && report[u"unreadable"].toArray().isEmpty());
    EXPECT_EQ(report[u"pairs"].toArray().size(), 20);
    // Which files the sample leaves over is the sample's own test; here, how they are listed.
    const QJsonObject follower { { u"path"_s, u"2026-09 Lake trip/DSC_0106.NEF.xmp"_s },
        { u"size"_s, 224 }, { u"kind"_s, u"sidecar"_s } };
    EXPECT_EQ(report[u"orphanRaws"][1][u"followers"], QJsonArray { follower });
    EXPECT_EQ(report[u"orphanSidecars"][1][u"path"].toString(), u"2026-10 Garden/IMG_2290.pp3");
    EXPECT_EQ(report[u"orphanJPEGs"][0][u"path"].toString(), u"2026-09 Lake trip/DSC_0115.JPG");

    const CliRun text = run("scan");
    // Counted as the window counts them, with the sidecars that move with them named apart.
    EXPECT_TRUE(text.out.contains(u"RAW without JPEG: 7 files, with 2 sidecars, "));
    EXPECT_TRUE(text.out.contains(u"+ DSC_0106.NEF.xmp"));
    EXPECT_TRUE(text.err.isEmpty()) << "no progress line when stderr is not a terminal";

    const QJsonObject byTime { { u"raw"_s, u"2026-10 Garden/IMG_2205.CR3"_s },
        { u"twins"_s, QJsonArray { u"2026-10 Garden/IMG_2205-Edit.jpg"_s } },
        { u"byCaptureTime"_s, true } };
    EXPECT_EQ(
        jsonOf("scan --json --no-ignore-edit-suffixes --match-capture-time")[u"pairs"][19], byTime);

    const QMap<QString, QByteArray> before = CrashDrill::fingerprint(shoot.path());
    const QString paired = u"2026-09 Lake trip/DSC_0101.NEF"_s;
    const CliRun refused = run("move --path", { paired });
    EXPECT_EQ(refused.exitCode, 1) << "a path that is no leftover";
    EXPECT_EQ(
        refused.err, u"orvalin-cli: “%1” is not a leftover that can be ticked.\n"_s.arg(paired));
    const QJsonValue dryRun = jsonOf("move --tick raw --dry-run --json");
    EXPECT_EQ(dryRun[u"plan"][u"fileCount"].toInt(), 9);
    const QJsonObject rawLine { { u"group"_s, u"raw"_s }, { u"picked"_s, 7 }, { u"sidecars"_s, 2 },
        { u"size"_s, 219950414 } };
    EXPECT_EQ(dryRun[u"plan"][u"lines"], QJsonArray { rawLine });
    EXPECT_FALSE(dryRun.toObject().contains(u"session"));
    EXPECT_EQ(CrashDrill::fingerprint(shoot.path()), before);

    const QString sidecar = u"2026-10 Garden/IMG_2290.pp3"_s;
    const QJsonValue moved = jsonOf("move --tick raw --json --path", { sidecar });
    EXPECT_EQ(moved[u"moved"].toInt(), 10);
    EXPECT_TRUE(moved[u"failed"].toArray().isEmpty());
    const QString session = moved[u"session"].toString();
    EXPECT_TRUE(session.startsWith(shoot.at(u"Orvalin Review/"_s)));

    EXPECT_EQ(jsonOf("scan --json")[u"fileCount"].toInt(), 49)
        << "the review folder is never scanned";
    const QJsonArray sessions = jsonOf("sessions --json").toArray();
    ASSERT_EQ(sessions.size(), 1);
    EXPECT_EQ(sessions[0][u"waiting"].toInt(), 0);
    EXPECT_FALSE(sessions[0].toObject().contains(u"restored"));

    // A file back in place first: it waits, and the rest goes home. A file that cannot be changed
    // (where root can make one so) stays too, and the report says why.
    shoot.write(sidecar, "written after the move");
    const QString dop = session + u"/2026-10 Garden/IMG_2203.CR3.dop"_s;
    const bool immutable = setImmutable(dop, true);
    const CliRun partly = run("restore --json --all");
    EXPECT_EQ(partly.exitCode, 4) << "done in part";
    const QJsonValue blocked = json(partly);
    EXPECT_EQ(blocked[u"restored"].toInt(), immutable ? 8 : 9);
    EXPECT_EQ(blocked[u"conflicts"].toArray(), QJsonArray({ sidecar }));
    EXPECT_TRUE(blocked[u"missing"].toArray().isEmpty());
    EXPECT_EQ(blocked[u"failed"].toArray().size(), immutable ? 1 : 0);
    if (immutable) {
        EXPECT_EQ(blocked[u"failed"][0][u"reason"].toString(), u"can’t be changed");
        setImmutable(dop, false);
        const CliRun rest = run("restore --json --all");
        EXPECT_EQ(rest.exitCode, 4) << "the sidecar still waits";
        EXPECT_EQ(json(rest)[u"restored"].toInt(), 1);
    }
    EXPECT_EQ(run("restore --all").exitCode, 1) << "nothing went back";
    EXPECT_EQ(jsonOf("sessions --json")[0][u"waiting"].toInt(), 1);
    EXPECT_TRUE(
        run("sessions")
            .out.contains(u"1 waiting: a file with the same name is back in the original place"));

    QFile::remove(shoot.at(sidecar));
    EXPECT_EQ(jsonOf("restore --json --all")[u"restored"].toInt(), 1);
    QMap<QString, QByteArray> after = CrashDrill::fingerprint(shoot.path());
    after.removeIf([](const auto& item) { return item.key().startsWith(u"Orvalin Review/"); });
    EXPECT_EQ(after, before);
    EXPECT_TRUE(jsonOf("sessions --json")[0].toObject().contains(u"restored"));
}

// A move or a restore killed at any moment must leave every file restorable, byte for byte, and
// a listing and a next restore that tell the truth.
TEST(CliCrash, KilledMovesAndRestoresLoseNothing)
{
    const CrashDrillReport report
        = CrashDrill::run(QStringLiteral(ORVALIN_CLI_PATH), 6, 2000, 20261207);
    EXPECT_GE(report.filesChecked, 6 * 2000);
    EXPECT_TRUE(report.clean()) << report.problems.mid(0, 20).join(u'\n').toStdString();
}

TEST(CliRefusal, CatalogFolderExitsWithThreeAndTheReason)
{
    TempFolder folder;
    folder.write(u"IMG_1.CR3"_s);
    folder.write(u"Lightroom/Catalog.lrcat"_s);
    for (const char* line : { "scan", "move --tick raw --no-only-mixed-folders" }) {
        const CliRun run = runCli(words(line) << folder.path());
        EXPECT_EQ(run.exitCode, 3) << line;
        // The error, then why and what to do instead, on one line.
        EXPECT_EQ(run.err,
            u"orvalin-cli: Orvalin won’t work on this folder. Nothing was moved.\nThis folder "
            "holds a Lightroom catalog (“Lightroom/Catalog.lrcat”). Moving photos a catalog "
            "knows about makes them show as missing in Lightroom. Choose a folder of shoots "
            "without a catalog, or remove the photos from inside Lightroom.\n"_s)
            << line;
    }
    EXPECT_TRUE(QFile::exists(folder.at(u"IMG_1.CR3"_s)));
}

TEST(CliStamps, PrintsOneLinePerFileAndFailsOnAFileThatIsNotThere)
{
    const QString canon = corpusFile(u"Apple.jpg"_s);
    const QString text = corpusFile(u"XMP.xmp"_s);
    const CliRun stamps = runCli({ u"stamps"_s, canon, u"/nowhere/IMG_1.CR3"_s, text });
    EXPECT_EQ(stamps.exitCode, 1);
    EXPECT_EQ(stamps.out, canon + u"\t2016:09:28 18:18:05\t813\tiPhone 7\n"_s + text + u'\n');
    EXPECT_EQ(stamps.err, u"orvalin-cli: “/nowhere/IMG_1.CR3”: No such file or directory\n"_s);
}

TEST(CliScan, WithoutKnownToolNamesAgreesWithThePlainRulesOnRandomTrees)
{
    for (quint32 seed = 1; seed <= 4; ++seed) {
        TempFolder tree;
        for (const FileEntry& file : SeedRules::randomTree(seed, 250))
            tree.write(file.relativePath, QByteArray(int(file.size), 'x'));
        const MatchOptions options = SeedRules::randomOptions(seed);
        QStringList arguments = words("scan --json --no-known-tool-names");
        for (const auto& [flag, on] :
            { std::pair { "ignore-edit-suffixes", options.ignoreEditSuffixes },
                { "canon-prefixes", options.canonPrefixes },
                { "match-across-folders", options.matchAcrossFolders },
                { "only-mixed-folders", options.onlyMixedFolders },
                { "trim-heic", options.trimHEIC } })
            arguments << (on ? u"--"_s : u"--no-"_s) + QString::fromLatin1(flag);
        const CliRun scan = runCli(arguments << tree.path());
        ASSERT_EQ(scan.exitCode, 0) << scan.err.toStdString();

        // The same files in the order the scan meets them, analysed by the plain rules.
        const QList<FileEntry> scanned
            = Scanner::scan(tree.path(), ScanOptions { u"Orvalin Review"_s });
        QString expected;
        QTextStream out(&expected);
        ScanReport::writeJson({ tree.path(), scanned, SeedRules::analyze(scanned, options) }, out);
        out.flush();
        EXPECT_EQ(scan.out, expected) << "seed " << seed;
    }
}
