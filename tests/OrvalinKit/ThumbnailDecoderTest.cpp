#include "ThumbnailDecoder.h"

#include "FileKind.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>
#include <libheif/heif.h>
#include <sys/stat.h>

namespace {

// Left half red, right half blue: after decoding, where red ended up tells how it was turned.
QImage halves(int width, int height, QColor left = Qt::red, QColor right = Qt::blue)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(right);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            image.setPixelColor(x, y, left);
    return image;
}

QByteArray jpegOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(image);
    return bytes;
}

bool isReddish(QColor colour)
{
    return colour.red() > 180 && colour.blue() < 90;
}
bool isBluish(QColor colour)
{
    return colour.blue() > 180 && colour.red() < 90;
}
bool isGreenish(QColor colour)
{
    return colour.green() > 180 && colour.red() < 90 && colour.blue() < 90;
}

// Stored left red / right blue and marked "turn 90° clockwise to show": upright, red is on top.
void expectTurnedClockwise(const QImage& image)
{
    ASSERT_FALSE(image.isNull());
    EXPECT_LT(image.width(), image.height());
    EXPECT_TRUE(isReddish(image.pixelColor(image.width() / 2, image.height() / 8)));
    EXPECT_TRUE(isBluish(image.pixelColor(image.width() / 2, image.height() * 7 / 8)));
}

QByteArray withOrientation(const QByteArray& jpeg, int orientation)
{
    const auto image = Exiv2::ImageFactory::open(
        reinterpret_cast<const Exiv2::byte*>(jpeg.constData()), long(jpeg.size()));
    image->readMetadata();
    image->exifData()["Exif.Image.Orientation"] = uint16_t(orientation);
    image->writeMetadata();
    Exiv2::BasicIo& io = image->io();
    io.seek(0, Exiv2::BasicIo::beg);
    const Exiv2::DataBuf data = io.read(io.size());
    return QByteArray(reinterpret_cast<const char*>(data.pData_), data.size_);
}

// The smallest TIFF file: a header and one directory holding only the picture's width. RAW
// files are TIFF files underneath, and the metadata library fills in the rest.
QByteArray bareTiff()
{
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    const char directory[] = { 1, 0, // one entry
        0x00, 0x01, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0, // ImageWidth, SHORT, 1
        0, 0, 0, 0 }; // no further directory
    tiff.append(directory, sizeof directory);
    return tiff;
}

// A TIFF-based RAW file as cameras write them, reduced to its orientation and one embedded
// JPEG preview.
void writeRawWithPreview(const QString& path, const QImage& preview, int orientation)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bareTiff());
    file.close();
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    Exiv2::ExifData& exif = image->exifData();
    exif["Exif.Image.Orientation"] = uint16_t(orientation);
    exif["Exif.Image.Model"] = std::string("Test Camera");
    const QByteArray jpeg = jpegOf(preview);
    Exiv2::ExifThumb(exif).setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(jpeg.constData()),
                                            long(jpeg.size()));
    image->writeMetadata();
}

struct HeifWriter
{
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;

    HeifWriter()
    {
        heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
        if (encoder)
            heif_encoder_set_lossy_quality(encoder, 90);
    }
    ~HeifWriter()
    {
        if (encoder)
            heif_encoder_release(encoder);
        heif_context_free(context);
    }

