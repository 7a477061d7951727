#include "SampleShoot.h"

#include "AnalysisText.h"
#include "Analyzer.h"
#include "Scanner.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QMap>
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

// The sample's analysis, with IMG_2205 of the garden given as a pair by name, as a pair by
// capture time, as a RAW leftover and as a JPEG one.
std::string expected(
    QStringView byName, QStringView byTime = {}, QStringView raw = {}, QStringView jpeg = {})
{
    return u"pairs: DSC_0101.NEF=DSC_0101.JPG, DSC_0102.NEF=DSC_0102.JPG, "
           u"DSC_0104.NEF=DSC_0104.JPG, "
           "DSC_0105.NEF=DSC_0105.JPG, DSC_0108.NEF=DSC_0108.JPG, DSC_0109.NEF=DSC_0109.JPG, "
           "DSC_0111.NEF=DSC_0111.JPG, DSC_0112.NEF=DSC_0112.JPG, IMG_2201.CR3=IMG_2201.JPG, "
           "IMG_2202.CR3=IMG_2202.JPG, IMG_2204.CR3=IMG_2204.JPG, %1IMG_2206.CR3=IMG_2206.JPG, "
           "IMG_2207.CR3=IMG_2207.JPG, IMG_2208.CR3=IMG_2208.JPG, IMG_2209.CR3=IMG_2209.JPG, "
           "DSCF3301.RAF=DSCF3301.JPG, DSCF3303.RAF=DSCF3303.JPG, DSCF3305.RAF=DSCF3305.JPG, "
           "DSCF3306.RAF=DSCF3306.JPG%2; raws: DSC_0103.NEF, DSC_0106.NEF+DSC_0106.NEF.xmp, "
           "DSC_0107.NEF, DSC_0110.NEF, IMG_2203.CR3+IMG_2203.CR3.dop%3, DSCF3302.RAF, "
           "DSCF3304.RAF; jpegs: DSC_0115.JPG%4, IMG_2210.JPG, IMG_2211.JPG; sidecars: "
           "DSC_0099.xmp, IMG_2290.pp3, DSCF3399.on1; held: 4 single-kind, 0 HEIC"_s
               .arg(byName, byTime, raw, jpeg)
               .toStdString();
}

} // namespace

