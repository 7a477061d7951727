#include "SampleShoot.h"

#include "CaptureTime.h"
#include "OperationError.h"
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
