// The names phones, file managers, sync clients and editing tools write, tool by tool: what
// stays unoffered because it belongs to a kept photo, what is offered and with which sidecars;
// and the names cameras and renaming tools write, which must pair and split exactly as without
// the option.
#include "AnalysisText.h"
#include "Analyzer.h"

namespace {

MatchOptions options(bool knownToolNames)
{
    return { .onlyMixedFolders = false, .trimHEIC = true, .knownToolNames = knownToolNames };
}

// Every file offered, each leftover with its followers: "A/IMG_1.CR3 + A/IMG_1.CR3.xmp, ...".
QString offered(const QString& paths, const MatchOptions& given = options(true))
{
    return AnalysisText::offered(Analyzer::analyze(AnalysisText::files(paths), given)).join(u", ");
}

// With the option on, each of `kept` offers nothing, as every file belongs to a kept photo; each
// of `offers` offers what it says.
void expectLeftovers(std::initializer_list<const char*> kept,
    std::initializer_list<std::pair<const char*, const char*>> offers = {},
    const MatchOptions& given = options(true))
{
    for (const char* files : kept)
        EXPECT_EQ(offered(QString::fromUtf8(files)), QString()) << files;
    for (const auto& [files, expected] : offers)
        EXPECT_EQ(offered(QString::fromUtf8(files), given), QString::fromUtf8(expected)) << files;
}

} // namespace

