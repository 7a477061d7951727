#include "SampleShoot.h"

#include "Analyzer.h"
#include "CaptureTime.h"
#include "OperationError.h"
#include "Scanner.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <gtest/gtest.h>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// Every file below `root` with its size, by relative path.
QMap<QString, qint64> filesBelow(const QString& root)
{
    QMap<QString, qint64> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.insert(QDir(root).relativeFilePath(it.filePath()), it.fileInfo().size());
    }
    return files;
}

qsizetype countIn(const QMap<QString, qint64>& files, const QString& folder)
{
    return std::count_if(files.keyBegin(), files.keyEnd(),
        [&](const QString& path) { return QFileInfo(path).path() == folder; });
}

// "IMG_1.CR3=IMG_1.JPG" for each pair, "*" marking one made by capture time; sorted by name.
std::string describe(const QList<Pair>& pairs)
{
    QStringList lines;
    for (const Pair& pair : pairs) {
        QStringList names { pair.raw.name() };
        for (const FileEntry& twin : pair.twins)
            names.append(twin.name());
        lines.append(names.join(u'=') + (pair.byCaptureTime ? u"*"_s : QString()));
    }
    lines.sort();
    return lines.join(u' ').toStdString();
}

// "IMG_1.CR3+IMG_1.CR3.dop" for each leftover with its followers, in the listed order.
std::string describe(const QList<Candidate>& candidates)
{
    QStringList lines;
    for (const Candidate& candidate : candidates) {
        QStringList names { candidate.file.name() };
        for (const FileEntry& follower : candidate.followers)
            names.append(follower.name());
        lines.append(names.join(u'+'));
    }
    return lines.join(u' ').toStdString();
}

const QString lakePairs = u"DSC_0101.NEF=DSC_0101.JPG DSC_0102.NEF=DSC_0102.JPG "
                          "DSC_0104.NEF=DSC_0104.JPG DSC_0105.NEF=DSC_0105.JPG "
                          "DSC_0108.NEF=DSC_0108.JPG DSC_0109.NEF=DSC_0109.JPG "
                          "DSC_0111.NEF=DSC_0111.JPG DSC_0112.NEF=DSC_0112.JPG"_s;
const QString marketPairs = u"DSCF3301.RAF=DSCF3301.JPG DSCF3303.RAF=DSCF3303.JPG "
                            "DSCF3305.RAF=DSCF3305.JPG DSCF3306.RAF=DSCF3306.JPG"_s;
const QString gardenPairs = u"IMG_2201.CR3=IMG_2201.JPG IMG_2202.CR3=IMG_2202.JPG "
                            "IMG_2204.CR3=IMG_2204.JPG%1 IMG_2206.CR3=IMG_2206.JPG "
                            "IMG_2207.CR3=IMG_2207.JPG IMG_2208.CR3=IMG_2208.JPG "
                            "IMG_2209.CR3=IMG_2209.JPG"_s;
const QString rawLeftovers = u"DSC_0103.NEF DSC_0106.NEF+DSC_0106.NEF.xmp DSC_0107.NEF "
                             "DSC_0110.NEF IMG_2203.CR3+IMG_2203.CR3.dop%1 DSCF3302.RAF "
                             "DSCF3304.RAF"_s;
const QString jpegLeftovers = u"DSC_0115.JPG%1 IMG_2210.JPG IMG_2211.JPG"_s;
const std::string sidecarLeftovers = "DSC_0099.xmp IMG_2290.pp3 DSCF3399.on1";

// Every pair by name order, the garden's IMG_2205 pair given as `edited`.
std::string pairs(QStringView edited)
{
    return QStringList { marketPairs, lakePairs, gardenPairs.arg(edited) }.join(u' ').toStdString();
}

class SampleAnalysis : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        root = new TempFolder;
        ASSERT_EQ(SampleShoot::create(root->path()), 59);
        files = new QList<FileEntry>(
            Scanner::scan(root->path(), ScanOptions { u"Orvalin Review"_s }));
    }
    static void TearDownTestSuite()
    {
        delete files;
        delete root;
    }

    static inline TempFolder* root = nullptr;
    static inline QList<FileEntry>* files = nullptr;
};

} // namespace

