#include "CliRunner.h"
#include "Scanner.h"
#include "SeedRules.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

QJsonValue json(const CliRun& run)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
}

QStringList paths(const QJsonArray& candidates)
{
    QStringList list;
    for (const QJsonValue& candidate : candidates)
        list << candidate[u"path"].toString();
    return list;
}

// Relative path -> size and digest of every file below `root`, hidden ones included. The sample's
// pictures are padded with megabytes of zeros; their head holds what tells them apart.
QMap<QString, QByteArray> fingerprint(const QString& root)
{
    QMap<QString, QByteArray> digests;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray head = file.read(256 * 1024);
        digests.insert(path.mid(root.size() + 1),
            QByteArray::number(file.size())
                + QCryptographicHash::hash(head, QCryptographicHash::Sha256));
    }
    return digests;
}

class CliWorkflow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const CliRun sample = runCli({ QStringLiteral("sample"), shoot.path() });
        ASSERT_EQ(sample.exitCode, 0) << sample.err.toStdString();
        ASSERT_TRUE(sample.out.contains(u"59"));
    }

    CliRun run(QStringList arguments)
    {
        arguments << shoot.path();
        return runCli(arguments);
    }

    TempFolder shoot;
};

} // namespace

TEST_F(CliWorkflow, ScanReportsTheSampleShoot)
{
    const CliRun scan = run({ QStringLiteral("scan"), QStringLiteral("--json") });
    ASSERT_EQ(scan.exitCode, 0) << scan.err.toStdString();
    const QJsonValue report = json(scan);
    EXPECT_EQ(report[u"fileCount"].toInt(), 59);
    EXPECT_EQ(report[u"rawCount"].toInt(), 27);
    EXPECT_EQ(report[u"twinCount"].toInt(), 27);
    EXPECT_EQ(report[u"sidecarCount"].toInt(), 5);
    EXPECT_EQ(report[u"heldInSingleKindFolders"].toInt(), 4);
    EXPECT_EQ(report[u"pairs"].toArray().size(), 20);
    EXPECT_EQ(paths(report[u"orphanRaws"].toArray()),
        QStringList({ "2026-09 Lake trip/DSC_0103.NEF", "2026-09 Lake trip/DSC_0106.NEF",
            "2026-09 Lake trip/DSC_0107.NEF", "2026-09 Lake trip/DSC_0110.NEF",
            "2026-10 Garden/IMG_2203.CR3", "2026-10 Market/Afternoon/DSCF3302.RAF",
            "2026-10 Market/Afternoon/DSCF3304.RAF" }));
    const QJsonArray followers = report[u"orphanRaws"][1][u"followers"].toArray();
    ASSERT_EQ(followers.size(), 1);
    EXPECT_EQ(followers[0][u"path"].toString(), u"2026-09 Lake trip/DSC_0106.NEF.xmp");
    EXPECT_EQ(followers[0][u"kind"].toString(), u"sidecar");
    EXPECT_EQ(paths(report[u"orphanSidecars"].toArray()),
        QStringList({ "2026-09 Lake trip/DSC_0099.xmp", "2026-10 Garden/IMG_2290.pp3",
            "2026-10 Market/Afternoon/DSCF3399.on1" }));

    const CliRun text = run({ QStringLiteral("scan") });
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains(u"RAW without JPEG: 9 files"));
    EXPECT_TRUE(text.out.contains(u"+ DSC_0106.NEF.xmp"));
    EXPECT_TRUE(text.err.isEmpty()) << "no progress line when stderr is not a terminal";

    const CliRun loose = run({ QStringLiteral("scan"), QStringLiteral("--json"),
        QStringLiteral("--no-ignore-edit-suffixes"), QStringLiteral("--match-capture-time") });
    const QJsonArray pairs = json(loose)[u"pairs"].toArray();
    ASSERT_FALSE(pairs.isEmpty());
    EXPECT_EQ(pairs.last()[u"raw"].toString(), u"2026-10 Garden/IMG_2205.CR3");
    EXPECT_TRUE(pairs.last()[u"byCaptureTime"].toBool());
}