    static heif_image* imageOf(const QImage& picture)
    {
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
        heif_image* image = nullptr;
        heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB,
                          heif_chroma_interleaved_RGB, &image);
        heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
        int stride = 0;
        uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        for (int y = 0; y < rgb.height(); ++y)
            memcpy(plane + y * stride, rgb.constScanLine(y), size_t(rgb.width() * 3));
        return image;
    }

    // The primary picture, stored turned as `orientation` says, with an optional thumbnail
    // `thumbnailSide` long made from a picture of its own, so that tests can tell which of the
    // two was decoded.
    bool write(const QString& path, const QImage& primary, heif_orientation orientation,
               const QImage& thumbnail = {}, int thumbnailSide = 0)
    {
        heif_encoding_options* options = heif_encoding_options_alloc();
        options->image_orientation = orientation;
        heif_image* image = imageOf(primary);
        heif_image_handle* handle = nullptr;
        bool ok = heif_context_encode_image(context, image, encoder, options, &handle).code
            == heif_error_Ok;
        if (ok && !thumbnail.isNull()) {
            heif_image* small = imageOf(thumbnail);
            heif_image_handle* thumbnailHandle = nullptr;
            ok = heif_context_encode_thumbnail(context, small, handle, encoder, options,
                                               thumbnailSide, &thumbnailHandle)
                     .code
                == heif_error_Ok;
            if (thumbnailHandle)
                heif_image_handle_release(thumbnailHandle);
            heif_image_release(small);
        }
        if (handle)
            heif_image_handle_release(handle);
        heif_image_release(image);
        heif_encoding_options_free(options);
        return ok
            && heif_context_write_to_file(context, QFile::encodeName(path).constData()).code
            == heif_error_Ok;
    }
};

int longerSide(const QImage& image)
{
    return qMax(image.width(), image.height());
}

} // namespace

TEST(ThumbnailDecoder, boundsJpegsToTheLongerSideWithoutEnlargingSmallOnes)
{
    TempFolder folder;
    const QString large = folder.write("large.jpg", jpegOf(halves(2400, 1600)));
    const QString small = folder.write("small.jpg", jpegOf(halves(120, 80)));

    const auto thumbnail = ThumbnailDecoder::decode(large, FileKind::jpeg);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->size(), QSize(360, 240));
    EXPECT_TRUE(isReddish(thumbnail->pixelColor(40, 120)));
    EXPECT_TRUE(isBluish(thumbnail->pixelColor(320, 120)));

    EXPECT_EQ(ThumbnailDecoder::decode(large, FileKind::jpeg, 2000)->size(), QSize(2000, 1333));
    EXPECT_EQ(ThumbnailDecoder::decode(small, FileKind::jpeg)->size(), QSize(120, 80));
}

TEST(ThumbnailDecoder, turnsJpegsUprightByTheirOrientation)
{
    TempFolder folder;
    const QString path = folder.write("turned.jpg", withOrientation(jpegOf(halves(1200, 800)), 6));

    const auto thumbnail = ThumbnailDecoder::decode(path, FileKind::jpeg);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->size(), QSize(240, 360));
    expectTurnedClockwise(*thumbnail);
}

TEST(ThumbnailDecoder, showsARawFilesEmbeddedPreviewTurnedByTheRawsOrientation)
{
    TempFolder folder;
    const QString path = folder.at("IMG_0001.NEF");
    writeRawWithPreview(path, halves(1200, 800), 6);

    const auto thumbnail = ThumbnailDecoder::decode(path, FileKind::raw);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->size(), QSize(240, 360));
    expectTurnedClockwise(*thumbnail);
}

TEST(ThumbnailDecoder, decodesHeicTurnedAndPrefersALongEnoughStoredThumbnail)
{
    if (HeifWriter().encoder == nullptr)
        GTEST_SKIP() << "this libheif cannot encode HEVC";
    TempFolder folder;
    const QString plain = folder.at("plain.heic");
    const QString withThumbnail = folder.at("thumbnail.heic");
    ASSERT_TRUE(HeifWriter().write(plain, halves(1200, 800), heif_orientation_rotate_90_cw));
    ASSERT_TRUE(HeifWriter().write(withThumbnail, halves(1200, 800), heif_orientation_normal,
                                   halves(1200, 800, Qt::green, Qt::green), 480));

    const auto turned = ThumbnailDecoder::decode(plain, FileKind::heic);
    ASSERT_TRUE(turned);
    EXPECT_EQ(longerSide(*turned), 360);
    expectTurnedClockwise(*turned);

    const auto fromThumbnail = ThumbnailDecoder::decode(withThumbnail, FileKind::heic);
    ASSERT_TRUE(fromThumbnail);
    EXPECT_EQ(fromThumbnail->size(), QSize(360, 240));
    EXPECT_TRUE(isGreenish(fromThumbnail->pixelColor(180, 120)));

    // Too short a thumbnail for a large preview: the picture itself is decoded, unless the
    // thumbnail still covers the area the picture is drawn over.
    struct Case
    {
        QSize cover;
        QSize size;
        bool fromThumbnail;
    };
    for (const Case& c : { Case { {}, { 1000, 666 }, false },
             Case { { 480, 320 }, { 480, 320 }, true }, Case { { 481, 200 }, { 1000, 666 }, false },
             Case { { 200, 321 }, { 1000, 666 }, false } }) {
        const auto large = ThumbnailDecoder::decode(withThumbnail, FileKind::heic, 1000, c.cover);
        ASSERT_TRUE(large);
        EXPECT_EQ(large->size(), c.size);
        const QColor left = large->pixelColor(large->width() / 10, large->height() / 2);
        EXPECT_EQ(c.fromThumbnail ? isGreenish(left) : isReddish(left), true)
            << c.cover.width() << "x" << c.cover.height();
    }
}

