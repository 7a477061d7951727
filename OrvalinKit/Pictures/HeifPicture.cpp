#include "HeifPicture.h"

#include "ImageScaling.h"

#include <QFile>
#include <libheif/heif.h>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct ContextDeleter
{
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleDeleter
{
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageDeleter
{
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsDeleter
{
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

using Context = std::unique_ptr<heif_context, ContextDeleter>;
using Handle = std::unique_ptr<heif_image_handle, HandleDeleter>;
using Image = std::unique_ptr<heif_image, ImageDeleter>;

void ensureLibraryReady()
{
    static std::once_flag once;
    // Loads the decoder plugins; the library is left loaded for the rest of the run.
    std::call_once(once, [] { heif_init(nullptr); });
}

bool succeeded(const heif_error& error)
{
    return error.code == heif_error_Ok;
}

int longerSide(const heif_image_handle* handle)
{
    return qMax(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle));
}

// Whether a stored thumbnail is as good as the picture for this use: it covers the area the
// picture is drawn to fill, or it is as long as a thumbnail is ever made.
bool serves(const heif_image_handle* thumbnail, int maxSide, QSize cover)
{
    if (longerSide(thumbnail) >= maxSide)
        return true;
    return !cover.isEmpty() && heif_image_handle_get_width(thumbnail) >= cover.width()
        && heif_image_handle_get_height(thumbnail) >= cover.height();
}

// Of the stored thumbnails that `fits`, the one `better` prefers, or nothing.
template <typename Fits, typename Better>
Handle pickThumbnail(const heif_image_handle* primary, Fits fits, Better better)
{
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0)
        return nullptr;
    std::vector<heif_item_id> ids(static_cast<size_t>(count));
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle best;
    for (const heif_item_id id : ids) {
        heif_image_handle* candidate = nullptr;
        if (!succeeded(heif_image_handle_get_thumbnail(primary, id, &candidate)))
            continue;
        Handle thumbnail(candidate);
        if (fits(thumbnail.get()) && (!best || better(thumbnail.get(), best.get())))
            best = std::move(thumbnail);
    }
    return best;
}

// The smallest stored thumbnail that serves, or nothing.
Handle usableThumbnail(const heif_image_handle* primary, int maxSide, QSize cover)
{
    return pickThumbnail(
        primary,
        [&](const heif_image_handle* thumbnail) { return serves(thumbnail, maxSide, cover); },
        [](const heif_image_handle* a, const heif_image_handle* b) {
            return longerSide(a) < longerSide(b);
        });
}

// The largest stored thumbnail, or nothing.
Handle largestThumbnail(const heif_image_handle* primary)
{
    return pickThumbnail(
        primary, [](const heif_image_handle*) { return true; },
        [](const heif_image_handle* a, const heif_image_handle* b) {
            return longerSide(a) > longerSide(b);
        });
}

void releaseImage(void* image)
{
    heif_image_release(static_cast<heif_image*>(image));
}

// The decoded picture, its pixels still the decoder's: a 12-megapixel picture is not copied only
// to be shrunk. Pictures without alpha are labelled as such, which Qt scales many times faster.
QImage decoded(const heif_image_handle* handle)
{
    std::unique_ptr<heif_decoding_options, OptionsDeleter> options(heif_decoding_options_alloc());
    options->ignore_transformations = 0;
    heif_image* raw = nullptr;
    if (!succeeded(heif_decode_image(
            handle, &raw, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, options.get())))
        return {};
    Image image(raw);
    int stride = 0;
    const uint8_t* pixels
        = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!pixels || width <= 0 || height <= 0)
        return {};
    const QImage::Format format = heif_image_handle_has_alpha_channel(handle)
        ? QImage::Format_RGBA8888
        : QImage::Format_RGBX8888;
    QImage picture(pixels, width, height, stride, format, releaseImage, image.get());
    if (picture.isNull())
        return {};
    // From here the picture releases the decoder's image when its last copy goes.
    image.release();
    return picture;
}

// The file's primary picture, read but not decoded; `context` must outlive it.
Handle primaryOf(const QString& path, Context& context)
{
    ensureLibraryReady();
    context.reset(heif_context_alloc());
    if (!context
        || !succeeded(heif_context_read_from_file(
            context.get(), QFile::encodeName(path).constData(), nullptr)))
        return nullptr;
    heif_image_handle* primary = nullptr;
    if (!succeeded(heif_context_get_primary_image_handle(context.get(), &primary)))
        return nullptr;
    return Handle(primary);
}

std::optional<QImage> shrunk(const heif_image_handle* handle, int maxSide)
{
    const QImage picture = decoded(handle);
    if (picture.isNull())
        return std::nullopt;
    return ImageScaling::shrunk(picture, maxSide);
}

} // namespace

namespace HeifPicture {

std::optional<QImage> read(const QString& path, int maxSide, QSize cover)
{
    Context context;
    const Handle primary = primaryOf(path, context);
    if (!primary)
        return std::nullopt;
    const Handle thumbnail = usableThumbnail(primary.get(), maxSide, cover);
    return shrunk(thumbnail ? thumbnail.get() : primary.get(), maxSide);
}

std::optional<QImage> readStoredThumbnail(const QString& path, int maxSide)
{
    Context context;
    const Handle primary = primaryOf(path, context);
    const Handle thumbnail = primary ? largestThumbnail(primary.get()) : nullptr;
    if (!thumbnail)
        return std::nullopt;
    return shrunk(thumbnail.get(), maxSide);
}

} // namespace HeifPicture
