#include "ThumbnailDecoder.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>
#include <libheif/heif_cxx.h>

namespace {

// Left half red, right half blue: after decoding, where red ended up tells how it was turned.
QImage halves(int width, int height, QColor left = Qt::red, QColor right = Qt::blue)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(right);
    QPainter(&image).fillRect(0, 0, width / 2, height, left);
    return image;
}

QByteArray encoded(const QImage& image, const char* format = "jpeg")
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

// Close to a pure colour after lossy compression.
bool looksLike(QColor colour, QColor pure)
{
    return qAbs(colour.red() - pure.red()) < 90 && qAbs(colour.green() - pure.green()) < 90
        && qAbs(colour.blue() - pure.blue()) < 90;
}

// Stored left red / right blue: as stored, red is on the left; marked "turn 90° clockwise to
// show", upright, red is on top.
void expectHalves(const std::optional<QImage>& image, QSize size = { 240, 360 }, bool turned = true,
    QColor left = Qt::red, QColor right = Qt::blue)
{
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), size);
    const auto at = [&](int eighths) {
        return turned ? image->pixelColor(image->width() / 2, image->height() * eighths / 8)
                      : image->pixelColor(image->width() * eighths / 8, image->height() / 2);
    };
    EXPECT_TRUE(looksLike(at(1), left));
    EXPECT_TRUE(looksLike(at(7), right));
}

// Writes `bytes` to `path` with its orientation set and, for a RAW file, `preview` embedded.
void writeWithExif(
    const QString& path, const QByteArray& bytes, int orientation, const QImage& preview = {})
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    Exiv2::ExifData& exif = image->exifData();
    exif["Exif.Image.Orientation"] = uint16_t(orientation);
    if (!preview.isNull()) {
        exif["Exif.Image.Model"] = std::string("Test Camera");
        const QByteArray jpeg = encoded(preview);
        Exiv2::ExifThumb(exif).setJpegThumbnail(
            reinterpret_cast<const Exiv2::byte*>(jpeg.constData()), long(jpeg.size()));
    }
    image->writeMetadata();
}

// The smallest TIFF file: a header and one directory holding only the picture's width. RAW
// files are TIFF files underneath, and the metadata library fills in the rest.
const QByteArray bareTiff("II*\0\x08\0\0\0" // header
                          "\x01\0" // one entry: ImageWidth, SHORT, 1
                          "\x00\x01\x03\0\x01\0\0\0\x01\0\0\0"
                          "\0\0\0\0", // no further directory
    26);

heif::Image heifImage(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    heif::Image image;
    image.create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB);
    image.add_plane(heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t* plane = image.get_plane(heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        memcpy(plane + y * stride, rgb.constScanLine(y), size_t(rgb.width() * 3));
    return image;
}

// The primary picture, stored turned as `orientation` says, with an optional thumbnail
// `thumbnailSide` long made from a picture of its own, so that tests can tell which of the two
// was decoded. Throws heif::Error.
void writeHeic(const QString& path, const QImage& primary, heif_orientation orientation,
    const QImage& thumbnail = {}, int thumbnailSide = 0)
{
    heif::Context context;
    heif::Encoder encoder(heif_compression_HEVC);
    encoder.set_lossy_quality(90);
    heif::Context::EncodingOptions options;
    options.image_orientation = orientation;
    const heif::ImageHandle handle = context.encode_image(heifImage(primary), encoder, options);
    if (!thumbnail.isNull())
        context.encode_thumbnail(heifImage(thumbnail), handle, encoder, options, thumbnailSide);
    context.write_to_file(QFile::encodeName(path).toStdString());
}

} // namespace