TEST_F(CliWorkflow, MoveThenRestoreBringsBackEveryFile)
{
    const QMap<QString, QByteArray> before = fingerprint(shoot.path());

    const CliRun dryRun = run({ QStringLiteral("move"), QStringLiteral("--tick"),
        QStringLiteral("raw"), QStringLiteral("--dry-run"), QStringLiteral("--json") });
    ASSERT_EQ(dryRun.exitCode, 0) << dryRun.err.toStdString();
    const QJsonValue plan = json(dryRun)[u"plan"];
    EXPECT_EQ(plan[u"fileCount"].toInt(), 9);
    EXPECT_EQ(plan[u"lines"][0][u"picked"].toInt(), 7);
    EXPECT_EQ(plan[u"lines"][0][u"sidecars"].toInt(), 2);
    EXPECT_FALSE(json(dryRun).toObject().contains(u"session"));
    EXPECT_EQ(fingerprint(shoot.path()), before);

    const CliRun move = run({ QStringLiteral("move"), QStringLiteral("--tick"),
        QStringLiteral("raw"), QStringLiteral("--path"),
        QStringLiteral("2026-10 Garden/IMG_2290.pp3"), QStringLiteral("--json") });
    ASSERT_EQ(move.exitCode, 0) << move.err.toStdString();
    const QJsonValue moved = json(move);
    EXPECT_EQ(moved[u"moved"].toInt(), 10);
    EXPECT_TRUE(moved[u"failed"].toArray().isEmpty());
    const QString session = moved[u"session"].toString();
    EXPECT_TRUE(session.startsWith(shoot.at(QStringLiteral("Orvalin Review/"))));
    EXPECT_TRUE(QFile::exists(session + QStringLiteral("/restore-log.json")));
    EXPECT_TRUE(QFile::exists(session + QStringLiteral("/Moved files.txt")));
    EXPECT_TRUE(QFile::exists(session + QStringLiteral("/2026-10 Garden/IMG_2203.CR3.dop")));
    EXPECT_FALSE(QFile::exists(shoot.at(QStringLiteral("2026-10 Garden/IMG_2203.CR3"))));

    const QJsonValue rescan = json(run({ QStringLiteral("scan"), QStringLiteral("--json") }));
    EXPECT_EQ(rescan[u"fileCount"].toInt(), 49) << "the review folder is never scanned";
    EXPECT_TRUE(rescan[u"orphanRaws"].toArray().isEmpty());

    const QJsonArray sessions
        = json(run({ QStringLiteral("sessions"), QStringLiteral("--json") })).toArray();
    ASSERT_EQ(sessions.size(), 1);
    EXPECT_EQ(sessions[0][u"inReview"].toInt(), 10);
    EXPECT_EQ(sessions[0][u"waiting"].toInt(), 0);
    EXPECT_FALSE(sessions[0].toObject().contains(u"restored"));

    const CliRun restore = runCli({ QStringLiteral("restore"), QStringLiteral("--json"),
        shoot.path(), QStringLiteral("--all") });
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(json(restore)[u"restored"].toInt(), 10);

    QMap<QString, QByteArray> after = fingerprint(shoot.path());
    after.removeIf([](const auto& item) { return item.key().startsWith(u"Orvalin Review/"); });
    EXPECT_EQ(after, before);
    const QJsonArray restored
        = json(run({ QStringLiteral("sessions"), QStringLiteral("--json") })).toArray();
    EXPECT_TRUE(restored[0].toObject().contains(u"restored"));
}

TEST_F(CliWorkflow, RestoreNeverOverwritesAFileBackInPlace)
{
    const QString path = QStringLiteral("2026-10 Garden/IMG_2290.pp3");
    ASSERT_EQ(run({ QStringLiteral("move"), QStringLiteral("--path"), path }).exitCode, 0);
    const QByteArray newcomer("written after the move");
    shoot.write(path, newcomer);

    const CliRun restore = runCli({ QStringLiteral("restore"), QStringLiteral("--json"),
        shoot.path(), QStringLiteral("--all") });
    ASSERT_EQ(restore.exitCode, 0);
    EXPECT_EQ(json(restore)[u"conflicts"].toArray(), QJsonArray({ path }));
    EXPECT_EQ(readFile(shoot.at(path)), newcomer);

    const QJsonArray sessions
        = json(run({ QStringLiteral("sessions"), QStringLiteral("--json") })).toArray();
    EXPECT_EQ(sessions[0][u"waiting"].toInt(), 1);
    const CliRun text = run({ QStringLiteral("sessions") });
    EXPECT_TRUE(
        text.out.contains(u"1 waiting: a file with the same name is back in the original place"));
}

TEST_F(CliWorkflow, MoveRejectsAPathThatIsNoLeftover)
{
    const QString paired = QStringLiteral("2026-09 Lake trip/DSC_0101.NEF");
    const CliRun move = run({ QStringLiteral("move"), QStringLiteral("--path"), paired });
    EXPECT_EQ(move.exitCode, 2);
    EXPECT_TRUE(move.err.contains(paired));
    EXPECT_TRUE(QFile::exists(shoot.at(paired)));
}

