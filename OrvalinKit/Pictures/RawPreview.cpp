#include "RawPreview.h"

#include "Exiv2Setup.h"
#include "ImageScaling.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <exiv2/exiv2.hpp>

namespace {

int orientationOf(const Exiv2::ExifData& exif)
{
    const auto datum = Exiv2::orientation(exif);
    if (datum == exif.end() || datum->count() == 0)
        return 1;
    return int(datum->toLong());
}

QImage decodePreview(const Exiv2::PreviewImage& preview, int maxSide)
{
    QByteArray bytes = QByteArray::fromRawData(
        reinterpret_cast<const char*>(preview.pData()), qsizetype(preview.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // The preview is stored the way the sensor saw it; the RAW file says how to turn it.
    reader.setAutoTransform(false);
    return ImageScaling::readFitted(reader, maxSide);
}

} // namespace

namespace RawPreview {

std::optional<QImage> read(const QString& path, int maxSide)
{
    try {
        Exiv2Setup::ensureReady();
        // A file object of our own: given a path text, the library would fetch names that look
        // like URLs over the network.
        Exiv2::BasicIo::AutoPtr file(new Exiv2::FileIo(QFile::encodeName(path).toStdString()));
        const auto image = Exiv2::ImageFactory::open(std::move(file));
        if (!image.get())
            return std::nullopt;
        image->readMetadata();
        const int orientation = orientationOf(image->exifData());

        const Exiv2::PreviewManager previews(*image);
        Exiv2::PreviewPropertiesList properties = previews.getPreviewProperties();
        // Largest first; a preview in a form the reader cannot decode gives way to the next.
        std::stable_sort(properties.begin(), properties.end(), [](const auto& a, const auto& b) {
            return quint64(a.width_) * a.height_ > quint64(b.width_) * b.height_;
        });
        for (const Exiv2::PreviewProperties& property : properties) {
            const QImage picture = decodePreview(previews.getPreviewImage(property), maxSide);
            if (!picture.isNull())
                return ImageScaling::upright(picture, orientation);
        }
    } catch (...) {
        // Damaged or unsupported files, and anything else the library throws, give no preview.
    }
    return std::nullopt;
}

} // namespace RawPreview