TEST(ThumbnailDecoder, boundsAndTurnsPicturesWithoutEnlargingAndGivesNothingForWhatIsNoPicture)
{
    TempFolder folder;
    const QString large = folder.write("large.jpg", encoded(halves(2400, 1600)));
    expectHalves(ThumbnailDecoder::decode(large, FileKind::jpeg), { 360, 240 }, false);
    EXPECT_EQ(ThumbnailDecoder::decode(large, FileKind::jpeg, 2000)->size(), QSize(2000, 1333));
    const QString small = folder.write("small.jpg", encoded(halves(120, 80)));
    EXPECT_EQ(ThumbnailDecoder::decode(small, FileKind::jpeg)->size(), QSize(120, 80));

    // A RAW file's embedded preview is turned by the RAW's orientation.
    writeWithExif(folder.at("turned.jpg"), encoded(halves(1200, 800)), 6);
    expectHalves(ThumbnailDecoder::decode(folder.at("turned.jpg"), FileKind::jpeg));
    writeWithExif(folder.at("IMG_0001.NEF"), bareTiff, 6, halves(1200, 800));
    expectHalves(ThumbnailDecoder::decode(folder.at("IMG_0001.NEF"), FileKind::raw));

    // Files whose extension names another format.
    const QString jpegAsHeic = folder.write("IMG_0002.HEIC", encoded(halves(800, 400)));
    const QString pngAsJpeg = folder.write("IMG_0003.JPG", encoded(halves(800, 400), "png"));
    EXPECT_EQ(ThumbnailDecoder::decode(jpegAsHeic, FileKind::heic)->size(), QSize(360, 180));
    EXPECT_EQ(ThumbnailDecoder::decode(pngAsJpeg, FileKind::jpeg)->size(), QSize(360, 180));

    // Damaged files, and pictures that a sidecar or a clip only seems to be.
    const QByteArray garbage = QByteArray("\xff\xd8\xff\xe1 not really", 15).repeated(300);
    const std::pair<QString, FileKind> cases[] = {
        { folder.write("broken.jpg", garbage), FileKind::jpeg },
        { folder.write("broken.nef", "II*\0" + garbage), FileKind::raw },
        { folder.write("broken.heic", QByteArray::fromHex("00000018") + "ftypheic" + garbage),
            FileKind::heic },
        { folder.write("empty.cr3"), FileKind::raw },
        { folder.write("IMG_0001.xmp", encoded(halves(100, 100))), FileKind::sidecar },
        { folder.write("IMG_0001.mov", encoded(halves(100, 100))), FileKind::video },
    };
    for (const auto& [path, kind] : cases)
        EXPECT_FALSE(ThumbnailDecoder::decode(path, kind)) << path.toStdString();
}

TEST(ThumbnailDecoder, decodesHeicTurnedAndPrefersALongEnoughStoredThumbnail)
{
    if (!heif_have_encoder_for_format(heif_compression_HEVC))
        GTEST_SKIP() << "this libheif cannot encode HEVC";
    TempFolder folder;
    const QString plain = folder.at("plain.heic"), withThumbnail = folder.at("thumbnail.heic");
    ASSERT_NO_THROW(writeHeic(plain, halves(1200, 800), heif_orientation_rotate_90_cw));
    ASSERT_NO_THROW(writeHeic(withThumbnail, halves(1200, 800), heif_orientation_normal,
        halves(1200, 800, Qt::green, Qt::green), 480));
    expectHalves(ThumbnailDecoder::decode(plain, FileKind::heic));
    // The stored thumbnail alone, to show while the picture decodes; none in a file without.
    expectHalves(ThumbnailDecoder::storedThumbnail(withThumbnail, FileKind::heic), { 360, 240 },
        false, Qt::green, Qt::green);
    EXPECT_FALSE(ThumbnailDecoder::storedThumbnail(plain, FileKind::heic));

    // Too short a thumbnail for a large preview: the picture itself is decoded, unless the
    // thumbnail still covers the area the picture is drawn over.
    const struct
    {
        int maxSide;
        QSize cover;
        QSize size;
        bool fromThumbnail;
    } cases[] = { { 360, {}, { 360, 240 }, true }, { 1000, {}, { 1000, 666 }, false },
        { 1000, { 480, 320 }, { 480, 320 }, true }, { 1000, { 481, 200 }, { 1000, 666 }, false },
        { 1000, { 200, 321 }, { 1000, 666 }, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.maxSide << " " << c.cover.width() << "x" << c.cover.height());
        expectHalves(ThumbnailDecoder::decode(withThumbnail, FileKind::heic, c.maxSide, c.cover),
            c.size, false, c.fromThumbnail ? Qt::green : Qt::red,
            c.fromThumbnail ? Qt::green : Qt::blue);
    }
}
