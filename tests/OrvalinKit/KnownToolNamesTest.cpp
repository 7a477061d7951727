// The names phones, file managers and editing tools write, tool by tool: what stays unoffered
// because it belongs to a kept photo, what is offered and with which sidecars; and the names
// cameras and renaming tools write, which must pair and split exactly as without the option.
#include "Analyzer.h"
#include "Naming.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QList<FileEntry> files(const QString& paths)
{
    QList<FileEntry> list;
    for (const QString& path : paths.split(QStringLiteral(", ")))
        list.append({ path, 1, FileKinds::fromExtension(RelativePath::extension(path)) });
    return list;
}

MatchOptions options(bool knownToolNames)
{
    MatchOptions options;
    options.onlyMixedFolders = false;
    options.trimHEIC = true;
    options.knownToolNames = knownToolNames;
    return options;
}

// Every file offered, each leftover with its followers: "A/IMG_1.CR3 + A/IMG_1.CR3.xmp, ...".
QString offered(const ScanResult& result)
{
    QStringList lines;
    for (const Candidate& candidate : result.allCandidates()) {
        QString line = candidate.file.relativePath;
        for (const FileEntry& follower : candidate.followers)
            line += QStringLiteral(" + ") + follower.relativePath;
        lines.append(line);
    }
    return lines.join(QStringLiteral(", "));
}

QString offered(const QString& paths, bool knownToolNames = true)
{
    return offered(Analyzer::analyze(files(paths), options(knownToolNames)));
}

struct Convention
{
    const char* files;
    // What is offered with the option on; the empty text when everything belongs to a kept photo.
    const char* offered;
};

void expectOffered(std::initializer_list<Convention> cases)
{
    for (const Convention& c : cases)
        EXPECT_EQ(offered(QString::fromUtf8(c.files)), QString::fromUtf8(c.offered)) << c.files;
}

} // namespace

TEST(KnownToolNames, PixelNamesPairByDateAndTime)
{
    expectOffered({
        { "A/PXL_20231207_032111247.RAW-01.COVER.jpg, A/PXL_20231207_032111247.RAW-02.ORIGINAL.dng",
            "" },
        { "A/PXL_20231207_032108788.RAW-01.MP.COVER.jpg, "
          "A/PXL_20231207_032108788.RAW-02.ORIGINAL.dng",
            "" },
        { "A/PXL_20231026_205755225.MP.jpg, A/PXL_20231026_205755225.dng", "" },
        { "A/PXL_20231207_032111247.NIGHT.RAW-01.COVER.jpg, "
          "A/PXL_20231207_032111247.NIGHT.RAW-02.ORIGINAL.dng",
            "" },
        // Another shot a millisecond later is another photo.
        { "A/PXL_20231207_032111247.RAW-02.ORIGINAL.dng, A/PXL_20231207_032111248.RAW-01.COVER.jpg",
            "A/PXL_20231207_032111247.RAW-02.ORIGINAL.dng, "
            "A/PXL_20231207_032111248.RAW-01.COVER.jpg" },
        { "A/PXL_20231207_032111247.RAW-02.ORIGINAL.dng, "
          "A/PXL_20231207_032111247.RAW-02.ORIGINAL.dng.xmp, A/PXL_20231207_032111249.MP.jpg",
            "A/PXL_20231207_032111247.RAW-02.ORIGINAL.dng + "
            "A/PXL_20231207_032111247.RAW-02.ORIGINAL.dng.xmp, A/PXL_20231207_032111249.MP.jpg" },
    });
}

TEST(KnownToolNames, AppleEditsAndAdjustmentsBelongToTheOriginal)
{
    expectOffered({
        { "A/IMG_0102.DNG, A/IMG_E0102.JPG", "" },
        { "A/IMG_0101.DNG, A/IMG_0101.JPG, A/IMG_O0101.AAE, A/IMG_0101.AAE", "" },
        { "A/IMG_0103.DNG, A/IMG_O0103.AAE, A/IMG_0104.JPG",
            "A/IMG_0103.DNG + A/IMG_O0103.AAE, A/IMG_0104.JPG" },
        // Five digits is some other name.
        { "A/IMG_01020.DNG, A/IMG_E01020.JPG", "A/IMG_01020.DNG, A/IMG_E01020.JPG" },
    });
}

