#include "Analyzer.h"

#include <QHash>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// A file whose kind comes from its extension, as the scan classifies it; the size tells files
// apart in sums.
FileEntry file(const QString& path, qint64 size = 1)
{
    return { path, size, FileKinds::fromExtension(RelativePath::extension(path)) };
}

QList<FileEntry> files(const QStringList& paths)
{
    QList<FileEntry> list;
    for (const QString& path : paths)
        list.append(file(path));
    return list;
}

QStringList paths(const QList<FileEntry>& entries)
{
    QStringList list;
    for (const FileEntry& entry : entries)
        list.append(entry.relativePath);
    return list;
}

QStringList paths(const QList<Candidate>& candidates)
{
    QStringList list;
    for (const Candidate& candidate : candidates)
        list.append(candidate.file.relativePath);
    return list;
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

CaptureStamp stamp(
    const QString& date, std::optional<QString> subsec = {}, std::optional<QString> model = {})
{
    return { date, std::move(subsec), std::move(model) };
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

const QString date = QStringLiteral("2026:10:04 10:00:05");

} // namespace

TEST(Analyzer, PairsByNameWithinOneFolder)
{
    const ScanResult result
        = Analyzer::analyze(files({ u"A/IMG_1.CR3"_qs, u"A/IMG_1.JPG"_qs }), listEverything());
    ASSERT_EQ(result.pairs.size(), 1);
    EXPECT_EQ(result.pairs[0].raw.relativePath, u"A/IMG_1.CR3");
    EXPECT_EQ(paths(result.pairs[0].twins), QStringList { u"A/IMG_1.JPG"_qs });
    EXPECT_FALSE(result.pairs[0].byCaptureTime);
    EXPECT_TRUE(result.allCandidates().isEmpty());

    // Folder and file names compare folded, whatever their composition or case.
    const ScanResult folded = Analyzer::analyze(
        files({ u"Caf\u00e9/IMG_1.CR3"_qs, u"CAFE\u0301/img_1.jpg"_qs }), listEverything());
    EXPECT_EQ(folded.pairs.size(), 1);

    const ScanResult canon = Analyzer::analyze(
        files({ u"_MG_7.CR2"_qs, u"IMG_7-Edit.jpg"_qs, u"IMG_7 (2).jpg"_qs }), listEverything());
    ASSERT_EQ(canon.pairs.size(), 1);
    EXPECT_EQ(canon.pairs[0].twins.size(), 2);
}

TEST(Analyzer, FoldersSeparateUnlessMatchingAcrossThem)
{
    const QList<FileEntry> input = files({ u"A/IMG_1.CR3"_qs, u"B/IMG_1.JPG"_qs });
    MatchOptions options = listEverything();
    const ScanResult apart = Analyzer::analyze(input, options);
    EXPECT_TRUE(apart.pairs.isEmpty());
    EXPECT_EQ(paths(apart.orphanRaws), QStringList { u"A/IMG_1.CR3"_qs });
    EXPECT_EQ(paths(apart.orphanJPEGs), QStringList { u"B/IMG_1.JPG"_qs });

    options.matchAcrossFolders = true;
    const ScanResult across = Analyzer::analyze(input, options);
    EXPECT_EQ(across.pairs.size(), 1);
    EXPECT_TRUE(across.allCandidates().isEmpty());

    // A file at the top and one in a folder named "." live in the same folder.
    const ScanResult dot
        = Analyzer::analyze(files({ u"IMG_1.CR3"_qs, u"./IMG_1.JPG"_qs }), listEverything());
    EXPECT_EQ(dot.pairs.size(), 1);
}

TEST(Analyzer, TwinsKeepInputOrderAndAreSharedBetweenRaws)
{
    const ScanResult twoTwins = Analyzer::analyze(
        files({ u"A/IMG_1.HEIC"_qs, u"A/IMG_1.CR3"_qs, u"A/IMG_1.JPG"_qs }), listEverything());
    ASSERT_EQ(twoTwins.pairs.size(), 1);
    EXPECT_EQ(
        paths(twoTwins.pairs[0].twins), QStringList({ u"A/IMG_1.HEIC"_qs, u"A/IMG_1.JPG"_qs }));

    const ScanResult twoRaws = Analyzer::analyze(
        files({ u"A/IMG_1.CR3"_qs, u"A/IMG_1.JPG"_qs, u"A/IMG_1.DNG"_qs }), listEverything());
    ASSERT_EQ(twoRaws.pairs.size(), 2);
    EXPECT_EQ(twoRaws.pairs[0].raw.relativePath, u"A/IMG_1.CR3");
    EXPECT_EQ(twoRaws.pairs[1].raw.relativePath, u"A/IMG_1.DNG");
    EXPECT_EQ(twoRaws.pairs[0].twins, twoRaws.pairs[1].twins);
    EXPECT_TRUE(twoRaws.allCandidates().isEmpty());
}

TEST(Analyzer, SidecarsFollowTheirPhotoInTheirOwnFolder)
{
    QList<FileEntry> input { file(u"A/IMG_1.CR3"_qs, 100), file(u"A/IMG_1.xmp"_qs, 7) };
    const ScanResult raw = Analyzer::analyze(input, listEverything());
    ASSERT_EQ(raw.orphanRaws.size(), 1);
    EXPECT_EQ(paths(raw.orphanRaws[0].followers), QStringList { u"A/IMG_1.xmp"_qs });
    EXPECT_EQ(raw.orphanRaws[0].fileCount(), 2);
    EXPECT_EQ(raw.orphanRaws[0].totalSize(), 107);
    EXPECT_TRUE(raw.orphanSidecars.isEmpty());
    EXPECT_EQ(raw.sidecarCount, 1);

    // Ranked by kind, whatever the input order: photo before image before clip.
    const ScanResult ranked = Analyzer::analyze(
        files({ u"A/IMG_1.MOV"_qs, u"A/IMG_1.png"_qs, u"A/IMG_1.JPG"_qs, u"A/IMG_1.xmp"_qs }),
        listEverything());
    ASSERT_EQ(ranked.orphanJPEGs.size(), 1);
    EXPECT_EQ(paths(ranked.orphanJPEGs[0].followers), QStringList { u"A/IMG_1.xmp"_qs });

    // JPEG and HEIC rank equal: the first one in input order wins.
    const ScanResult equal = Analyzer::analyze(
        files({ u"A/IMG_1.xmp"_qs, u"A/IMG_1.HEIC"_qs, u"A/IMG_1.JPG"_qs }), listEverything());
    ASSERT_EQ(paths(equal.orphanJPEGs), QStringList({ u"A/IMG_1.HEIC"_qs, u"A/IMG_1.JPG"_qs }));
    EXPECT_EQ(equal.orphanJPEGs[0].followers.size(), 1);
    EXPECT_TRUE(equal.orphanJPEGs[1].followers.isEmpty());

    // Of two files whose names fold alike, the later one is the exact target.
    const ScanResult later = Analyzer::analyze(
        files({ u"A/IMG_1.CR3"_qs, u"A/img_1.cr3"_qs, u"A/IMG_1.CR3.xmp"_qs }), listEverything());
    ASSERT_EQ(later.orphanRaws.size(), 2);
    EXPECT_TRUE(later.orphanRaws[0].followers.isEmpty());
    EXPECT_EQ(later.orphanRaws[1].followers.size(), 1);
}

TEST(Analyzer, SidecarsWithoutTheirPhotoAreLeftovers)
{
    MatchOptions options = listEverything();
    options.matchAcrossFolders = true;
    const ScanResult result = Analyzer::analyze(files({
                                                    u"A/IMG_1.CR3.xmp"_qs, // no stem fallback
                                                    u"A/IMG_1.JPG"_qs,
                                                    u"B/IMG_2.xmp"_qs, // no other folder
                                                    u"C/IMG_2.CR3"_qs,
                                                    u"C/IMG_2.xmp.dop"_qs, // never a sidecar's
                                                    u"C/IMG_2.xmp"_qs, u"C/notes.txt"_qs,
                                                    u"C/notes.xmp"_qs, // nor `other`'s
                                                }),
        options);
    EXPECT_EQ(paths(result.orphanSidecars),
        QStringList({ u"A/IMG_1.CR3.xmp"_qs, u"B/IMG_2.xmp"_qs, u"C/IMG_2.xmp.dop"_qs,
            u"C/notes.xmp"_qs }));
    for (const Candidate& sidecar : result.orphanSidecars) {
        EXPECT_EQ(sidecar.group, OrphanGroup::sidecar);
        EXPECT_TRUE(sidecar.followers.isEmpty());
    }
}

TEST(Analyzer, SidecarsOfUnlistedFilesAreInNoList)
{
    const ScanResult result = Analyzer::analyze(
        files({ u"A/IMG_1.CR3"_qs, u"A/IMG_1.JPG"_qs, u"A/IMG_1.xmp"_qs, u"A/clip.MOV"_qs,
            u"A/clip.xmp"_qs, u"B/IMG_9.JPG"_qs, u"B/IMG_9.JPG.xmp"_qs, u"A/IMG_5.HEIC"_qs,
            u"A/IMG_5.xmp"_qs, u"A/IMG_6.CR3"_qs }),
        MatchOptions());
    EXPECT_EQ(result.sidecarCount, 4);
    EXPECT_TRUE(result.orphanSidecars.isEmpty());
    EXPECT_EQ(paths(result.orphanRaws), QStringList { u"A/IMG_6.CR3"_qs });
    EXPECT_TRUE(result.orphanJPEGs.isEmpty());
}

TEST(Analyzer, SingleKindFoldersAndHeicAreHeldBack)
{
    const QList<FileEntry> input
        = files({ u"Only JPEG/IMG_1.JPG"_qs, u"Only JPEG/IMG_2.JPG"_qs, u"Only JPEG/IMG_3.HEIC"_qs,
            u"Mixed/IMG_4.CR3"_qs, u"Mixed/IMG_4.JPG"_qs, u"Mixed/IMG_5.JPG"_qs,
            u"Mixed/IMG_6.HEIC"_qs, u"Mixed/IMG_7.CR3"_qs, u"Mixed/IMG_7.HEIC"_qs });

    const ScanResult defaults = Analyzer::analyze(input, MatchOptions());
    EXPECT_EQ(paths(defaults.orphanJPEGs), QStringList { u"Mixed/IMG_5.JPG"_qs });
    EXPECT_EQ(defaults.heldInSingleKindFolders, 3);
    // The HEIC of the single-kind folder is counted there, the paired one not at all.
    EXPECT_EQ(defaults.heldHEIC, 1);
    EXPECT_EQ(defaults.pairs.size(), 2);

    const ScanResult everything = Analyzer::analyze(input, listEverything());
    EXPECT_EQ(paths(everything.orphanJPEGs),
        QStringList({ u"Mixed/IMG_5.JPG"_qs, u"Mixed/IMG_6.HEIC"_qs, u"Only JPEG/IMG_1.JPG"_qs,
            u"Only JPEG/IMG_2.JPG"_qs, u"Only JPEG/IMG_3.HEIC"_qs }));
    EXPECT_EQ(everything.orphanJPEGs[1].file.kind, FileKind::heic);
    EXPECT_EQ(everything.orphanJPEGs[1].group, OrphanGroup::jpeg);
    EXPECT_EQ(everything.heldInSingleKindFolders, 0);
    EXPECT_EQ(everything.heldHEIC, 0);

    // Across folders there is one folder part, and it holds both kinds.
    MatchOptions across;
    across.matchAcrossFolders = true;
    const ScanResult acrossResult = Analyzer::analyze(input, across);
    EXPECT_EQ(acrossResult.heldInSingleKindFolders, 0);
    EXPECT_EQ(acrossResult.orphanJPEGs.size(), 3);

    const ScanResult onlyRaws
        = Analyzer::analyze(files({ u"A/IMG_1.CR3"_qs, u"B/IMG_2.CR3"_qs }), across);
    EXPECT_EQ(onlyRaws.heldInSingleKindFolders, 2);
    EXPECT_TRUE(onlyRaws.orphanRaws.isEmpty());
}

TEST(Analyzer, CaptureTimePairsThoseLeftByName)
{
    FakeReader fake;
    fake.stamps = {
        { u"A/IMG_1.CR3"_qs, stamp(date) },
        { u"A/IMG_2.CR3"_qs, stamp(date) },
        { u"A/renamed.JPG"_qs, stamp(date, u"12"_qs, u"R6"_qs) },
        { u"A/IMG_3.CR3"_qs, stamp(date, u"40"_qs) },
        { u"A/IMG_4.CR3"_qs, stamp(date, {}, u"R5"_qs) },
        { u"B/other.JPG"_qs, stamp(date) },
    };
    const QList<FileEntry> input
        = files({ u"A/IMG_1.CR3"_qs, u"A/IMG_2.CR3"_qs, u"A/IMG_3.CR3"_qs, u"A/IMG_4.CR3"_qs,
            u"A/renamed.JPG"_qs, u"A/IMG_9.CR3"_qs, u"A/IMG_9.JPG"_qs, u"B/other.JPG"_qs });
    const ScanResult result = Analyzer::analyze(input, byCaptureTime(), fake.reader());

    // The name pair first; then one twin taken by two RAWs; sub-second and model mismatches
    // and the other folder stay apart.
    ASSERT_EQ(result.pairs.size(), 3);
    EXPECT_EQ(result.pairs[0].raw.relativePath, u"A/IMG_9.CR3");
    EXPECT_FALSE(result.pairs[0].byCaptureTime);
    for (qsizetype i : { 1, 2 }) {
        EXPECT_TRUE(result.pairs[i].byCaptureTime);
        EXPECT_EQ(paths(result.pairs[i].twins), QStringList { u"A/renamed.JPG"_qs });
    }
    EXPECT_EQ(result.pairs[1].raw.relativePath, u"A/IMG_1.CR3");
    EXPECT_EQ(result.pairedByTime(), 2);
    EXPECT_EQ(paths(result.orphanRaws), QStringList({ u"A/IMG_3.CR3"_qs, u"A/IMG_4.CR3"_qs }));
    EXPECT_EQ(paths(result.orphanJPEGs), QStringList { u"B/other.JPG"_qs });
    // Each unpaired file read once, twins first; the name pair never.
    EXPECT_EQ(*fake.asked,
        QStringList({ u"A/renamed.JPG"_qs, u"B/other.JPG"_qs, u"A/IMG_1.CR3"_qs, u"A/IMG_2.CR3"_qs,
            u"A/IMG_3.CR3"_qs, u"A/IMG_4.CR3"_qs }));
}

TEST(Analyzer, CaptureTimeReadsNothingWithoutBothKindsLeft)
{
    FakeReader fake;
    const QList<FileEntry> noTwinLeft
        = files({ u"A/IMG_1.CR3"_qs, u"A/IMG_1.JPG"_qs, u"A/IMG_2.CR3"_qs });
    EXPECT_EQ(Analyzer::analyze(noTwinLeft, byCaptureTime(), fake.reader()).orphanRaws.size(), 1);
    const QList<FileEntry> noRawLeft
        = files({ u"A/IMG_1.CR3"_qs, u"A/IMG_1.JPG"_qs, u"A/IMG_2.JPG"_qs });
    EXPECT_EQ(Analyzer::analyze(noRawLeft, byCaptureTime(), fake.reader()).orphanJPEGs.size(), 1);
    const QList<FileEntry> both = files({ u"A/IMG_1.CR3"_qs, u"A/IMG_2.JPG"_qs });
    Analyzer::analyze(both, listEverything(), fake.reader());
    EXPECT_TRUE(fake.asked->isEmpty());

    // Turned on but without a reader: nothing to ask, no failure.
    EXPECT_TRUE(Analyzer::analyze(both, byCaptureTime()).pairs.isEmpty());
}

TEST(Analyzer, CancellationIsCheckedBeforeEverySixtyFourthRead)
{
    QStringList names { u"A/IMG_0.CR3"_qs };
    for (int i = 0; i < 100; ++i)
        names.append(QStringLiteral("A/other_%1.JPG").arg(i));
    const QList<FileEntry> input = files(names);

    CancellationToken cancel;
    int reads = 0;
    const CaptureReader cancelling = [&](const QString&) -> std::optional<CaptureStamp> {
        if (++reads == 10)
            cancel.cancel();
        return std::nullopt;
    };
    EXPECT_THROW(Analyzer::analyze(input, byCaptureTime(), cancelling, cancel), Cancelled);
    EXPECT_EQ(reads, 64);

    // Cancelled before the first read; a cancelled token is never looked at without reads.
    reads = 0;
    EXPECT_THROW(Analyzer::analyze(input, byCaptureTime(), cancelling, cancel), Cancelled);
    EXPECT_EQ(reads, 0);
    EXPECT_NO_THROW(Analyzer::analyze(input, listEverything(), cancelling, cancel));
}

TEST(Analyzer, LeftoversAndFollowersAreInPathOrder)
{
    const ScanResult result
        = Analyzer::analyze(files({ u"IMG_10.CR3"_qs, u"img_2.CR3"_qs, u"IMG_2.CR3"_qs,
                                u"IMG_10.CR3.xmp"_qs, u"IMG_10.xmp"_qs, u"IMG_10.CR3.dop"_qs }),
            listEverything());
    EXPECT_EQ(paths(result.orphanRaws),
        QStringList({ u"img_2.CR3"_qs, u"IMG_2.CR3"_qs, u"IMG_10.CR3"_qs }));
    EXPECT_EQ(paths(result.orphanRaws[2].followers),
        QStringList({ u"IMG_10.CR3.dop"_qs, u"IMG_10.CR3.xmp"_qs, u"IMG_10.xmp"_qs }));
}

TEST(Analyzer, CountsEveryKindAndIgnoresOthers)
{
    EXPECT_EQ(Analyzer::analyze({}, MatchOptions()), ScanResult());

    const ScanResult result = Analyzer::analyze(
        files({ u"A/IMG_1.CR3"_qs, u"A/IMG_1.JPG"_qs, u"A/IMG_1.HIF"_qs, u"A/IMG_1.xmp"_qs,
            u"A/IMG_1.MOV"_qs, u"A/IMG_1.tif"_qs, u"A/IMG_1.txt"_qs, u"A/IMG_1.txt.xmp"_qs }),
        MatchOptions());
    EXPECT_EQ(result.fileCount, 8);
    EXPECT_EQ(result.rawCount, 1);
    EXPECT_EQ(result.twinCount, 2);
    EXPECT_EQ(result.sidecarCount, 2);
    EXPECT_EQ(result.pairs.size(), 1);
    EXPECT_EQ(paths(result.orphanSidecars), QStringList { u"A/IMG_1.txt.xmp"_qs });
}
