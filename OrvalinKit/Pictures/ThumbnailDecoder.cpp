#include "ThumbnailDecoder.h"

#include "HeifPicture.h"
#include "ImageScaling.h"
#include "RawPreview.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

// Whatever Qt's image plugins make of the file's contents, whatever its extension says.
std::optional<QImage> readByContent(const QString& path, int maxSide)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QImage image = ImageScaling::readFitted(reader, maxSide);
    if (image.isNull())
        return std::nullopt;
    return image;
}

std::optional<QImage> decodeByKind(const QString& path, FileKind kind, int maxSide, QSize cover)
{
    switch (kind) {
    case FileKind::raw:
        if (auto preview = RawPreview::read(path, maxSide))
            return preview;
        break;
    case FileKind::heic:
        if (auto picture = HeifPicture::read(path, maxSide, cover))
            return picture;
        break;
    case FileKind::jpeg:
    case FileKind::image:
        break;
    case FileKind::sidecar:
    case FileKind::video:
    case FileKind::other:
        return std::nullopt;
    }
    // A file named for one format is sometimes another (a PNG saved as .jpg, a JPEG renamed
    // .heic): whatever its contents are may still decode.
    return readByContent(path, maxSide);
}

} // namespace

namespace ThumbnailDecoder {

std::optional<QImage> decode(const QString& path, FileKind kind, int maxSide, QSize cover)
{
    // Only regular files are opened: a named pipe would block the decoding thread forever.
    if (maxSide <= 0 || !QFileInfo(path).isFile())
        return std::nullopt;
    try {
        return decodeByKind(path, kind, maxSide, cover);
    } catch (...) {
        // Running out of memory on a huge picture is one more way of not decoding it.
        return std::nullopt;
    }
}

std::optional<QImage> storedThumbnail(const QString& path, FileKind kind, int maxSide)
{
    if (kind != FileKind::heic || maxSide <= 0 || !QFileInfo(path).isFile())
        return std::nullopt;
    try {
        return HeifPicture::readStoredThumbnail(path, maxSide);
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace ThumbnailDecoder
