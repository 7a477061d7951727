#include "SampleShoot.h"

#include "Exiv2Setup.h"
#include "OperationError.h"

#include <QBuffer>
#include <QColorSpace>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

// The sample's error sentences, in the "SampleShoot" context where the translation update
// finds them.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SampleShoot)
};

// One file of the sample: a generated picture, or a sidecar with a fixed text.
struct SampleFile
{
    QString relativePath;
    std::optional<int> seed;
    int width = 0;
    double hue = 0;
    QByteArray text;
};

constexpr int rawWidth = 360;
constexpr int jpegWidth = 480;

SampleFile picture(const QString& relativePath, int seed, int width, double hue)
{
    return { relativePath, seed, width, hue, {} };
}

SampleFile sidecar(const QString& relativePath, const QByteArray& text)
{
    return { relativePath, std::nullopt, 0, 0, text };
}

QString numbered(const char* format, int n)
{
    return QString::asprintf(format, n);
}

QByteArray xmpSidecar(const QString& photoName)
{
    return "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">"
           "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "<rdf:Description rdf:about=\""
        + photoName.toUtf8()
        + "\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmp:Rating=\"3\"/>"
          "</rdf:RDF></x:xmpmeta>\n";
}

// The whole sample, in the order it is written.
QList<SampleFile> sampleFiles()
{
    QList<SampleFile> files;

    const QString lake = QStringLiteral("2026-09 Lake trip/");
    for (int n = 101; n <= 112; ++n) {
        const double hue = (n % 5) * 0.02 + 0.55;
        files.append(picture(lake + numbered("DSC_%04d.NEF", n), n, rawWidth, hue));
        if (n != 103 && n != 106 && n != 107 && n != 110)
            files.append(picture(lake + numbered("DSC_%04d.JPG", n), n, jpegWidth, hue));
    }
    files.append(picture(lake + QStringLiteral("DSC_0115.JPG"), 115, jpegWidth, 0.6));
    files.append(
        sidecar(lake + QStringLiteral("DSC_0106.NEF.xmp"), xmpSidecar(u"DSC_0106.NEF"_qs)));
    files.append(sidecar(lake + QStringLiteral("DSC_0099.xmp"), xmpSidecar(u"DSC_0099.NEF"_qs)));

    const QString garden = QStringLiteral("2026-10 Garden/");
    for (int n = 2201; n <= 2208; ++n) {
        const double hue = (n % 4) * 0.03 + 0.28;
        files.append(picture(garden + numbered("IMG_%d.CR3", n), n % 60, rawWidth, hue));
        if (n != 2203 && n != 2205)
            files.append(picture(garden + numbered("IMG_%d.JPG", n), n % 60, jpegWidth, hue));
    }
    files.append(picture(garden + QStringLiteral("IMG_2205-Edit.jpg"), 45, jpegWidth, 0.3));
    files.append(picture(garden + QStringLiteral("IMG_2209.CR3"), 9, rawWidth, 0.33));
    files.append(picture(garden + QStringLiteral("IMG_2209.JPG"), 9, jpegWidth, 0.33));
    files.append(picture(garden + QStringLiteral("IMG_2210.JPG"), 10, jpegWidth, 0.25));
    files.append(picture(garden + QStringLiteral("IMG_2211.JPG"), 11, jpegWidth, 0.27));
    files.append(sidecar(garden + QStringLiteral("IMG_2203.CR3.dop"), "DxO settings (sample)\n"));
    files.append(
        sidecar(garden + QStringLiteral("IMG_2290.pp3"), "[Version]\nAppVersion=sample\n"));

    const QString market = QStringLiteral("2026-10 Market/Afternoon/");
    for (int n = 3301; n <= 3306; ++n) {
        const double hue = (n % 3) * 0.04 + 0.05;
        files.append(picture(market + numbered("DSCF%d.RAF", n), n % 60, rawWidth, hue));
        if (n != 3302 && n != 3304)
            files.append(picture(market + numbered("DSCF%d.JPG", n), n % 60, jpegWidth, hue));
    }
    files.append(sidecar(market + QStringLiteral("DSCF3399.on1"), "{\"sample\":true}\n"));

    for (int n = 501; n <= 504; ++n)
        files.append(picture(QStringLiteral("Phone/") + numbered("IMG_%04d.JPG", n), n % 60,
            jpegWidth, (n % 4) * 0.05 + 0.12));

    return files;
}

// Each kind of file gets a size typical of it, so that the sample's byte counts look real.
qint64 targetSize(const QString& relativePath, int seed)
{
    constexpr qint64 mebibyte = 1024 * 1024;
    const QString extension = relativePath.section(u'.', -1).toUpper();
    if (extension == u"NEF")
        return 24 * mebibyte + 37'000 * qint64(seed);
    if (extension == u"CR3")
        return 31 * mebibyte + 37'000 * qint64(seed);
    if (extension == u"RAF")
        return 33 * mebibyte + 37'000 * qint64(seed);
    return 6 * mebibyte + 21'000 * qint64(seed);
}

double fraction(double value)
{
    return value - std::floor(value);
}

void drawHill(QPainter& painter, const QColor& colour, QPointF start, QPointF end, QPointF control1,
    QPointF control2, qreal width)
{
    QPainterPath hill({ 0, 0 });
    hill.lineTo(start);
    hill.cubicTo(control1, control2, end);
    hill.lineTo(width, 0);
    hill.closeSubpath();
    painter.fillPath(hill, colour);
}

// A landscape whose geometry is given with the origin at the bottom left, as in a plot.
std::optional<QImage> landscape(int seed, int width, double hue)
{
    const int height = width * 2 / 3;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    image.setColorSpace(QColorSpace::SRgb);

    QPainter painter;
    if (!painter.begin(&image))
        return std::nullopt;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(0, height);
    painter.scale(1, -1);

    const qreal w = width;
    const qreal h = height;
    QLinearGradient sky({ 0, h }, { 0, 0.3 * h });
    sky.setColorAt(0, QColor::fromHsvF(float(hue), 0.28f, 0.96f));
    sky.setColorAt(1, QColor::fromHsvF(float(fraction(hue + 0.05)), 0.15f, 1.0f));
    painter.fillRect(QRectF(0, 0, w, h), sky);

    const qreal sun = 0.12 * w;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 206, 84));
    painter.drawEllipse(QRectF(((seed % 7) * 0.09 + 0.2) * w, 0.62 * h, sun, sun));

    drawHill(painter, QColor::fromHsvF(float(fraction(hue + 0.3)), 0.5f, 0.55f), { 0, 0.42 * h },
        { w, ((seed % 5) * 0.04 + 0.3) * h }, { 0.3 * w, 0.65 * h }, { 0.6 * w, 0.1 * h }, w);
    drawHill(painter, QColor::fromHsvF(float(fraction(hue + 0.35)), 0.5f, 0.38f), { 0, 0.3 * h },
        { w, (((seed + 1) % 5) * 0.04 + 0.3) * h }, { 0.3 * w, 0.45 * h }, { 0.6 * w, 0.1 * h }, w);

    if (!painter.end())
        return std::nullopt;
    return image;
}

QByteArray encodedJpeg(const QImage& image)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(80);
    if (!writer.write(image))
        return {};
    return jpeg;
}

QByteArray withCaptureMetadata(const QByteArray& jpeg, int seed)
{
    try {
        Exiv2Setup::ensureReady();
        const auto image = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(jpeg.constData()), long(jpeg.size()));
        image->readMetadata();
        Exiv2::ExifData& exif = image->exifData();
        exif["Exif.Image.Model"] = std::string("Sample Camera");
        exif["Exif.Photo.DateTimeOriginal"]
            = QString::asprintf("2026:10:04 10:%02d:%02d", (seed / 60) % 60, seed % 60)
                  .toStdString();
        image->writeMetadata();

        Exiv2::BasicIo& io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        const Exiv2::DataBuf data = io.read(io.size());
        return QByteArray(reinterpret_cast<const char*>(data.pData_), data.size_);
    } catch (...) {
        return {};
    }
}

// A picture that cannot be made is written as zero bytes: the sample still has every file.
QByteArray pictureContent(int seed, int width, double hue)
{
    const std::optional<QImage> image = landscape(seed, width, hue);
    if (!image)
        return {};
    const QByteArray jpeg = encodedJpeg(*image);
    if (jpeg.isEmpty())
        return {};
    return withCaptureMetadata(jpeg, seed);
}

void makeFolder(const QString& folder)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder.toStdU16String()), error);
    if (error)
        throw OperationError(
            Text::tr("Couldn’t create the folder “%1”: %2")
                .arg(QDir::toNativeSeparators(folder), QString::fromStdString(error.message())));
}

void writeFile(const QString& path, const QByteArray& content, std::optional<qint64> paddedSize)
{
    QFile file(path);
    const auto fail = [&] {
        throw OperationError(Text::tr("Couldn’t write “%1”: %2")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail();
    if (file.write(content) != content.size() || !file.flush())
        fail();
    if (paddedSize && content.size() < *paddedSize && !file.resize(*paddedSize))
        fail();
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail();
}

} // namespace

namespace SampleShoot {

int create(const QString& root)
{
    int written = 0;
    for (const SampleFile& sample : sampleFiles()) {
        const QString path = root + u'/' + sample.relativePath;
        makeFolder(path.section(u'/', 0, -2));
        if (sample.seed) {
            writeFile(path, pictureContent(*sample.seed, sample.width, sample.hue),
                targetSize(sample.relativePath, *sample.seed));
        } else {
            writeFile(path, sample.text, std::nullopt);
        }
        ++written;
    }
    return written;
}

} // namespace SampleShoot