TEST(KnownToolNames, PhoneEditsFileCopiesAndConflictCopiesPairWithTheOriginal)
{
    // Pixel phones, then Apple's edits and adjustments.
    expectLeftovers(
        { "PXL_20231207_032111247.RAW-01.COVER.jpg, PXL_20231207_032111247.RAW-02.ORIGINAL.dng",
            "PXL_20231207_032108788.RAW-01.MP.COVER.jpg, "
            "PXL_20231207_032108788.RAW-02.ORIGINAL.dng",
            "PXL_20231026_205755225.MP.jpg, PXL_20231026_205755225.dng",
            "PXL_20231207_032111247.NIGHT.RAW-01.COVER.jpg, "
            "PXL_20231207_032111247.NIGHT.RAW-02.ORIGINAL.dng",
            "IMG_0102.DNG, IMG_E0102.JPG",
            "IMG_0101.DNG, IMG_0101.JPG, IMG_O0101.AAE, IMG_0101.AAE" },
        { // Another shot a millisecond later is another photo.
            { "PXL_20231207_032111247.RAW-02.ORIGINAL.dng, PXL_20231207_032111248.RAW-01.COVER.jpg",
                "PXL_20231207_032111247.RAW-02.ORIGINAL.dng, "
                "PXL_20231207_032111248.RAW-01.COVER.jpg" },
            { "PXL_20231207_032111247.RAW-02.ORIGINAL.dng, "
              "PXL_20231207_032111247.RAW-02.ORIGINAL.dng.xmp, PXL_20231207_032111249.MP.jpg",
                "PXL_20231207_032111247.RAW-02.ORIGINAL.dng + "
                "PXL_20231207_032111247.RAW-02.ORIGINAL.dng.xmp, PXL_20231207_032111249.MP.jpg" },
            { "IMG_0103.DNG, IMG_O0103.AAE, IMG_0104.JPG",
                "IMG_0103.DNG + IMG_O0103.AAE, IMG_0104.JPG" },
            // Five digits is some other name.
            { "IMG_01020.DNG, IMG_E01020.JPG", "IMG_01020.DNG, IMG_E01020.JPG" } });
    expectLeftovers(
        { // Windows File Explorer; macOS Finder's Keep Both; GNOME Files, old and new; Firefox.
            "IMG_0801.CR3, IMG_0801 - Copy.JPG", "IMG_0801.CR3, IMG_0801 - Copy (2).JPG",
            "IMG_0801.CR3, IMG_0801 - Copy - Copy.JPG", "IMG_0801.CR3, IMG_0801 2.JPG",
            "IMG_0801.CR3, IMG_0801 (copy).JPG", "IMG_0801.CR3, IMG_0801 (another copy).JPG",
            "IMG_0801.CR3, IMG_0801 (3rd copy).JPG", "IMG_0801.CR3, IMG_0801 (11th copy).JPG",
            "IMG_0801.CR3, IMG_0801 (Copy 2).JPG", "IMG_0801.CR3, IMG_0801(1).jpg",
            // Stacked, in either order, with the edit suffixes people add; a counter on the RAW's
            // side reaches a JPEG of exactly that name.
            "IMG_0801.CR3, IMG_0801 (copy) 2.JPG", "IMG_0801.CR3, IMG_0801 2 - Copy-Edit.JPG",
            "IMG_0801 - Copy.CR3, IMG_0801 (copy).JPG", "IMG_0801 2.CR3, IMG_0801.JPG",
            // Lightroom's Enhance and Photo Merge, and its export conflict, also after an Enhance.
            "IMG_0001.JPG, IMG_0001-Enhanced-NR.dng", "IMG_0001.JPG, IMG_0001-Enhanced-SR.dng",
            "IMG_0001.JPG, IMG_0001-Enhanced-NR-SR.dng",
            "IMG_0001.JPG, IMG_0001-HDR.dng, IMG_0001-HDR-Pano.dng", "IMG_0001.CR3, IMG_0001-2.jpg",
            "P1051911.RW2, P1051911-Enhanced-NR-2.jpg",
            // darktable's export conflict and raw denoise; DxO PhotoLab.
            "IMG_0001.CR3, IMG_0001_01.jpg",
            "IMG_0001.JPG, IMG_0001_raw-denoise.dng, IMG_0001_raw-denoise_1.dng",
            "IMG_0001.CR3, IMG_0001_DxO.jpg" },
        // Without the original's twin the derivative is a leftover like the original.
        { { "IMG_0001.CR3, IMG_0001-Enhanced-NR.dng, IMG_0002.JPG",
            "IMG_0001-Enhanced-NR.dng, IMG_0001.CR3, IMG_0002.JPG" } });
    // Syncthing, Nextcloud and ownCloud 2.5+, older ownCloud, Dropbox by person and by computer,
    // OneDrive's keep-both and its Linux client's backups; a sidecar's copy follows the photo.
    expectLeftovers(
        { "IMG_0001.CR3, IMG_0001.sync-conflict-20240315-101530-7ZZCHKW.JPG, "
          "IMG_0001.CR3.sync-conflict-20240315-101530-7ZZCHKW.xmp",
            "IMG_0002.CR3, IMG_0002 (conflicted copy alice 2024-03-15 101530).JPG, "
            "IMG_0002.CR3 (conflicted copy 2024-03-15 101530).xmp",
            "IMG_0003.CR3, IMG_0003_conflict-20240315-101530.JPG, "
            "IMG_0003_conflict-20240315-101530.xmp",
            "IMG_0004.CR3, IMG_0004 (Alice's conflicted copy 2024-03-15).JPG",
            "IMG_0004.CR3, IMG_0004 (Alice's MacBook Pro's conflicted copy 2024-03-15).JPG",
            "IMG_0005.CR3, IMG_0005-DESKTOP-4KJ9P2A.JPG, IMG_0005-onedrive-client-dev.HEIC",
            "IMG_0006.CR3, IMG_0006-myhost-safeBackup-0001.JPG",
            // A copy of the RAW itself is a copy of a kept photo.
            "IMG_0007.CR3, IMG_0007.JPG, IMG_0007 (conflicted copy 2024-03-15 101530).CR3" },
        { // The copy of a leftover's sidecar moves with it.
            { "IMG_0001.CR3, IMG_0001.CR3.sync-conflict-20240315-101530-7ZZCHKW.xmp, IMG_0009.JPG",
                "IMG_0001.CR3 + IMG_0001.CR3.sync-conflict-20240315-101530-7ZZCHKW.xmp, "
                "IMG_0009.JPG" },
            // A computer's name is a counter: the RAW's keep-both copy beside the RAW is offered.
            { "IMG_0005.CR3, IMG_0005.JPG, IMG_0005-DESKTOP-4KJ9P2A.CR3",
                "IMG_0005-DESKTOP-4KJ9P2A.CR3" } });
}

