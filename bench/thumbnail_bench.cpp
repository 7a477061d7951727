// Thumbnails of 40 camera-sized JPEGs (6000 × 4000) made one after another on one thread with
// ThumbnailDecoder::decode, against vipsthumbnail making 360-pixel thumbnails of the same
// files in one process (when libvips-tools is installed). Prints both times and their ratio.
// Also reports RAW files whose embedded preview is a full-size JPEG, and phone-sized HEIC files
// (4032 × 3024 with a stored thumbnail of 320 × 240, as phones write them) against vipsthumbnail
// on those. For the phone pictures it then times, picture by picture, a thumbnail for a grid
// cell at scale 1 (which the stored thumbnail covers) against the whole-picture decode the cell
// had before it said what it covers, and prints the ratios' median and range.
#include "PhonePictures.h"
#include "RatioReporter.h"
#include "ThumbnailDecoder.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <exiv2/exiv2.hpp>
#include <functional>
#include <vector>

namespace {

constexpr int fileCount = 40;
constexpr int heicCount = 8;
const QSize cameraSize(6000, 4000);
using PhonePictures::phoneSize;
using PhonePictures::phoneThumbnailSide;
// The thumbnail area of a grid cell 216 pixels wide at scale 1, and the same at scale 2.
const QSize cellArea(200, 120);
const QSize cellAreaAtScale2(400, 240);

QImage scene(int seed, QSize size = cameraSize)
{
    return PhonePictures::scene(seed, size);
}

QByteArray jpegOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.write(image);
    return bytes;
}

// A TIFF-based RAW file reduced to what thumbnails read: its full-size JPEG preview. It starts
// as the smallest TIFF file (a header and a directory holding only the width) and the metadata
// library writes the rest.
void writeRaw(const QString& path, const QByteArray& preview)
{
    QFile file(path);
    const char bareTiff[] = { 'I', 'I', '*', 0, 8, 0, 0, 0, // header
        1, 0, 0x00, 0x01, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0, // one entry: ImageWidth, SHORT, 1
        0, 0, 0, 0 }; // no further directory
    if (!file.open(QIODevice::WriteOnly)
        || file.write(bareTiff, sizeof bareTiff) != sizeof bareTiff)
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    Exiv2::ExifData& exif = image->exifData();
    exif["Exif.Image.Orientation"] = uint16_t(1);
    Exiv2::ExifThumb(exif).setJpegThumbnail(
        reinterpret_cast<const Exiv2::byte*>(preview.constData()), long(preview.size()));
    image->writeMetadata();
}

struct Workload
{
    QTemporaryDir folder;
    QStringList jpegs;
    QStringList raws;
    QStringList heics;
};

Workload& workload()
{
    static Workload* shared = [] {
        auto* w = new Workload;
        if (!w->folder.isValid())
            qFatal("no temporary folder");
        std::fprintf(stderr, "writing %d JPEGs and RAW files of %dx%d...\n", fileCount,
            cameraSize.width(), cameraSize.height());
        for (int i = 0; i < fileCount; ++i) {
            const QByteArray jpeg = jpegOf(scene(i));
            QFile file(w->folder.filePath(QString::asprintf("IMG_%04d.JPG", i + 1)));
            if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
                qFatal("cannot write %s", qPrintable(file.fileName()));
            w->jpegs.append(file.fileName());
            const QString raw = w->folder.filePath(QString::asprintf("DSC_%04d.NEF", i + 1));
            writeRaw(raw, jpeg);
            w->raws.append(raw);
        }
        std::fprintf(stderr, "writing %d HEIC files of %dx%d...\n", heicCount, phoneSize.width(),
            phoneSize.height());
        for (int i = 0; i < heicCount; ++i) {
            const QString heic = w->folder.filePath(QString::asprintf("IMG_%04d.HEIC", i + 1));
            PhonePictures::writeHeic(heic, scene(i, phoneSize));
            w->heics.append(heic);
        }
        QDir().mkpath(w->folder.filePath(QStringLiteral("vips")));
        return w;
    }();
    return *shared;
}

void decodeAll(benchmark::State& state, const QStringList& files, FileKind kind)
{
    int decoded = 0;
    for (auto _ : state) {
        decoded = 0;
        for (const QString& file : files) {
            const auto thumbnail = ThumbnailDecoder::decode(file, kind);
            decoded
                += thumbnail.has_value() && qMax(thumbnail->width(), thumbnail->height()) == 360;
            benchmark::DoNotOptimize(thumbnail);
        }
    }
    if (decoded != files.size())
        state.SkipWithError("some files gave no 360-pixel thumbnail");
}

void thumbnailDecoderJpeg(benchmark::State& state)
{
    decodeAll(state, workload().jpegs, FileKind::jpeg);
}

void thumbnailDecoderRaw(benchmark::State& state)
{
    decodeAll(state, workload().raws, FileKind::raw);
}