TEST(CliRefusal, CatalogFolderExitsWithThreeAndTheReason)
{
    TempFolder folder;
    folder.write(QStringLiteral("IMG_1.CR3"));
    folder.write(QStringLiteral("Lightroom/Catalog.lrcat"));
    const CliRun scan = runCli({ QStringLiteral("scan"), folder.path() });
    EXPECT_EQ(scan.exitCode, 3);
    EXPECT_TRUE(
        scan.err.contains(u"This folder holds a Lightroom catalog (“Lightroom/Catalog.lrcat”)."));
    EXPECT_TRUE(scan.err.contains(u"Nothing was moved."));
    const CliRun move = runCli({ QStringLiteral("move"), QStringLiteral("--tick"),
        QStringLiteral("raw"), QStringLiteral("--no-only-mixed-folders"), folder.path() });
    EXPECT_EQ(move.exitCode, 3);
    EXPECT_TRUE(QFile::exists(folder.at(QStringLiteral("IMG_1.CR3"))));
}

TEST(CliStamps, PrintsOneLinePerFile)
{
    const QString canon = corpusFile(QStringLiteral("Apple.jpg"));
    const QString text = corpusFile(QStringLiteral("XMP.xmp"));
    const CliRun stamps = runCli({ QStringLiteral("stamps"), canon, text });
    ASSERT_EQ(stamps.exitCode, 0);
    EXPECT_EQ(stamps.out,
        canon + QStringLiteral("\t2016:09:28 18:18:05\t813\tiPhone 7\n") + text + u'\n');
}

namespace {

// What `scan --json` lists, as paths: pairs, then each group's leftovers with their followers.
QStringList listedInJson(const QJsonValue& report)
{
    QStringList lines;
    for (const QJsonValue& pair : report[u"pairs"].toArray()) {
        QStringList twins;
        for (const QJsonValue& twin : pair[u"twins"].toArray())
            twins.append(twin.toString());
        lines.append(pair[u"raw"].toString() + QStringLiteral(" = ") + twins.join(u" "));
    }
    for (const char16_t* group : { u"orphanRaws", u"orphanJPEGs", u"orphanSidecars" }) {
        for (const QJsonValue& candidate : report[group].toArray()) {
            QString line = candidate[u"path"].toString();
            for (const QJsonValue& follower : candidate[u"followers"].toArray())
                line += QStringLiteral(" + ") + follower[u"path"].toString();
            lines.append(line);
        }
    }
    return lines;
}

QStringList listedInResult(const ScanResult& result)
{
    QStringList lines;
    for (const Pair& pair : result.pairs) {
        QStringList twins;
        for (const FileEntry& twin : pair.twins)
            twins.append(twin.relativePath);
        lines.append(pair.raw.relativePath + QStringLiteral(" = ") + twins.join(u" "));
    }
    for (const Candidate& candidate : result.allCandidates()) {
        QString line = candidate.file.relativePath;
        for (const FileEntry& follower : candidate.followers)
            line += QStringLiteral(" + ") + follower.relativePath;
        lines.append(line);
    }
    return lines;
}

} // namespace

TEST(CliScan, WithoutKnownToolNamesAgreesWithThePlainRulesOnRandomTrees)
{
    for (quint32 seed = 1; seed <= 4; ++seed) {
        TempFolder tree;
        for (const FileEntry& file : SeedRules::randomTree(seed, 250))
            tree.write(file.relativePath, QByteArray(int(file.size), 'x'));
        const MatchOptions options = SeedRules::randomOptions(seed);
        QStringList arguments { QStringLiteral("scan"), QStringLiteral("--json"),
            QStringLiteral("--no-known-tool-names") };
        for (const auto& [flag, on] : { std::pair { "ignore-edit-suffixes", options.ignoreEditSuffixes },
                 { "canon-prefixes", options.canonPrefixes },
                 { "match-across-folders", options.matchAcrossFolders },
                 { "only-mixed-folders", options.onlyMixedFolders },
                 { "trim-heic", options.trimHEIC } })
            arguments << (on ? QStringLiteral("--") : QStringLiteral("--no-")) + QString::fromLatin1(flag);
        const CliRun scan = runCli(arguments << tree.path());
        ASSERT_EQ(scan.exitCode, 0) << scan.err.toStdString();

        // The same files in the order the scan meets them, analysed by the plain rules.
        const QList<FileEntry> scanned
            = Scanner::scan(tree.path(), ScanOptions { QStringLiteral("Orvalin Review") });
        MatchOptions seedOptions = options;
        seedOptions.knownToolNames = false;
        EXPECT_EQ(listedInJson(json(scan)), listedInResult(SeedRules::analyze(scanned, seedOptions)))
            << "seed " << seed;
    }
}