TEST(KnownToolNames, FileManagerAndBrowserCopiesPairInAnyOrder)
{
    expectOffered({
        // Windows File Explorer.
        { "A/IMG_0801.CR3, A/IMG_0801 - Copy.JPG", "" },
        { "A/IMG_0801.CR3, A/IMG_0801 - Copy (2).JPG", "" },
        { "A/IMG_0801.CR3, A/IMG_0801 - Copy - Copy.JPG", "" },
        // macOS Finder's Keep Both.
        { "A/IMG_0801.CR3, A/IMG_0801 2.JPG", "" },
        // GNOME Files, old and new.
        { "A/IMG_0801.CR3, A/IMG_0801 (copy).JPG", "" },
        { "A/IMG_0801.CR3, A/IMG_0801 (another copy).JPG", "" },
        { "A/IMG_0801.CR3, A/IMG_0801 (3rd copy).JPG", "" },
        { "A/IMG_0801.CR3, A/IMG_0801 (11th copy).JPG", "" },
        { "A/IMG_0801.CR3, A/IMG_0801 (Copy 2).JPG", "" },
        // Firefox.
        { "A/IMG_0801.CR3, A/IMG_0801(1).jpg", "" },
        // Stacked, in either order, with the edit suffixes people add.
        { "A/IMG_0801.CR3, A/IMG_0801 (copy) 2.JPG", "" },
        { "A/IMG_0801.CR3, A/IMG_0801 2 - Copy-Edit.JPG", "" },
        { "A/IMG_0801 - Copy.CR3, A/IMG_0801 (copy).JPG", "" },
        // A counter on the RAW's side reaches a JPEG of exactly that name.
        { "A/IMG_0801 2.CR3, A/IMG_0801.JPG", "" },
    });
}

TEST(KnownToolNames, EditorsDerivativesAndExportsPairWithTheOriginal)
{
    expectOffered({
        // Lightroom's Enhance and Photo Merge write DNG files next to the original.
        { "A/IMG_0001.JPG, A/IMG_0001-Enhanced-NR.dng", "" },
        { "A/IMG_0001.JPG, A/IMG_0001-Enhanced-SR.dng", "" },
        { "A/IMG_0001.JPG, A/IMG_0001-Enhanced-NR-SR.dng", "" },
        { "A/IMG_0001.JPG, A/IMG_0001-HDR.dng, A/IMG_0001-HDR-Pano.dng", "" },
        // Lightroom's export conflict, also after an Enhance.
        { "A/IMG_0001.CR3, A/IMG_0001-2.jpg", "" },
        { "A/P1051911.RW2, A/P1051911-Enhanced-NR-2.jpg", "" },
        // darktable: export conflict and raw denoise.
        { "A/IMG_0001.CR3, A/IMG_0001_01.jpg", "" },
        { "A/IMG_0001.JPG, A/IMG_0001_raw-denoise.dng, A/IMG_0001_raw-denoise_1.dng", "" },
        // DxO PhotoLab.
        { "A/IMG_0001.CR3, A/IMG_0001_DxO.jpg", "" },
        // Without the original's twin the derivative is a leftover like the original.
        { "A/IMG_0001.CR3, A/IMG_0001-Enhanced-NR.dng, A/IMG_0002.JPG",
            "A/IMG_0001-Enhanced-NR.dng, A/IMG_0001.CR3, A/IMG_0002.JPG" },
    });
}

TEST(KnownToolNames, ToolSidecarsFollowTheirPhotoWhereverTheToolKeepsThem)
{
    expectOffered({
        // darktable's duplicate versions.
        { "A/IMG_0201.CR3, A/IMG_0201.CR3.xmp, A/IMG_0201_01.CR3.xmp, A/IMG_0201_12.CR3.xmp",
            "A/IMG_0201.CR3 + A/IMG_0201.CR3.xmp + A/IMG_0201_01.CR3.xmp + A/IMG_0201_12.CR3.xmp" },
        { "A/IMG_0201.CR3, A/IMG_0201.JPG, A/IMG_0201_01.CR3.xmp", "" },
        { "A/IMG_0202_01.CR3.xmp, A/IMG_0201.JPG", "A/IMG_0201.JPG, A/IMG_0202_01.CR3.xmp" },
        // Capture One's settings, two folders down; its cache is never offered.
        { "A/IMG_0301.CR3, A/CaptureOne/Settings153/IMG_0301.CR3.cos, "
          "A/CaptureOne/Settings153/IMG_0301.CR3.comask, "
          "A/CaptureOne/Cache/Thumbnails/IMG_0301.CR3.cot",
            "A/IMG_0301.CR3 + A/CaptureOne/Settings153/IMG_0301.CR3.comask + "
            "A/CaptureOne/Settings153/IMG_0301.CR3.cos" },
        { "IMG_0301.CR3, IMG_0301.JPG, CaptureOne/Settings1665/IMG_0301.CR3.cos", "" },
        { "A/IMG_0301.JPG, A/CaptureOne/Settings153/IMG_0302.CR3.cos",
            "A/IMG_0301.JPG, A/CaptureOne/Settings153/IMG_0302.CR3.cos" },
        // Nikon's NKSC_PARAM, ART, RawTherapee's output profile.
        { "A/DSC_0001.NEF, A/NKSC_PARAM/DSC_0001.NEF.nksc",
            "A/DSC_0001.NEF + A/NKSC_PARAM/DSC_0001.NEF.nksc" },
        { "A/IMG_0001.CR3, A/IMG_0001.CR3.arp", "A/IMG_0001.CR3 + A/IMG_0001.CR3.arp" },
        { "A/IMG_0001.CR3, A/IMG_0001.jpg, A/IMG_0001.jpg.out.pp3", "" },
        { "A/IMG_0002.jpg, A/IMG_0002.jpg.out.pp3", "A/IMG_0002.jpg + A/IMG_0002.jpg.out.pp3" },
        // Only the tool's own files count as its settings.
        { "A/IMG_0301.CR3, A/CaptureOne/Settings153/IMG_0301.CR3.xmp, A/NKSC_PARAM/IMG_0301.CR3.cos",
            "A/IMG_0301.CR3, A/CaptureOne/Settings153/IMG_0301.CR3.xmp, "
            "A/NKSC_PARAM/IMG_0301.CR3.cos" },
    });
}

