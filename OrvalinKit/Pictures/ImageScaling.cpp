#include "ImageScaling.h"

#include <QTransform>

namespace ImageScaling {

QSize fitted(QSize size, int maxSide)
{
    if (size.isEmpty() || qMax(size.width(), size.height()) <= maxSide)
        return size;
    return size.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage readFitted(QImageReader& reader, int maxSide)
{
    // The stored size is the size before turning, and the bound is square, so scaling before
    // the turn keeps the longer side within bounds either way.
    const QSize stored = reader.size();
    if (stored.isValid())
        reader.setScaledSize(fitted(stored, maxSide));
    return shrunk(reader.read(), maxSide);
}

QImage shrunk(const QImage& image, int maxSide)
{
    if (image.isNull() || qMax(image.width(), image.height()) <= maxSide)
        return image;
    return image.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage upright(const QImage& image, int exifOrientation)
{
    switch (exifOrientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.transformed(QTransform().rotate(180));
    case 4:
        return image.mirrored(false, true);
    case 5:
        return image.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
        return image.transformed(QTransform().rotate(90));
    case 7:
        return image.transformed(QTransform().rotate(270)).mirrored(true, false);
    case 8:
        return image.transformed(QTransform().rotate(270));
    default:
        return image;
    }
}

} // namespace ImageScaling