void thumbnailDecoderHeic(benchmark::State& state)
{
    decodeAll(state, workload().heics, FileKind::heic);
}

void runVips(benchmark::State& state, const QStringList& files)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    if (program.isEmpty()) {
        state.SkipWithError("vipsthumbnail is not installed (Debian: libvips-tools)");
        return;
    }
    QStringList arguments { QStringLiteral("--size"), QStringLiteral("360"), QStringLiteral("-o"),
        workload().folder.filePath(QStringLiteral("vips/%s.jpg")) };
    arguments += files;
    for (auto _ : state) {
        QProcess vips;
        vips.start(program, arguments);
        if (!vips.waitForFinished(-1) || vips.exitCode() != 0) {
            state.SkipWithError("vipsthumbnail did not run");
            break;
        }
    }
}

void vipsthumbnail(benchmark::State& state)
{
    runVips(state, workload().jpegs);
}

void vipsthumbnailHeic(benchmark::State& state)
{
    runVips(state, workload().heics);
}

BENCHMARK(thumbnailDecoderJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(thumbnailDecoderRaw)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(vipsthumbnail)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(thumbnailDecoderHeic)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(vipsthumbnailHeic)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each phone picture decoded whole, as a cell that did not say its size had it, and for a cell
// at scale 1 and at scale 2: times and ratios per picture. Also checks that the cell's picture
// still covers its area, so that it is drawn without being enlarged.
void comparePhoneCells()
{
    std::vector<double> whole;
    std::vector<double> cell;
    std::vector<double> ratios;
    std::vector<double> scale2Ratios;
    bool sharp = true;
    for (const QString& file : workload().heics) {
        for (int round = 0; round < 3; ++round) {
            std::optional<QImage> forCell;
            const double wholeMs = millisecondsOf(
                [&] { benchmark::DoNotOptimize(ThumbnailDecoder::decode(file, FileKind::heic)); });
            const double cellMs = millisecondsOf(
                [&] { forCell = ThumbnailDecoder::decode(file, FileKind::heic, 360, cellArea); });
            const double scale2Ms = millisecondsOf([&] {
                benchmark::DoNotOptimize(
                    ThumbnailDecoder::decode(file, FileKind::heic, 360, cellAreaAtScale2));
            });
            sharp = sharp && forCell && forCell->width() >= cellArea.width()
                && forCell->height() >= cellArea.height();
            whole.push_back(wholeMs);
            cell.push_back(cellMs);
            ratios.push_back(wholeMs / cellMs);
            scale2Ratios.push_back(wholeMs / scale2Ms);
        }
    }
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    std::printf("\nphone HEIC with a %dx%d stored thumbnail, %zu decodes each way:\n",
        phoneThumbnailSide, phoneThumbnailSide * 3 / 4, ratios.size());
    std::printf("  whole picture (before)     median %7.1f ms\n", median(whole));
    std::printf("  cell of %dx%d at scale 1  median %7.2f ms, picture covers the cell: %s\n",
        cellArea.width(), cellArea.height(), median(cell), sharp ? "yes" : "NO");
    std::printf("  speed-up per picture       median %7.1fx (range %.1fx to %.1fx; goal: at "
                "least 20x)\n",
        median(ratios), *low, *high);
    std::printf("  cell at scale 2 (%dx%d)   median %7.2fx: the thumbnail does not cover it, so "
                "the picture is decoded whole\n",
        cellAreaAtScale2.width(), cellAreaAtScale2.height(), median(scale2Ratios));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    workload();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto perFile = [&](const char* name, int count) {
        const auto found = reporter.seconds.find(name);
        return found == reporter.seconds.end() ? -1.0 : found->second * 1000 / count;
    };
    const double jpeg = perFile("thumbnailDecoderJpeg", fileCount);
    const double raw = perFile("thumbnailDecoderRaw", fileCount);
    const double vips = perFile("vipsthumbnail", fileCount);
    const double heic = perFile("thumbnailDecoderHeic", heicCount);
    const double vipsHeic = perFile("vipsthumbnailHeic", heicCount);
    std::printf("\nper %dx%d file: JPEG %.1f ms, RAW preview %.1f ms", cameraSize.width(),
        cameraSize.height(), jpeg, raw);
    if (vips > 0)
        std::printf(
            ", vipsthumbnail %.1f ms: JPEG at %.2fx of vipsthumbnail's time", vips, jpeg / vips);
    std::printf("\nper %dx%d HEIC: %.1f ms", phoneSize.width(), phoneSize.height(), heic);
    if (vipsHeic > 0)
        std::printf(
            ", vipsthumbnail %.1f ms: %.2fx of vipsthumbnail's time", vipsHeic, heic / vipsHeic);
    std::printf("\n");
    comparePhoneCells();
    return jpeg > 0 && raw > 0 && heic > 0 ? 0 : 1;
}
