#include "Analyzer.h"

#include "AnalysisText.h"
#include "SeedRules.h"

#include <QHash>

using AnalysisText::files;
using AnalysisText::summary;

namespace {

// Every leftover listed unless asked otherwise, so that tests of pairing see all of them.
MatchOptions listing(bool across = false, bool captureTime = false, bool everything = true)
{
    return { .matchAcrossFolders = across,
        .matchCaptureTime = captureTime,
        .onlyMixedFolders = !everything,
        .trimHEIC = everything };
}

std::string analyzed(
    const char* paths, const MatchOptions& given = listing(), const CaptureReader& reader = {})
{
    return summary(Analyzer::analyze(files(paths), given, reader));
}

CaptureStamp stamp(std::optional<QString> subsec = {}, std::optional<QString> model = {})
{
    return { QStringLiteral("2026:10:04 10:00:05"), std::move(subsec), std::move(model) };
}

} // namespace

TEST(Analyzer, PairsByNameAndAttachesSidecarsAndHoldsBackAsTold)
{
    const char* kinds = "Only JPEG/IMG_1.JPG, Only JPEG/IMG_2.JPG, Only JPEG/IMG_3.HEIC, "
                        "Mixed/IMG_4.CR3, Mixed/IMG_4.JPG, Mixed/IMG_5.JPG, Mixed/IMG_6.HEIC, "
                        "Mixed/IMG_7.CR3, Mixed/IMG_7.HEIC";
    const MatchOptions across = listing(true), defaults,
                       defaultsAcross = listing(true, false, false);
    const struct
    {
        const char* input;
        const char* expected;
        MatchOptions options = listing();
    } cases[] = { // Folder and file names compare folded, whatever their composition or case.
        { "Caf\u00e9/IMG_1.CR3, CAFE\u0301/img_1.jpg",
            "pairs: Caf\u00e9/IMG_1.CR3=CAFE\u0301/img_1.jpg" },
        { "_MG_7.CR2, IMG_7-Edit.jpg, IMG_7 (2).jpg",
            "pairs: _MG_7.CR2=IMG_7-Edit.jpg=IMG_7 (2).jpg" },
        // A folder named "." is the top.
        { "IMG_1.CR3, ./IMG_1.JPG", "pairs: IMG_1.CR3=./IMG_1.JPG" },
        // Folders apart or across, and twins in input order shared between RAWs, are held to the
        // plain rules on random trees below.
        // Sidecars follow the photo of their own folder ranked by kind, whatever the input order:
        // photo before image before clip; JPEG and HEIC equal, the first one winning. Of two
        // names that fold alike, the later one is the exact target.
        { "IMG_1.MOV, IMG_1.png, IMG_1.JPG, IMG_1.xmp", "jpegs: IMG_1.JPG+IMG_1.xmp" },
        { "IMG_1.xmp, IMG_1.HEIC, IMG_1.JPG", "jpegs: IMG_1.HEIC+IMG_1.xmp, IMG_1.JPG" },
        { "IMG_1.CR3, img_1.cr3, IMG_1.CR3.xmp", "raws: IMG_1.CR3, img_1.cr3+IMG_1.CR3.xmp" },
        // No fallback from an exact target to the stem; no other folder; never another sidecar;
        // never a file of kind `other`.
        { "A/IMG_1.CR3.xmp, A/IMG_1.JPG, B/IMG_2.xmp, C/IMG_2.CR3, C/IMG_2.xmp.dop, C/IMG_2.xmp, "
          "C/notes.txt, C/notes.xmp",
            "raws: C/IMG_2.CR3+C/IMG_2.xmp; jpegs: A/IMG_1.JPG; sidecars: A/IMG_1.CR3.xmp, "
            "B/IMG_2.xmp, C/IMG_2.xmp.dop, C/notes.xmp",
            across },
        // Sidecars of a paired RAW, a clip, a JPEG of a single-kind folder and a held-back HEIC
        // are in no list.
        { "A/IMG_1.CR3, A/IMG_1.JPG, A/IMG_1.xmp, A/clip.MOV, A/clip.xmp, B/IMG_9.JPG, "
          "B/IMG_9.JPG.xmp, A/IMG_5.HEIC, A/IMG_5.xmp, A/IMG_6.CR3",
            "pairs: A/IMG_1.CR3=A/IMG_1.JPG; raws: A/IMG_6.CR3; held: 1 single-kind, 1 HEIC",
            defaults },
        // The HEIC of a single-kind folder is counted there, the paired one not at all.
        { kinds,
            "pairs: Mixed/IMG_4.CR3=Mixed/IMG_4.JPG, Mixed/IMG_7.CR3=Mixed/IMG_7.HEIC; jpegs: "
            "Mixed/IMG_5.JPG; held: 3 single-kind, 1 HEIC",
            defaults },
        { kinds,
            "pairs: Mixed/IMG_4.CR3=Mixed/IMG_4.JPG, Mixed/IMG_7.CR3=Mixed/IMG_7.HEIC; jpegs: "
            "Mixed/IMG_5.JPG, Mixed/IMG_6.HEIC, Only JPEG/IMG_1.JPG, Only JPEG/IMG_2.JPG, "
            "Only JPEG/IMG_3.HEIC" },
        // Across folders there is one folder part: it holds both kinds, or it holds one.
        { kinds,
            "pairs: Mixed/IMG_4.CR3=Mixed/IMG_4.JPG, Mixed/IMG_7.CR3=Mixed/IMG_7.HEIC; jpegs: "
            "Mixed/IMG_5.JPG, Only JPEG/IMG_1.JPG, Only JPEG/IMG_2.JPG; held: 0 single-kind, 2 "
            "HEIC",
            defaultsAcross },
        { "A/IMG_1.CR3, B/IMG_2.CR3", "held: 2 single-kind, 0 HEIC", defaultsAcross },
        // Leftovers in path order, a decomposed accent among composed ones; plain names are held
        // to that order on the random trees below.
        { "R\u00e9mi 2.CR3, Re\u0301mi 10.CR3, R\u00e9mi 1.CR3",
            "raws: R\u00e9mi 1.CR3, R\u00e9mi 2.CR3, Re\u0301mi 10.CR3" },
        // Every kind of twin pairs; a sidecar of a file of kind `other` is a leftover.
        { "IMG_1.CR3, IMG_1.JPG, IMG_1.HIF, IMG_1.xmp, IMG_1.MOV, IMG_1.tif, IMG_1.txt, "
          "IMG_1.txt.xmp",
            "pairs: IMG_1.CR3=IMG_1.JPG=IMG_1.HIF; sidecars: IMG_1.txt.xmp", defaults }
    };
    for (const auto& c : cases)
        EXPECT_EQ(analyzed(c.input, c.options), c.expected) << c.input;

    const ScanResult sized = Analyzer::analyze(
        { { u"A/IMG_1.CR3"_qs, 100, FileKind::raw }, { u"A/IMG_1.xmp"_qs, 7, FileKind::sidecar } },
        listing());
    EXPECT_EQ(sized.totalSize(OrphanGroup::raw), 107);
    EXPECT_EQ(sized.orphanRaws.value(0).fileCount(), 2);
}

