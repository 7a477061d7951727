#pragma once

#include <QImage>
#include <QImageReader>
#include <QSize>

// Reading pictures no larger than they are needed, shared by the decoders of each file type.
namespace ImageScaling {

// `size` shrunk to fit a square of `maxSide`, keeping its shape; never enlarged.
QSize fitted(QSize size, int maxSide);

// Reads `reader`'s picture at most `maxSide` pixels on its longer side. Formats that can
// decode at a smaller size (JPEG) do so, which is far cheaper than decoding it whole.
QImage readFitted(QImageReader& reader, int maxSide);

// `image` shrunk smoothly to fit `maxSide`; returned as it is when it already fits.
QImage shrunk(const QImage& image, int maxSide);

// `image` turned upright from the EXIF orientation it was stored with (1 to 8); other values
// leave it as it is.
QImage upright(const QImage& image, int exifOrientation);

} // namespace ImageScaling
