#include "Analyzer.h"

#include <QHash>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Files from "A/IMG_1.CR3, A/IMG_1.JPG", each of size 1, kinds from their extensions as the
// scan classifies them.
QList<FileEntry> files(const char* paths)
{
    QList<FileEntry> list;
    for (const QString& path : QString::fromUtf8(paths).split(QStringLiteral(", ")))
        list.append({ path, 1, FileKinds::fromExtension(RelativePath::extension(path)) });
    return list;
}

// Relative paths joined the same way, readable in a failure message.
std::string listed(const QList<FileEntry>& entries)
{
    QStringList paths;
    for (const FileEntry& entry : entries)
        paths.append(entry.relativePath);
    return paths.join(u", ").toStdString();
}

std::string listed(const QList<Candidate>& candidates)
{
    QList<FileEntry> entries;
    for (const Candidate& candidate : candidates)
        entries.append(candidate.file);
    return listed(entries);
}

// Every leftover listed, so that tests of pairing see all of them.
MatchOptions listEverything()
{
    MatchOptions options;
    options.onlyMixedFolders = false;
    options.trimHEIC = true;
    return options;
}

MatchOptions byCaptureTime()
{
    MatchOptions options = listEverything();
    options.matchCaptureTime = true;
    return options;
}

ScanResult analyze(const char* paths, const MatchOptions& options = listEverything())
{
    return Analyzer::analyze(files(paths), options);
}

CaptureStamp stamp(std::optional<QString> subsec = {}, std::optional<QString> model = {})
{
    return { QStringLiteral("2026:10:04 10:00:05"), std::move(subsec), std::move(model) };
}

// A reader over fixed stamps that records which files it was asked for.
struct FakeReader
{
    QHash<QString, CaptureStamp> stamps;
    std::shared_ptr<QStringList> asked = std::make_shared<QStringList>();

    CaptureReader reader() const
    {
        return [stamps = stamps, asked = asked](const QString& path) {
            asked->append(path);
            return stamps.contains(path) ? std::optional(stamps.value(path)) : std::nullopt;
        };
    }
};

} // namespace

TEST(Analyzer, PairsByNameWithinOneFolder)
{
    const ScanResult result = analyze("A/IMG_1.CR3, A/IMG_1.JPG");
    ASSERT_EQ(result.pairs.size(), 1);
    EXPECT_EQ(result.pairs[0].raw.relativePath, u"A/IMG_1.CR3");
    EXPECT_EQ(listed(result.pairs[0].twins), "A/IMG_1.JPG");
    EXPECT_FALSE(result.pairs[0].byCaptureTime);
    EXPECT_TRUE(result.allCandidates().isEmpty());

    // Folder and file names compare folded, whatever their composition or case.
    EXPECT_EQ(analyze("Caf\u00e9/IMG_1.CR3, CAFE\u0301/img_1.jpg").pairs.size(), 1);
    EXPECT_EQ(listed(analyze("_MG_7.CR2, IMG_7-Edit.jpg, IMG_7 (2).jpg").pairs.value(0).twins),
        "IMG_7-Edit.jpg, IMG_7 (2).jpg");
}

TEST(Analyzer, FoldersSeparateUnlessMatchingAcrossThem)
{
    const ScanResult apart = analyze("A/IMG_1.CR3, B/IMG_1.JPG");
    EXPECT_TRUE(apart.pairs.isEmpty());
    EXPECT_EQ(listed(apart.orphanRaws), "A/IMG_1.CR3");
    EXPECT_EQ(listed(apart.orphanJPEGs), "B/IMG_1.JPG");

    MatchOptions across = listEverything();
    across.matchAcrossFolders = true;
    const ScanResult together = analyze("A/IMG_1.CR3, B/IMG_1.JPG", across);
    EXPECT_EQ(together.pairs.size(), 1);
    EXPECT_TRUE(together.allCandidates().isEmpty());

    // A file at the top and one in a folder named "." live in the same folder.
    EXPECT_EQ(analyze("IMG_1.CR3, ./IMG_1.JPG").pairs.size(), 1);
}