TEST(Analyzer, CaptureTimePairsThoseLeftByNameReadingEachOnceUntilCancelled)
{
    const QHash<QString, CaptureStamp> stamps { { u"A/IMG_1.CR3"_qs, stamp() },
        { u"A/IMG_2.CR3"_qs, stamp() }, { u"A/renamed.JPG"_qs, stamp(u"12"_qs, u"R6"_qs) },
        { u"A/IMG_3.CR3"_qs, stamp(u"40"_qs) }, { u"A/IMG_4.CR3"_qs, stamp({}, u"r6"_qs) },
        { u"B/other.JPG"_qs, stamp() } };
    QStringList asked;
    const CaptureReader reader = [&](const QString& path) {
        asked.append(path);
        return stamps.contains(path) ? std::optional(stamps.value(path)) : std::nullopt;
    };
    // The name pair first; then one twin taken by two RAWs, as a field absent on one side agrees
    // with any; a sub-second or a model that differs, if only in case, and the other folder stay
    // apart.
    const MatchOptions byTime = listing(false, true);
    EXPECT_EQ(analyzed("A/IMG_1.CR3, A/IMG_2.CR3, A/IMG_3.CR3, A/IMG_4.CR3, A/renamed.JPG, "
                       "A/IMG_9.CR3, A/IMG_9.JPG, B/other.JPG",
                  byTime, reader),
        "pairs: A/IMG_9.CR3=A/IMG_9.JPG, A/IMG_1.CR3=A/renamed.JPG*, A/IMG_2.CR3=A/renamed.JPG*; "
        "raws: A/IMG_3.CR3, A/IMG_4.CR3; jpegs: B/other.JPG");
    // Each unpaired file read once, twins first; the name pair never.
    EXPECT_EQ(asked.join(u", ").toStdString(),
        "A/renamed.JPG, B/other.JPG, A/IMG_1.CR3, A/IMG_2.CR3, A/IMG_3.CR3, A/IMG_4.CR3");

    // Nothing is read without both kinds left, nor with the option off; without a reader
    // nothing pairs and nothing fails.
    asked.clear();
    for (const char* input :
        { "A/IMG_1.CR3, A/IMG_1.JPG, A/IMG_2.CR3", "A/IMG_1.CR3, A/IMG_1.JPG, A/IMG_2.JPG" })
        EXPECT_EQ(Analyzer::analyze(files(input), byTime, reader).allCandidates().size(), 1);
    Analyzer::analyze(files("A/IMG_1.CR3, A/IMG_2.JPG"), listing(), reader);
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(
        analyzed("A/IMG_1.CR3, A/IMG_2.JPG", byTime), "raws: A/IMG_1.CR3; jpegs: A/IMG_2.JPG");

    // Cancellation is checked before every sixty-fourth read.
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
    EXPECT_THROW(Analyzer::analyze(input, listing(false, true), cancelling, cancel), Cancelled);
    EXPECT_EQ(reads, 64);

    // Cancelled before the first read; without reads the token is never looked at.
    reads = 0;
    EXPECT_THROW(Analyzer::analyze(input, listing(false, true), cancelling, cancel), Cancelled);
    EXPECT_EQ(reads, 0);
    EXPECT_NO_THROW(Analyzer::analyze(input, listing(), cancelling, cancel));
}

TEST(Analyzer, AgreesWithThePlainRulesOnRandomTrees)
{
    EXPECT_EQ(Analyzer::analyze({}, MatchOptions()), ScanResult());
    using SeedRules::Names;
    for (quint32 seed = 1; seed <= 60; ++seed) {
        MatchOptions options = SeedRules::randomOptions(seed);
        options.knownToolNames = false;
        const QList<FileEntry> tree = SeedRules::randomTree(seed, 300);
        EXPECT_EQ(Analyzer::analyze(tree, options), SeedRules::analyze(tree, options))
            << "seed " << seed;
        // Known tools' names change nothing about names that no tool wrote.
        options.knownToolNames = true;
        const QList<FileEntry> ordinary = SeedRules::randomTree(
            seed, 300, options.ignoreEditSuffixes ? Names::ordinary : Names::ordinaryUnnumbered);
        EXPECT_EQ(Analyzer::analyze(ordinary, options), SeedRules::analyze(ordinary, options))
            << "seed " << seed << ", ordinary names";
    }
}