TEST(SampleShoot, WritesFiftyNineStampedFilesOfTheirExactSizesAgainAndAgainHoldingEveryLeftover)
{
    TempFolder root;
    EXPECT_EQ(SampleShoot::create(root.path()), 59);
    const QMap<QString, qint64> files = filesBelow(root.path());
    EXPECT_FALSE(files.contains(u"2026-10 Garden/IMG_2205.JPG"_s));
    EXPECT_EQ(std::accumulate(files.cbegin(), files.cend(), qint64(0)), 1'063'313'466);
    QMap<QString, int> perFolder;
    for (const QString& path : files.keys())
        ++perFolder[QFileInfo(path).path()];
    EXPECT_EQ(perFolder,
        (QMap<QString, int> { { u"2026-09 Lake trip"_s, 23 }, { u"2026-10 Garden"_s, 21 },
            { u"2026-10 Market/Afternoon"_s, 11 }, { u"Phone"_s, 4 } }));
    for (const auto& [path, size] : { std::pair(u"2026-09 Lake trip/DSC_0101.NEF"_s, 28'902'824),
             std::pair(u"2026-09 Lake trip/DSC_0115.JPG"_s, 8'706'456),
             std::pair(u"2026-10 Garden/IMG_2205.CR3"_s, 34'170'856),
             std::pair(u"2026-10 Garden/IMG_2205-Edit.jpg"_s, 7'236'456),
             std::pair(u"2026-10 Market/Afternoon/DSCF3301.RAF"_s, 34'640'008),
             std::pair(u"Phone/IMG_0501.JPG"_s, 6'732'456) })
        EXPECT_EQ(files.value(path), size) << path.toStdString();
    for (const auto& [path, date] : { std::pair(u"2026-10 Garden/IMG_2205.CR3"_s, u"10:00:45"_s),
             std::pair(u"2026-10 Garden/IMG_2205-Edit.jpg"_s, u"10:00:45"_s),
             std::pair(u"2026-09 Lake trip/DSC_0101.NEF"_s, u"10:01:41"_s),
             std::pair(u"Phone/IMG_0504.JPG"_s, u"10:00:24"_s) })
        EXPECT_EQ(CaptureTime::read(root.at(path)),
            (CaptureStamp { u"2026:10:04 "_s + date, std::nullopt, u"Sample Camera"_s }))
            << path.toStdString();
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

    // Landscapes with the sky on top; seed 45 puts the sun's square at x = 0.47 × 480, 0.62 ×
    // 320 above the bottom edge.
    EXPECT_EQ(QImage(root.at(u"2026-10 Garden/IMG_2205.CR3"_s), "jpeg").size(), QSize(360, 240));
    const QImage jpeg(root.at(u"2026-10 Garden/IMG_2205-Edit.jpg"_s), "jpeg");
    ASSERT_EQ(jpeg.size(), QSize(480, 320));
    const QColor sun = jpeg.pixelColor(int(0.47 * 480 + 28.8), int(320 - 0.62 * 320 - 28.8));
    EXPECT_TRUE(sun.red() > 200 && sun.green() > 160 && sun.blue() < 140)
        << sun.name().toStdString();
    EXPECT_LT(jpeg.pixelColor(5, 315).value(), 120);
    EXPECT_GT(jpeg.pixelColor(5, 5).value(), 200);

    // Running again rewrites the same files: those that grew or changed since are replaced, not
    // patched.
    const QByteArray picture = readFile(root.at(u"Phone/IMG_0502.JPG"_s));
    root.write(u"2026-10 Garden/IMG_2290.pp3"_s, QByteArray(1000, 'x'));
    root.write(u"Phone/IMG_0502.JPG"_s, "scribble" + picture + picture);
    EXPECT_EQ(SampleShoot::create(root.path()), 59);
    EXPECT_EQ(filesBelow(root.path()), files);
    EXPECT_EQ(readFile(root.at(u"Phone/IMG_0502.JPG"_s)), picture);

    // What it holds, analysed: every kind of leftover, and the edit paired by capture time. In
    // path order, so that pairs come in path order too.
    QList<FileEntry> scanned = Scanner::scan(root.path(), ScanOptions { u"Orvalin Review"_s });
    std::ranges::sort(scanned, {}, &FileEntry::relativePath);
    const auto described = [&](const MatchOptions& options, const CaptureReader& reader = {}) {
        return AnalysisText::summary(Analyzer::analyze(scanned, options, reader), true);
    };
    // The counts are held to by the command-line tool's tests.
    EXPECT_EQ(described({}), expected(u"IMG_2205.CR3=IMG_2205-Edit.jpg, "));

    // With edit suffixes counting, the edited copy pairs only by capture time.
    MatchOptions options { .ignoreEditSuffixes = false };
    EXPECT_EQ(described(options), expected(u"", u"", u", IMG_2205.CR3", u", IMG_2205-Edit.jpg"));
    options.matchCaptureTime = true;
    EXPECT_EQ(described(options, CaptureTime::reader(root.path())),
        expected(u"", u", IMG_2205.CR3=IMG_2205-Edit.jpg*"));
}

TEST(SampleShoot, StopsAtTheFirstFailureNamingTheFolder)
{
    TempFolder root;
    // A file where the garden folder should be: the lake folder is written, nothing after.
    root.write(u"2026-10 Garden"_s, "in the way");
    const QString message = messageOf([&] { SampleShoot::create(root.path()); });
    EXPECT_TRUE(message.contains(u"2026-10 Garden"_s)) << message.toStdString();
    EXPECT_EQ(filesBelow(root.path()).size(), 23 + 1) << "the lake trip's and the one in the way";
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList({ "2026-09 Lake trip", "2026-10 Garden" }));
}