TEST(KnownToolNames, ToolSidecarsAndExportsStayWithTheirPhotoWhereverTheToolKeepsThem)
{
    // darktable's duplicates, Capture One's settings two folders down, RawTherapee's output
    // profile.
    expectLeftovers(
        { "IMG_0201.CR3, IMG_0201.JPG, IMG_0201_01.CR3.xmp",
            "A/IMG_0301.CR3, A/IMG_0301.JPG, A/CaptureOne/Settings1665/IMG_0301.CR3.cos",
            "IMG_0001.CR3, IMG_0001.jpg, IMG_0001.jpg.out.pp3" },
        { { "IMG_0201.CR3, IMG_0201.CR3.xmp, IMG_0201_01.CR3.xmp, IMG_0201_12.CR3.xmp",
              "IMG_0201.CR3 + IMG_0201.CR3.xmp + IMG_0201_01.CR3.xmp + "
              "IMG_0201_12.CR3.xmp" },
            { "IMG_0202_01.CR3.xmp, IMG_0201.JPG", "IMG_0201.JPG, IMG_0202_01.CR3.xmp" },
            // Capture One's cache is never offered.
            { "IMG_0301.CR3, CaptureOne/Settings153/IMG_0301.CR3.cos, "
              "CaptureOne/Settings153/IMG_0301.CR3.comask, "
              "CaptureOne/Cache/Thumbnails/IMG_0301.CR3.cot",
                "IMG_0301.CR3 + CaptureOne/Settings153/IMG_0301.CR3.comask + "
                "CaptureOne/Settings153/IMG_0301.CR3.cos" },
            { "IMG_0301.JPG, CaptureOne/Settings153/IMG_0302.CR3.cos",
                "IMG_0301.JPG, CaptureOne/Settings153/IMG_0302.CR3.cos" },
            // Nikon's NKSC_PARAM, ART, RawTherapee's output profile.
            { "DSC_0001.NEF, NKSC_PARAM/DSC_0001.NEF.nksc",
                "DSC_0001.NEF + NKSC_PARAM/DSC_0001.NEF.nksc" },
            { "IMG_0001.CR3, IMG_0001.CR3.arp", "IMG_0001.CR3 + IMG_0001.CR3.arp" },
            { "IMG_0002.jpg, IMG_0002.jpg.out.pp3", "IMG_0002.jpg + IMG_0002.jpg.out.pp3" },
            // Only the tool's own files count as its settings.
            { "IMG_0301.CR3, CaptureOne/Settings153/IMG_0301.CR3.xmp, "
              "NKSC_PARAM/IMG_0301.CR3.cos",
                "IMG_0301.CR3, CaptureOne/Settings153/IMG_0301.CR3.xmp, "
                "NKSC_PARAM/IMG_0301.CR3.cos" } });
    // darktable's and RawTherapee's default exports, with its queue's counter and its profile.
    expectLeftovers(
        { "IMG_0007.CR3, darktable_exported/IMG_0007.jpg, darktable_exported/IMG_0007_01.jpg",
            "A/IMG_0008.CR3, A/converted/IMG_0008.jpg, A/converted/IMG_0008-1.jpg, "
            "A/converted/IMG_0008.jpg.out.pp3",
            // An export whose RAW is gone is no leftover, nor its profile.
            "A/IMG_0008.CR3, A/IMG_0008.JPG, A/converted/IMG_0098.jpg, "
            "A/converted/IMG_0098.jpg.out.pp3",
            "darktable_exported/IMG_0099.jpg" });
    // An export keeps its RAW; it does not make a folder of RAW files a mixed one.
    const QString rawOnly
        = QStringLiteral("IMG_0001.CR3, IMG_0002.CR3, darktable_exported/IMG_0001.jpg");
    EXPECT_EQ(offered(rawOnly), "IMG_0002.CR3");
    EXPECT_EQ(
        AnalysisText::summary(Analyzer::analyze(AnalysisText::files(rawOnly), MatchOptions())),
        "pairs: IMG_0001.CR3=darktable_exported/IMG_0001.jpg; held: 1 single-kind, 0 HEIC");
}