TEST(SampleShoot, WritesFiftyNineFilesOfTheirExactSizes)
{
    TempFolder root;
    EXPECT_EQ(SampleShoot::create(root.path()), 59);

    const QMap<QString, qint64> files = filesBelow(root.path());
    EXPECT_EQ(files.size(), 59);
    EXPECT_EQ(countIn(files, u"2026-09 Lake trip"_s), 23);
    EXPECT_EQ(countIn(files, u"2026-10 Garden"_s), 21);
    EXPECT_EQ(countIn(files, u"2026-10 Market/Afternoon"_s), 11);
    EXPECT_EQ(countIn(files, u"Phone"_s), 4);
    EXPECT_EQ(std::accumulate(files.cbegin(), files.cend(), qint64(0)), 1'063'313'466);
    EXPECT_EQ(files.value(u"2026-09 Lake trip/DSC_0101.NEF"_s), 28'902'824);
    EXPECT_EQ(files.value(u"2026-09 Lake trip/DSC_0115.JPG"_s), 8'706'456);
    EXPECT_EQ(files.value(u"2026-10 Garden/IMG_2205.CR3"_s), 34'170'856);
    EXPECT_EQ(files.value(u"2026-10 Garden/IMG_2205-Edit.jpg"_s), 7'236'456);
    EXPECT_EQ(files.value(u"2026-10 Market/Afternoon/DSCF3301.RAF"_s), 34'640'008);
    EXPECT_EQ(files.value(u"Phone/IMG_0501.JPG"_s), 6'732'456);
    EXPECT_FALSE(files.contains(u"2026-10 Garden/IMG_2205.JPG"_s));

    EXPECT_EQ(readFile(root.at(u"2026-09 Lake trip/DSC_0106.NEF.xmp"_s)),
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
        "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
        "<rdf:Description rdf:about=\"DSC_0106.NEF\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" "
        "xmp:Rating=\"3\"/></rdf:RDF></x:xmpmeta>\n");
    EXPECT_TRUE(readFile(root.at(u"2026-09 Lake trip/DSC_0099.xmp"_s))
                    .contains("rdf:about=\"DSC_0099.NEF\""));
    EXPECT_EQ(readFile(root.at(u"2026-10 Garden/IMG_2203.CR3.dop"_s)), "DxO settings (sample)\n");
    EXPECT_EQ(
        readFile(root.at(u"2026-10 Garden/IMG_2290.pp3"_s)), "[Version]\nAppVersion=sample\n");
    EXPECT_EQ(readFile(root.at(u"2026-10 Market/Afternoon/DSCF3399.on1"_s)), "{\"sample\":true}\n");
}

TEST(SampleShoot, PicturesAreStampedLandscapesWithTheSkyOnTop)
{
    TempFolder root;
    SampleShoot::create(root.path());

    EXPECT_EQ(QImage(root.at(u"2026-10 Garden/IMG_2205.CR3"_s), "jpeg").size(), QSize(360, 240));
    const QImage jpeg(root.at(u"2026-10 Garden/IMG_2205-Edit.jpg"_s), "jpeg");
    ASSERT_EQ(jpeg.size(), QSize(480, 320));
    // Seed 45 puts the sun's square at x = 0.47 × 480, 0.62 × 320 above the bottom edge.
    const QColor sun = jpeg.pixelColor(int(0.47 * 480 + 28.8), int(320 - 0.62 * 320 - 28.8));
    EXPECT_TRUE(sun.red() > 200 && sun.green() > 160 && sun.blue() < 140)
        << sun.name().toStdString();
    EXPECT_LT(jpeg.pixelColor(5, 315).value(), 120);
    EXPECT_GT(jpeg.pixelColor(5, 5).value(), 200);

    const auto stamped = [](const QString& date) {
        return std::optional(CaptureStamp { date, std::nullopt, u"Sample Camera"_s });
    };
    EXPECT_EQ(CaptureTime::read(root.at(u"2026-10 Garden/IMG_2205.CR3"_s)),
        stamped(u"2026:10:04 10:00:45"_s));
    EXPECT_EQ(CaptureTime::read(root.at(u"2026-10 Garden/IMG_2205-Edit.jpg"_s)),
        stamped(u"2026:10:04 10:00:45"_s));
    EXPECT_EQ(CaptureTime::read(root.at(u"2026-09 Lake trip/DSC_0101.NEF"_s)),
        stamped(u"2026:10:04 10:01:41"_s));
    EXPECT_EQ(
        CaptureTime::read(root.at(u"Phone/IMG_0504.JPG"_s)), stamped(u"2026:10:04 10:00:24"_s));
}

TEST(SampleShoot, RunningAgainRewritesTheSameFiles)
{
    TempFolder root;
    SampleShoot::create(root.path());
    const QMap<QString, qint64> first = filesBelow(root.path());
    const QByteArray picture = readFile(root.at(u"Phone/IMG_0502.JPG"_s));

    // Files that grew or changed since are replaced, not patched.
    root.write(u"2026-10 Garden/IMG_2290.pp3"_s, QByteArray(1000, 'x'));
    QFile grown(root.at(u"Phone/IMG_0502.JPG"_s));
    ASSERT_TRUE(grown.open(QIODevice::ReadWrite));
    grown.write("scribble");
    grown.resize(40 * 1024 * 1024);
    grown.close();

    EXPECT_EQ(SampleShoot::create(root.path()), 59);
    EXPECT_EQ(filesBelow(root.path()), first);
    EXPECT_EQ(readFile(root.at(u"Phone/IMG_0502.JPG"_s)), picture);
    EXPECT_EQ(
        readFile(root.at(u"2026-10 Garden/IMG_2290.pp3"_s)), "[Version]\nAppVersion=sample\n");
}

TEST(SampleShoot, StopsAtTheFirstFailureNamingTheFolder)
{
    TempFolder root;
    // A file where the garden folder should be: the lake folder is written, nothing after.
    root.write(u"2026-10 Garden"_s, "in the way");
    try {
        SampleShoot::create(root.path());
        FAIL() << "expected an OperationError";
    } catch (const OperationError& error) {
        EXPECT_TRUE(error.message().contains(u"2026-10 Garden"_s)) << error.what();
    }
    EXPECT_EQ(countIn(filesBelow(root.path()), u"2026-09 Lake trip"_s), 23);
    EXPECT_FALSE(QFileInfo::exists(root.at(u"Phone"_s)));
}

TEST_F(SampleAnalysis, DefaultOptionsFindEveryKindOfLeftover)
{
    const ScanResult result = Analyzer::analyze(*files, MatchOptions {});
    EXPECT_EQ(result.fileCount, 59);
    EXPECT_EQ(result.rawCount, 27);
    EXPECT_EQ(result.twinCount, 27);
    EXPECT_EQ(result.sidecarCount, 5);
    EXPECT_EQ(describe(result.pairs), pairs(u" IMG_2205.CR3=IMG_2205-Edit.jpg"));
    EXPECT_EQ(describe(result.orphanRaws), rawLeftovers.arg(u"").toStdString());
    EXPECT_EQ(describe(result.orphanJPEGs), jpegLeftovers.arg(u"").toStdString());
    EXPECT_EQ(describe(result.orphanSidecars), sidecarLeftovers);
    EXPECT_EQ(result.heldInSingleKindFolders, 4);
    EXPECT_EQ(result.heldHEIC, 0);
}

TEST_F(SampleAnalysis, TheEditedCopyPairsByCaptureTimeWhenSuffixesCount)
{
    MatchOptions options;
    options.ignoreEditSuffixes = false;
    const ScanResult byName = Analyzer::analyze(*files, options);
    EXPECT_EQ(describe(byName.pairs), pairs(u""));
    EXPECT_EQ(describe(byName.orphanRaws), rawLeftovers.arg(u" IMG_2205.CR3").toStdString());
    EXPECT_EQ(describe(byName.orphanJPEGs), jpegLeftovers.arg(u" IMG_2205-Edit.jpg").toStdString());

    options.matchCaptureTime = true;
    const ScanResult byTime = Analyzer::analyze(*files, options, CaptureTime::reader(root->path()));
    EXPECT_EQ(describe(byTime.pairs), pairs(u" IMG_2205.CR3=IMG_2205-Edit.jpg*"));
    EXPECT_EQ(byTime.pairs.last().raw.name(), u"IMG_2205.CR3");
    EXPECT_EQ(describe(byTime.orphanRaws), rawLeftovers.arg(u"").toStdString());
    EXPECT_EQ(describe(byTime.orphanJPEGs), jpegLeftovers.arg(u"").toStdString());
    EXPECT_EQ(describe(byTime.orphanSidecars), sidecarLeftovers);
    EXPECT_EQ(byTime.heldInSingleKindFolders, 4);
}