TEST(Analyzer, TwinsKeepInputOrderAndAreSharedBetweenRaws)
{
    const ScanResult twoTwins = analyze("A/IMG_1.HEIC, A/IMG_1.CR3, A/IMG_1.JPG");
    ASSERT_EQ(twoTwins.pairs.size(), 1);
    EXPECT_EQ(listed(twoTwins.pairs[0].twins), "A/IMG_1.HEIC, A/IMG_1.JPG");

    const ScanResult twoRaws = analyze("A/IMG_1.CR3, A/IMG_1.JPG, A/IMG_1.DNG");
    ASSERT_EQ(twoRaws.pairs.size(), 2);
    EXPECT_EQ(twoRaws.pairs[0].raw.relativePath, u"A/IMG_1.CR3");
    EXPECT_EQ(twoRaws.pairs[1].raw.relativePath, u"A/IMG_1.DNG");
    EXPECT_EQ(twoRaws.pairs[0].twins, twoRaws.pairs[1].twins);
    EXPECT_TRUE(twoRaws.allCandidates().isEmpty());
}

TEST(Analyzer, SidecarsFollowTheirPhotoInTheirOwnFolder)
{
    const QList<FileEntry> input { { u"A/IMG_1.CR3"_qs, 100, FileKind::raw },
        { u"A/IMG_1.xmp"_qs, 7, FileKind::sidecar } };
    const ScanResult raw = Analyzer::analyze(input, listEverything());
    ASSERT_EQ(raw.orphanRaws.size(), 1);
    EXPECT_EQ(listed(raw.orphanRaws[0].followers), "A/IMG_1.xmp");
    EXPECT_EQ(raw.orphanRaws[0].fileCount(), 2);
    EXPECT_EQ(raw.orphanRaws[0].totalSize(), 107);
    EXPECT_TRUE(raw.orphanSidecars.isEmpty());

    // Ranked by kind, whatever the input order: photo before image before clip.
    const ScanResult ranked = analyze("A/IMG_1.MOV, A/IMG_1.png, A/IMG_1.JPG, A/IMG_1.xmp");
    ASSERT_EQ(ranked.orphanJPEGs.size(), 1);
    EXPECT_EQ(listed(ranked.orphanJPEGs[0].followers), "A/IMG_1.xmp");

    // JPEG and HEIC rank equal: the first one in input order wins.
    const ScanResult equal = analyze("A/IMG_1.xmp, A/IMG_1.HEIC, A/IMG_1.JPG");
    ASSERT_EQ(listed(equal.orphanJPEGs), "A/IMG_1.HEIC, A/IMG_1.JPG");
    EXPECT_EQ(equal.orphanJPEGs[0].followers.size(), 1);
    EXPECT_TRUE(equal.orphanJPEGs[1].followers.isEmpty());

    // Of two files whose names fold alike, the later one is the exact target.
    const ScanResult later = analyze("A/IMG_1.CR3, A/img_1.cr3, A/IMG_1.CR3.xmp");
    ASSERT_EQ(later.orphanRaws.size(), 2);
    EXPECT_TRUE(later.orphanRaws[0].followers.isEmpty());
    EXPECT_EQ(later.orphanRaws[1].followers.size(), 1);
}

TEST(Analyzer, SidecarsWithoutTheirPhotoAreLeftovers)
{
    MatchOptions across = listEverything();
    across.matchAcrossFolders = true;
    // No fallback from an exact target to the stem; no other folder; never another sidecar;
    // never a file of kind `other`.
    const ScanResult result = analyze("A/IMG_1.CR3.xmp, A/IMG_1.JPG, B/IMG_2.xmp, C/IMG_2.CR3, "
                                      "C/IMG_2.xmp.dop, C/IMG_2.xmp, C/notes.txt, C/notes.xmp",
        across);
    EXPECT_EQ(listed(result.orphanSidecars),
        "A/IMG_1.CR3.xmp, B/IMG_2.xmp, C/IMG_2.xmp.dop, C/notes.xmp");
    for (const Candidate& sidecar : result.orphanSidecars) {
        EXPECT_EQ(sidecar.group, OrphanGroup::sidecar);
        EXPECT_TRUE(sidecar.followers.isEmpty());
    }
}

TEST(Analyzer, SidecarsOfUnlistedFilesAreInNoList)
{
    // Following a paired RAW, a clip, a JPEG of a single-kind folder and a held-back HEIC.
    const ScanResult result = analyze("A/IMG_1.CR3, A/IMG_1.JPG, A/IMG_1.xmp, A/clip.MOV, "
                                      "A/clip.xmp, B/IMG_9.JPG, B/IMG_9.JPG.xmp, A/IMG_5.HEIC, "
                                      "A/IMG_5.xmp, A/IMG_6.CR3",
        MatchOptions());
    EXPECT_EQ(result.sidecarCount, 4);
    EXPECT_TRUE(result.orphanSidecars.isEmpty());
    EXPECT_EQ(listed(result.orphanRaws), "A/IMG_6.CR3");
    EXPECT_TRUE(result.orphanJPEGs.isEmpty());
}