TEST(KnownToolNames, CountersAndCameraNumbersNeverJoinTwoShots)
{
    expectLeftovers({},
        { // A batch rename's frames pair only under their own full names.
            { "Holiday (1).NEF, Holiday (1).JPG, Holiday (2).NEF, Holiday (3).JPG",
                "Holiday (2).NEF, Holiday (3).JPG" },
            // A counter-named RAW does not take the twin of the RAW of the name left: it is a shot
            // whose JPEG is gone, or a duplicate of that RAW.
            { "IMG_8001.CR3, IMG_8001.JPG, IMG_8001 (2).CR3", "IMG_8001 (2).CR3" },
            { "20240315_101530.NEF, 20240315_101530.JPG, 20240315_101530_10.NEF",
                "20240315_101530_10.NEF" },
            { "IMG_8001.CR3, IMG_8001.JPG, IMG_8001 (2).CR3, IMG_8001 (2).JPG", "" },
            // A counter-named JPEG of a kept shot is kept, whether a copy or another frame.
            { "IMG_8001.CR3, IMG_8001 (2).JPG, 20240315_101530.NEF, 20240315_101530_10.JPG", "" },
            // Without a twin of its own a counter-named RAW still reaches the JPEG of the name
            // left.
            { "IMG_8001 (2).CR3, IMG_8001.JPG", "" } });
    // " (1)" follows the edit-suffix switch, and an edit suffix never reads as a computer.
    expectLeftovers({},
        { { "IMG_2205.CR3, IMG_2205 (1).JPG, IMG_2206.CR3, IMG_2206-Edit.jpg",
            "IMG_2205.CR3, IMG_2206.CR3, IMG_2205 (1).JPG, IMG_2206-Edit.jpg" } },
        { .ignoreEditSuffixes = false, .onlyMixedFolders = false });
    // Names cameras and renaming tools write split as they are.
    for (const char* paths :
        { "DSC_0101.NEF, DSC_0102.JPG", "IMG_20231010_120000.dng, IMG_20231010_120001.jpg",
            "2026-10-04-001.NEF, 2026-10-04-002.JPG",
            "2026-10-04-001-Edit.NEF, 2026-10-04-002 copy (2) - Copy.JPG",
            "2026-10-04-001.NEF, 2026-10-04-002-2.JPG",
            "2026-10-04-001 2.NEF, 2026-10-04-002 2.JPG", "2026-10-04-1.NEF, 2026-10-04-2.JPG",
            "Trip 12.NEF, Trip 13.JPG", "IMG_0001.CR3, IMG_0002_01.jpg",
            "IMG_0801 2.CR3, IMG_0801 3.JPG", "DSC_0101.NEF, DSC_0101_0102.JPG" })
        expectLeftovers({}, { { paths, paths } });
}

TEST(KnownToolNames, OffMeansTheNamesAreUnknown)
{
    const QString paths
        = QStringLiteral("IMG_0301.CR3, CaptureOne/Settings153/IMG_0301.CR3.cos, IMG_0301.CR3.arp, "
                         "NKSC_PARAM/IMG_0301.CR3.nksc, IMG_0301_01.CR3.xmp, IMG_E0301.JPG, "
                         "PXL_20231026_205755225.MP.jpg, PXL_20231026_205755225.dng");
    EXPECT_EQ(offered(paths, options(false)),
        "IMG_0301.CR3, PXL_20231026_205755225.dng, IMG_E0301.JPG, PXL_20231026_205755225.MP.jpg, "
        "CaptureOne/Settings153/IMG_0301.CR3.cos, IMG_0301_01.CR3.xmp");
    // Sidecar kinds only these tools write are not even counted.
    EXPECT_EQ(Analyzer::analyze(AnalysisText::files(paths), options(false)).sidecarCount, 2);
    EXPECT_EQ(Analyzer::analyze(AnalysisText::files(paths), options(true)).sidecarCount, 4);
}
