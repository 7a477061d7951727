#include "CaptureTime.h"

#include "Exiv2Setup.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <exiv2/exiv2.hpp>
#include <vector>

namespace {

// Parsed once: the key texts never change, and parsing them on every read would be wasted.
struct StampKeys
{
    Exiv2::ExifKey dateTimeOriginal { "Exif.Photo.DateTimeOriginal" };
    Exiv2::ExifKey subSecTimeOriginal { "Exif.Photo.SubSecTimeOriginal" };
    Exiv2::ExifKey dateTime { "Exif.Image.DateTime" };
    Exiv2::ExifKey model { "Exif.Image.Model" };
};

const StampKeys& stampKeys()
{
    static const StampKeys keys;
    return keys;
}

// The text a camera stored under `key`, up to the first NUL: ASCII fields are NUL-terminated
// and often padded with more NULs. Nothing when the tag is absent or not of the ASCII type.
std::optional<QString> storedText(const Exiv2::ExifData& exif, const Exiv2::ExifKey& key)
{
    const auto datum = exif.findKey(key);
    if (datum == exif.end() || datum->typeId() != Exiv2::asciiString)
        return std::nullopt;
    const Exiv2::Value& value = datum->value();
    std::vector<Exiv2::byte> bytes(static_cast<size_t>(value.size()));
    if (!bytes.empty())
        value.copy(bytes.data(), Exiv2::invalidByteOrder);
    size_t length = 0;
    while (length < bytes.size() && bytes[length] != 0)
        ++length;
    return QString::fromUtf8(
        reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(length));
}

QString trimmedOfSpacesAndTabs(const QString& text)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// A camera whose clock was never set writes "0000:00:00 00:00:00" or blanks; every such photo
// would pair with every other one from the same camera.
bool isUnsetClock(const QString& date)
{
    return std::none_of(date.begin(), date.end(), [](QChar c) { return c.isDigit() && c != u'0'; });
}

std::optional<CaptureStamp> stampOf(const Exiv2::ExifData& exif)
{
    const StampKeys& keys = stampKeys();
    // An original date that is there but empty does not fall back to the modification date:
    // the camera left its capture time blank, and a later edit time would pair wrongly.
    std::optional<QString> date = storedText(exif, keys.dateTimeOriginal);
    if (!date)
        date = storedText(exif, keys.dateTime);
    if (!date || date->isEmpty() || isUnsetClock(*date))
        return std::nullopt;

    std::optional<QString> subsec = storedText(exif, keys.subSecTimeOriginal);
    if (subsec && subsec->isEmpty())
        subsec.reset();

    std::optional<QString> model = storedText(exif, keys.model);
    if (model)
        model = trimmedOfSpacesAndTabs(*model);
    if (model && model->isEmpty())
        model.reset();

    return CaptureStamp { *date, subsec, model };
}

} // namespace

namespace CaptureTime {

std::optional<CaptureStamp> read(const QString& path)
{
    // Only regular files are opened: a named pipe would block the reading thread forever.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    try {
        Exiv2Setup::ensureReady();
        // A file object of our own: given a path text, the library would fetch names that
        // look like URLs over the network.
        Exiv2::BasicIo::AutoPtr file(new Exiv2::FileIo(QFile::encodeName(path).toStdString()));
        const auto image = Exiv2::ImageFactory::open(std::move(file));
        // The library also opens XMP sidecars and turns their XMP into EXIF; a sidecar is
        // not a photo and has no capture stamp of its own.
        if (!image.get() || image->imageType() == Exiv2::ImageType::xmp)
            return std::nullopt;
        image->readMetadata();
        return stampOf(image->exifData());
    } catch (...) {
        // Damaged or unsupported files, and anything else the library throws, give no stamp.
        return std::nullopt;
    }
}

CaptureReader reader(const QString& root)
{
    return [root](const QString& relativePath) { return read(root + u'/' + relativePath); };
}

} // namespace CaptureTime