TEST(KnownToolNames, OffMeansTheNamesAreUnknown)
{
    const QString paths = QStringLiteral(
        "A/IMG_0301.CR3, A/CaptureOne/Settings153/IMG_0301.CR3.cos, A/IMG_0301.CR3.arp, "
        "A/NKSC_PARAM/IMG_0301.CR3.nksc, A/IMG_0301_01.CR3.xmp, A/IMG_E0301.JPG");
    EXPECT_EQ(offered(paths, false),
        "A/IMG_0301.CR3, A/IMG_E0301.JPG, A/CaptureOne/Settings153/IMG_0301.CR3.cos, "
        "A/IMG_0301_01.CR3.xmp");
    // Sidecar kinds only these tools write are not even counted.
    EXPECT_EQ(Analyzer::analyze(files(paths), options(false)).sidecarCount, 2);
    EXPECT_EQ(Analyzer::analyze(files(paths), options(true)).sidecarCount, 4);
}

TEST(KnownToolNames, CameraAndRenamedNamesStillSplit)
{
    for (const char* paths : { "A/DSC_0101.NEF, A/DSC_0102.JPG",
             "A/IMG_20231010_120000.dng, A/IMG_20231010_120001.jpg",
             "A/2026-10-04-001.NEF, A/2026-10-04-002.JPG",
             "A/2026-10-04-001-Edit.NEF, A/2026-10-04-002 copy (2) - Copy.JPG",
             "A/2026-10-04-001.NEF, A/2026-10-04-002-2.JPG",
             "A/2026-10-04-001 2.NEF, A/2026-10-04-002 2.JPG", "A/2026-10-04-1.NEF, A/2026-10-04-2.JPG",
             "A/Trip 12.NEF, A/Trip 13.JPG", "A/IMG_0001.CR3, A/IMG_0002_01.jpg",
             "A/IMG_0801 2.CR3, A/IMG_0801 3.JPG", "A/DSC_0101.NEF, A/DSC_0101_0102.JPG" }) {
        const QString both = QString::fromUtf8(paths);
        EXPECT_EQ(offered(both), both) << paths;
    }
}

// Names as cameras and renaming tools write them, with the suffixes people add, in random
// folders: the option changes nothing about them.
TEST(KnownToolNames, OrdinaryNamesAreAnalysedAsWithoutTheOption)
{
    const QStringList stems { "IMG_", "_MG_", "DSC_", "DSCF", "P10", "2026-10-04-", "Trip " };
    const QStringList suffixes { "", "", "", "-Edit", " copy", " (1)", " copy 2", "-edited-3" };
    const QStringList extensions { ".CR3", ".NEF", ".JPG", ".jpg", ".HEIC", ".xmp", ".CR3.xmp",
        ".MOV", ".pp3", ".dop" };
    for (quint32 seed = 1; seed <= 40; ++seed) {
        QRandomGenerator random(seed);
        QList<FileEntry> tree;
        for (int i = 0; i < 200; ++i) {
            const QString path = QStringLiteral("F%1/").arg(random.bounded(4))
                + stems[random.bounded(stems.size())]
                + QString::number(random.bounded(30)).rightJustified(3, u'0')
                + suffixes[random.bounded(suffixes.size())]
                + extensions[random.bounded(extensions.size())];
            tree.append({ path, random.bounded(100), FileKinds::fromExtension(RelativePath::extension(path)) });
        }
        for (bool across : { false, true }) {
            MatchOptions on = options(true);
            on.matchAcrossFolders = across;
            MatchOptions off = on;
            off.knownToolNames = false;
            EXPECT_EQ(Analyzer::analyze(tree, on), Analyzer::analyze(tree, off))
                << "seed " << seed << (across ? " across folders" : "");
        }
    }
}
