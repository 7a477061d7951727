#pragma once

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstring>
#include <libheif/heif.h>

// Pictures with a camera's weight, and phones' HEIC files made of them, for the benchmarks.
namespace PhonePictures {

inline const QSize phoneSize(4032, 3024);
constexpr int phoneThumbnailSide = 320;

// Smooth areas and fine detail.
inline QImage scene(int seed, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 120, 230));
    sky.setColorAt(1, QColor::fromHsv((seed * 37 + 90) % 360, 200, 90));
    painter.fillRect(image.rect(), sky);
    for (int i = 0; i < 4000; ++i) {
        const int x = (i * 7919 + seed * 104729) % size.width();
        const int y = (i * 6271 + seed * 13) % size.height();
        painter.fillRect(x, y, 3 + i % 40, 3 + i % 23, QColor::fromHsv((i * 13) % 360, 180, 200));
    }
    painter.end();
    return image;
}

// A phone's HEIC picture with its 320 × 240 thumbnail, encoded with libheif's HEVC encoder.
inline void writeHeic(const QString& path, const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* image = nullptr;
    if (heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code
        != heif_error_Ok)
        qFatal("this libheif cannot encode HEVC");
    heif_encoder_set_lossy_quality(encoder, 80);
    heif_image_create(
        rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(plane + y * stride, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    heif_image_handle* primary = nullptr;
    heif_image_handle* thumbnail = nullptr;
    if (heif_context_encode_image(context, image, encoder, nullptr, &primary).code != heif_error_Ok
        || heif_context_encode_thumbnail(
               context, image, primary, encoder, nullptr, phoneThumbnailSide, &thumbnail)
                .code
            != heif_error_Ok
        || heif_context_write_to_file(context, QFile::encodeName(path).constData()).code
            != heif_error_Ok)
        qFatal("cannot write %s", qPrintable(path));
    heif_image_handle_release(thumbnail);
    heif_image_handle_release(primary);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
}

} // namespace PhonePictures
