#pragma once

#include "FileKind.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// Small upright pictures of photo files, for the grid's cells and the preview window.
namespace ThumbnailDecoder {

// A picture of the file at `path` at most `maxSide` pixels on its longer side, turned upright
// as the file says; never enlarged. RAW files give their largest embedded preview, HEIC files
// their picture through libheif, and other pictures are read at a reduced size where the
// format allows it. Sidecars, clips and other files give nothing, as does a file that cannot
// be decoded or is not a regular file. `cover` is the size in pixels of the area the picture is
// drawn to fill, when known: a smaller picture stored in the file that still covers it serves
// (see HeifPicture::read). Safe to call from several threads at once.
std::optional<QImage> decode(
    const QString& path, FileKind kind, int maxSide = 360, QSize cover = {});

// A small picture the file stores ready-made beside its picture, at most `maxSide` pixels long
// and turned upright, to show while `decode` makes a sharper one: phones' HEIC files hold one of
// 320 x 240. Nothing for files of other kinds, whose `decode` is as quick, and for a file that
// holds none. Safe to call from several threads at once.
std::optional<QImage> storedThumbnail(const QString& path, FileKind kind, int maxSide = 360);

} // namespace ThumbnailDecoder