TEST(ThumbnailDecoder, readsFilesWhoseExtensionNamesAnotherFormat)
{
    TempFolder folder;
    const QString jpegAsHeic = folder.write("IMG_0002.HEIC", jpegOf(halves(800, 400)));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    halves(800, 400).save(&buffer, "png");
    const QString pngAsJpeg = folder.write("IMG_0003.JPG", png);

    EXPECT_EQ(ThumbnailDecoder::decode(jpegAsHeic, FileKind::heic)->size(), QSize(360, 180));
    EXPECT_EQ(ThumbnailDecoder::decode(pngAsJpeg, FileKind::jpeg)->size(), QSize(360, 180));
}

TEST(ThumbnailDecoder, givesNothingForDamagedFilesNonPicturesAndWhatIsNoRegularFile)
{
    TempFolder folder;
    const QByteArray garbage = QByteArray("\xff\xd8\xff\xe1 not really", 15).repeated(300);
    const QString jpeg = folder.write("broken.jpg", garbage);
    const QString raw = folder.write("broken.nef", "II*\0" + garbage);
    const QString heic = folder.write("broken.heic", QByteArray("\0\0\0\x18" "ftypheic", 12)
                                                         + garbage);
    const QString empty = folder.write("empty.cr3");
    const QString sidecar = folder.write("IMG_0001.xmp", jpegOf(halves(100, 100)));
    const QString clip = folder.write("IMG_0001.mov", jpegOf(halves(100, 100)));
    const QString directory = folder.makeFolder("folder.jpg");
    const QString pipe = folder.at("pipe.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    EXPECT_FALSE(ThumbnailDecoder::decode(jpeg, FileKind::jpeg));
    EXPECT_FALSE(ThumbnailDecoder::decode(raw, FileKind::raw));
    EXPECT_FALSE(ThumbnailDecoder::decode(heic, FileKind::heic));
    EXPECT_FALSE(ThumbnailDecoder::decode(empty, FileKind::raw));
    EXPECT_FALSE(ThumbnailDecoder::decode(folder.at("missing.jpg"), FileKind::jpeg));
    EXPECT_FALSE(ThumbnailDecoder::decode(sidecar, FileKind::sidecar));
    EXPECT_FALSE(ThumbnailDecoder::decode(clip, FileKind::video));
    EXPECT_FALSE(ThumbnailDecoder::decode(directory, FileKind::jpeg));
    EXPECT_FALSE(ThumbnailDecoder::decode(pipe, FileKind::jpeg));
}

TEST(ThumbnailDecoder, keepsRealCameraFilesWithinBounds)
{
    const QDir cameras(QFileInfo(corpusFile("Canon.jpg")).absolutePath());
    int decoded = 0;
    for (const QFileInfo& file : cameras.entryInfoList(QDir::Files)) {
        const FileKind kind = FileKinds::fromExtension(file.suffix());
        const auto thumbnail = ThumbnailDecoder::decode(file.absoluteFilePath(), kind);
        if (!thumbnail)
            continue;
        ++decoded;
        EXPECT_FALSE(thumbnail->isNull()) << file.fileName().toStdString();
        EXPECT_LE(longerSide(*thumbnail), 360) << file.fileName().toStdString();
    }
    EXPECT_GT(decoded, 0);
}
