#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// Pictures in HEIF containers (HEIC, HIF), as phones and recent cameras write them.
namespace HeifPicture {

// The primary picture of the file at `path`, at most `maxSide` pixels on its longer side and
// turned as the file says. A thumbnail stored in the file stands in for the picture when it is
// at least `maxSide` pixels long, or when it covers `cover`, the size in pixels of the area the
// picture is drawn to fill: phones store thumbnails of 320 x 240, which spares decoding twelve
// million pixels for a grid's cell. Nothing when the file cannot be decoded. Safe to call from
// several threads at once.
std::optional<QImage> read(const QString& path, int maxSide, QSize cover = {});

// The largest thumbnail stored in the file, at most `maxSide` pixels long and turned as the file
// says, whatever area it is drawn over: a picture to show at once, in a few milliseconds, while
// the picture itself is decoded. Nothing when the file stores no thumbnail.
std::optional<QImage> readStoredThumbnail(const QString& path, int maxSide);

} // namespace HeifPicture