TEST(Analyzer, SingleKindFoldersAndHeicAreHeldBack)
{
    const char* input = "Only JPEG/IMG_1.JPG, Only JPEG/IMG_2.JPG, Only JPEG/IMG_3.HEIC, "
                        "Mixed/IMG_4.CR3, Mixed/IMG_4.JPG, Mixed/IMG_5.JPG, Mixed/IMG_6.HEIC, "
                        "Mixed/IMG_7.CR3, Mixed/IMG_7.HEIC";

    const ScanResult defaults = analyze(input, MatchOptions());
    EXPECT_EQ(listed(defaults.orphanJPEGs), "Mixed/IMG_5.JPG");
    EXPECT_EQ(defaults.heldInSingleKindFolders, 3);
    // The HEIC of the single-kind folder is counted there, the paired one not at all.
    EXPECT_EQ(defaults.heldHEIC, 1);
    EXPECT_EQ(defaults.pairs.size(), 2);

    const ScanResult everything = analyze(input);
    EXPECT_EQ(listed(everything.orphanJPEGs),
        "Mixed/IMG_5.JPG, Mixed/IMG_6.HEIC, Only JPEG/IMG_1.JPG, Only JPEG/IMG_2.JPG, "
        "Only JPEG/IMG_3.HEIC");
    EXPECT_EQ(everything.orphanJPEGs[1].file.kind, FileKind::heic);
    EXPECT_EQ(everything.orphanJPEGs[1].group, OrphanGroup::jpeg);
    EXPECT_EQ(everything.heldInSingleKindFolders, 0);
    EXPECT_EQ(everything.heldHEIC, 0);

    // Across folders there is one folder part: it holds both kinds, or it holds one.
    MatchOptions across;
    across.matchAcrossFolders = true;
    const ScanResult together = analyze(input, across);
    EXPECT_EQ(together.heldInSingleKindFolders, 0);
    EXPECT_EQ(together.orphanJPEGs.size(), 3);
    const ScanResult onlyRaws = analyze("A/IMG_1.CR3, B/IMG_2.CR3", across);
    EXPECT_EQ(onlyRaws.heldInSingleKindFolders, 2);
    EXPECT_TRUE(onlyRaws.orphanRaws.isEmpty());
}

TEST(Analyzer, CaptureTimePairsThoseLeftByName)
{
    FakeReader fake;
    fake.stamps = {
        { u"A/IMG_1.CR3"_qs, stamp() },
        { u"A/IMG_2.CR3"_qs, stamp() },
        { u"A/renamed.JPG"_qs, stamp(u"12"_qs, u"R6"_qs) },
        { u"A/IMG_3.CR3"_qs, stamp(u"40"_qs) },
        { u"A/IMG_4.CR3"_qs, stamp({}, u"R5"_qs) },
        { u"B/other.JPG"_qs, stamp() },
    };
    const ScanResult result = Analyzer::analyze(files("A/IMG_1.CR3, A/IMG_2.CR3, A/IMG_3.CR3, "
                                                      "A/IMG_4.CR3, A/renamed.JPG, A/IMG_9.CR3, "
                                                      "A/IMG_9.JPG, B/other.JPG"),
        byCaptureTime(), fake.reader());

    // The name pair first; then one twin taken by two RAWs; sub-second and model mismatches
    // and the other folder stay apart.
    ASSERT_EQ(result.pairs.size(), 3);
    EXPECT_EQ(result.pairs[0].raw.relativePath, u"A/IMG_9.CR3");
    EXPECT_FALSE(result.pairs[0].byCaptureTime);
    EXPECT_EQ(result.pairs[1].raw.relativePath, u"A/IMG_1.CR3");
    EXPECT_EQ(result.pairs[2].raw.relativePath, u"A/IMG_2.CR3");
    for (qsizetype i : { 1, 2 }) {
        EXPECT_TRUE(result.pairs[i].byCaptureTime);
        EXPECT_EQ(listed(result.pairs[i].twins), "A/renamed.JPG");
    }
    EXPECT_EQ(listed(result.orphanRaws), "A/IMG_3.CR3, A/IMG_4.CR3");
    EXPECT_EQ(listed(result.orphanJPEGs), "B/other.JPG");
    // Each unpaired file read once, twins first; the name pair never.
    EXPECT_EQ(fake.asked->join(u", ").toStdString(),
        "A/renamed.JPG, B/other.JPG, A/IMG_1.CR3, A/IMG_2.CR3, A/IMG_3.CR3, A/IMG_4.CR3");
}

TEST(Analyzer, CaptureTimeReadsNothingWithoutBothKindsLeft)
{
    FakeReader fake;
    for (const char* input :
        { "A/IMG_1.CR3, A/IMG_1.JPG, A/IMG_2.CR3", "A/IMG_1.CR3, A/IMG_1.JPG, A/IMG_2.JPG" }) {
        const ScanResult result = Analyzer::analyze(files(input), byCaptureTime(), fake.reader());
        EXPECT_EQ(result.allCandidates().size(), 1);
    }
    Analyzer::analyze(files("A/IMG_1.CR3, A/IMG_2.JPG"), listEverything(), fake.reader());
    EXPECT_TRUE(fake.asked->isEmpty());

    // Turned on but without a reader: nothing to ask, no failure.
    EXPECT_TRUE(analyze("A/IMG_1.CR3, A/IMG_2.JPG", byCaptureTime()).pairs.isEmpty());
}

TEST(Analyzer, CancellationIsCheckedBeforeEverySixtyFourthRead)
{
    QList<FileEntry> input = files("A/IMG_0.CR3");
    for (int i = 0; i < 100; ++i)
        input.append({ QStringLiteral("A/other_%1.JPG").arg(i), 1, FileKind::jpeg });

    CancellationToken cancel;
    int reads = 0;
    const CaptureReader cancelling = [&](const QString&) -> std::optional<CaptureStamp> {
        if (++reads == 10)
            cancel.cancel();
        return std::nullopt;
    };
    EXPECT_THROW(Analyzer::analyze(input, byCaptureTime(), cancelling, cancel), Cancelled);
    EXPECT_EQ(reads, 64);

    // Cancelled before the first read; without reads the token is never looked at.
    reads = 0;
    EXPECT_THROW(Analyzer::analyze(input, byCaptureTime(), cancelling, cancel), Cancelled);
    EXPECT_EQ(reads, 0);
    EXPECT_NO_THROW(Analyzer::analyze(input, listEverything(), cancelling, cancel));
}

TEST(Analyzer, LeftoversAndFollowersAreInPathOrder)
{
    const ScanResult result
        = analyze("IMG_10.CR3, img_2.CR3, IMG_2.CR3, IMG_10.CR3.xmp, IMG_10.xmp, IMG_10.CR3.dop");
    EXPECT_EQ(listed(result.orphanRaws), "img_2.CR3, IMG_2.CR3, IMG_10.CR3");
    EXPECT_EQ(listed(result.orphanRaws[2].followers), "IMG_10.CR3.dop, IMG_10.CR3.xmp, IMG_10.xmp");

    // A name with a decomposed accent sorts among its composed neighbours.
    const ScanResult mixed = analyze("R\u00e9mi 2.CR3, Re\u0301mi 10.CR3, R\u00e9mi 1.CR3");
    EXPECT_EQ(listed(mixed.orphanRaws), "R\u00e9mi 1.CR3, R\u00e9mi 2.CR3, Re\u0301mi 10.CR3");
}

TEST(Analyzer, CountsEveryKindAndIgnoresOthers)
{
    EXPECT_EQ(Analyzer::analyze({}, MatchOptions()), ScanResult());

    const ScanResult result = analyze("A/IMG_1.CR3, A/IMG_1.JPG, A/IMG_1.HIF, A/IMG_1.xmp, "
                                      "A/IMG_1.MOV, A/IMG_1.tif, A/IMG_1.txt, A/IMG_1.txt.xmp",
        MatchOptions());
    EXPECT_EQ(result.fileCount, 8);
    EXPECT_EQ(result.rawCount, 1);
    EXPECT_EQ(result.twinCount, 2);
    EXPECT_EQ(result.sidecarCount, 2);
    EXPECT_EQ(result.pairs.size(), 1);
    EXPECT_EQ(listed(result.orphanSidecars), "A/IMG_1.txt.xmp");
}
