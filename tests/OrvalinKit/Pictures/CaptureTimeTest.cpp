#include "CaptureTime.h"

#include "TestSupport.h"
#include "TextPreview.h"
#include "ThumbnailDecoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QtEndian>
#include <atomic>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

std::string describe(const std::optional<CaptureStamp>& stamp)
{
    if (!stamp)
        return "no stamp";
    return QStringList { stamp->date, stamp->subsec.value_or(u"-"_s),
        stamp->model.value_or(u"-"_s) }
        .join(u" / ")
        .toStdString();
}

// A file's name, its bytes and the stamp it must give.
using Sample = std::tuple<QString, QByteArray, std::string>;

// Files the metadata library cannot read as they are; they must give no stamp or the right one.
// The Canon CR3 was cut down for the corpus, its preview box still claims 372 kB and the library
// rejects the whole file (a repaired copy is read below); the library does not know the Kyocera
// RAW and Sigma X3F formats.
const QStringList knownGaps { u"CanonRaw.cr3"_s, u"KyoceraRaw.raw"_s, u"Sigma.x3f"_s };

// Hand-made EXIF, so that every byte of a tag is known.
struct Tag
{
    quint16 id;
    QByteArray value;
    quint16 type = 2; // ASCII; 7 is UNDEFINED
};

constexpr quint16 model = 0x0110, dateTime = 0x0132, original = 0x9003, subsec = 0x9291;

template <typename T> QByteArray littleEndian(T value)
{
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A little-endian TIFF: IFD0 with the `image` tags, then an EXIF IFD with the `photo` tags, each
// list in ascending tag order. Values are written as given, with no terminator added.
QByteArray tiff(QList<Tag> image, const QList<Tag>& photo = {})
{
    const auto ifdSize = [](qsizetype tags) { return quint32(6 + 12 * tags); };
    const quint32 photoAt = 8 + ifdSize(image.size() + !photo.isEmpty());
    if (!photo.isEmpty())
        image.append({ 0x8769, littleEndian(photoAt), 4 });
    const quint32 dataAt = photoAt + (photo.isEmpty() ? 0 : ifdSize(photo.size()));
    QByteArray out = QByteArray("II*\0", 4) + littleEndian(quint32(8)), data;
    for (const QList<Tag>& ifd : { image, photo }) {
        if (ifd.isEmpty())
            continue;
        out += littleEndian(quint16(ifd.size()));
        for (const Tag& tag : ifd) {
            const auto count = quint32(tag.type == 4 ? 1 : tag.value.size());
            out += littleEndian(tag.id) + littleEndian(tag.type) + littleEndian(count);
            out += tag.value.size() <= 4 ? tag.value.leftJustified(4, '\0')
                                         : littleEndian(quint32(dataAt + data.size()));
            if (tag.value.size() > 4)
                data += tag.value + QByteArray(tag.value.size() % 2, '\0');
        }
        out += littleEndian(quint32(0));
    }
    return out + data;
}

// A JPEG stream holding only an EXIF segment: enough for a metadata reader.
QByteArray jpeg(const QByteArray& tiffData)
{
    QByteArray length(2, '\0');
    qToBigEndian(quint16(tiffData.size() + 8), length.data());
    return "\xFF\xD8\xFF\xE1" + length + QByteArray("Exif\0\0", 6) + tiffData + "\xFF\xD9";
}

} // namespace

TEST(PictureFiles, GiveTheirStoredStampsWithFallbacksAndBoundedThumbnailsOnManyThreads)
{
    // The corpus's cameras with the stamps of its table, "date / subsec / model" with "-" for an
    // absent text; then its real sidecars: the library opens XMP files too, but a sidecar is no
    // photo.
    QList<Sample> samples;
    const QString table = QString::fromUtf8(readFile(corpusFile(u"expected-stamps.tsv"_s)));
    for (const QString& line : table.split(u'\n', Qt::SkipEmptyParts).sliced(1)) {
        QStringList cells = line.split(u'\t');
        cells.resize(4);
        for (qsizetype i = 2; i < 4; ++i)
            cells[i] = cells[i].isEmpty() ? u"-"_s : cells[i];
        samples.append({ cells[0], readFile(corpusFile(cells[0])),
            cells[1].isEmpty() ? "no stamp" : cells.sliced(1).join(u" / ").toStdString() });
    }
    for (const QString& sidecar : { u"XMP.xmp"_s, u"PLIST.aae"_s })
        samples.append({ sidecar, readFile(corpusFile(sidecar)), "no stamp" });
    ASSERT_GE(samples.size(), 30);
    // The corpus's Canon CR3 repaired: its preview box sits 32 bytes into Canon's preview uuid
    // box; make it end with that box.
    QByteArray cr3 = readFile(corpusFile(u"CanonRaw.cr3"_s));
    const qsizetype preview = cr3.indexOf("PRVW") - 4, outer = preview - 32;
    ASSERT_TRUE(outer > 0 && cr3.mid(outer + 4, 4) == "uuid");
    const auto outerSize = qFromBigEndian<quint32>(cr3.constData() + outer);
    qToBigEndian(quint32(outer + outerSize - preview), cr3.data() + preview);
    const QByteArray date = "2026:10:04 10:00:05\0"_ba, modify = "2026:10:04 09:00:00\0"_ba;
    samples += QList<Sample> {
        { u"IMG_0001.CR3"_s, cr3, "2018:02:21 12:08:56 / 21 / Canon EOS M50" },
        // Hand-made EXIF: the stored texts, trimmed and cut as cameras leave them, and their
        // fallbacks.
        { u"trailing space and NUL padding.JPG"_s,
            jpeg(tiff({ { model, "Canon EOS R6 \0"_ba } },
                { { original, date + "\0\0\0"_ba }, { subsec, "12\0"_ba } })),
            "2026:10:04 10:00:05 / 12 / Canon EOS R6" },
        { u"only spaces and tabs trimmed, sub-second kept as is.JPG"_s,
            jpeg(tiff(
                { { model, "\t Z 8\n \0"_ba } }, { { original, date }, { subsec, "5 \0"_ba } })),
            "2026:10:04 10:00:05 / 5  / Z 8\n" },
        { u"text up to the first NUL.JPG"_s,
            jpeg(tiff({ { model, "X-T5\0junk\0"_ba } }, { { original, date } })),
            "2026:10:04 10:00:05 / - / X-T5" },
        { u"blank model and empty sub-second.JPG"_s,
            jpeg(tiff({ { model, "  \t \0"_ba } }, { { original, date }, { subsec, "\0"_ba } })),
            "2026:10:04 10:00:05 / - / -" },
        { u"TIFF with a modification date only.JPG"_s,
            tiff({ { model, "Sample Camera\0"_ba }, { dateTime, modify } }),
            "2026:10:04 09:00:00 / - / Sample Camera" },
        { u"an empty original date does not fall back.JPG"_s,
            jpeg(tiff({ { dateTime, modify } }, { { original, "\0"_ba } })), "no stamp" },
        { u"an original date that is not text falls back.JPG"_s,
            jpeg(tiff({ { dateTime, modify } }, { { original, date, 7 } })),
            "2026:10:04 09:00:00 / - / -" },
        { u"a clock that was never set.JPG"_s,
            jpeg(tiff({ { dateTime, modify } }, { { original, "0000:00:00 00:00:00\0"_ba } })),
            "no stamp" },
        { u"a blank clock.JPG"_s, jpeg(tiff({}, { { original, "    :  :     :  :  \0"_ba } })),
            "no stamp" },
        { u"no date at all.JPG"_s, jpeg(tiff({ { model, "Canon EOS R6\0"_ba } })), "no stamp" },
        // What is no photo.
        { u"cut.JPG"_s, jpeg(tiff({ { original, "2026:10:04 10:00:05" } })).first(20), "no stamp" },
        { u"notes.txt"_s, "Shot at the lake.\n", "no stamp" },
        { u"noise.CR3"_s, QByteArray(4096, '\x5a'), "no stamp" }, { u"empty.JPG"_s, {}, "no stamp" }
    };
    TempFolder folder;
    QHash<QString, std::optional<CaptureStamp>> expected;
    int thumbnails = 0;
    for (const auto& [name, content, stamp] : samples) {
        const QString relativePath = u"Shoot é/"_s + name;
        const QString path = folder.write(relativePath, content);
        // Thumbnails of real and made-up files alike stay within bounds.
        const auto thumbnail
            = ThumbnailDecoder::decode(path, FileKinds::fromExtension(QFileInfo(name).suffix()));
        thumbnails += thumbnail.has_value();
        EXPECT_TRUE(!thumbnail
            || (!thumbnail->isNull() && qMax(thumbnail->width(), thumbnail->height()) <= 360))
            << name.toStdString();
        const auto read = CaptureTime::read(path);
        expected.insert(relativePath, read);
        if (!read && knownGaps.contains(name))
            continue;
        EXPECT_EQ(describe(read), stamp) << name.toStdString();
    }
    EXPECT_GT(thumbnails, 0);
    // What is no regular file gives no stamp, no thumbnail and no text: opening a named pipe
    // would wait for a writer forever.
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.at(u"pipe.JPG"_s)).constData(), 0600), 0);
    folder.makeFolder(u"folder.JPG"_s);
    for (const QString& path : { u"pipe.JPG"_s, u"missing.JPG"_s, u"folder.JPG"_s }) {
        expected.insert(path, std::nullopt);
        EXPECT_FALSE(ThumbnailDecoder::decode(folder.at(path), FileKind::jpeg))
            << path.toStdString();
        EXPECT_EQ(TextPreview::read(folder.at(path)), std::nullopt) << path.toStdString();
    }
    const CaptureReader reader = CaptureTime::reader(folder.path());
    std::atomic<int> mismatches = 0;
    {
        std::vector<std::jthread> threads;
        for (int i = 0; i < 8; ++i)
            threads.emplace_back([&] {
                for (int round = 0; round < 5; ++round)
                    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
                        mismatches += reader(it.key()) != it.value();
            });
    }
    EXPECT_EQ(mismatches, 0);

    // A path that looks like a URL is read from disk.
    folder.write(u"http:/localhost:9/IMG_0004.JPG"_s, readFile(corpusFile(u"Canon.jpg"_s)));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const std::optional<CaptureStamp> stamp
        = CaptureTime::read(u"http://localhost:9/IMG_0004.JPG"_s);
    QDir::setCurrent(previous);
    EXPECT_EQ(describe(stamp), "2003:12:04 06:46:52 / - / Canon EOS DIGITAL REBEL");
}

TEST(TextPreview, readsTextAsUtf8ElseLatin1UpToTheLimitAndRefusesBinaryData)
{
    TempFolder folder;
    const QString utf16 = u"<x:xmpmeta> ©</x:xmpmeta>"_s;
    const QByteArray utf16Bytes = QByteArray("\xff\xfe", 2)
        + QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    const std::pair<QString, std::optional<TextPreview>> cases[] = {
        { folder.write(u"a.xmp"_s, "<x:xmpmeta>\n  <rdf:RDF/> ©\n</x:xmpmeta>\n"),
            TextPreview { u"<x:xmpmeta>\n  <rdf:RDF/> ©\n</x:xmpmeta>\n"_s } },
        { folder.write(u"latin1.pp3"_s, "[Exposure]\nComment=caf\xe9\n"),
            TextPreview { u"[Exposure]\nComment=café\n"_s, false, true } },
        { folder.write(u"utf16.xmp"_s, utf16Bytes), TextPreview { utf16 } },
        { folder.write(u"empty.xmp"_s), TextPreview {} },
        { folder.write(u"binary.xmp"_s, QByteArray("\xff\xd8\xff\xe0\0\x10JFIF\0", 11)),
            std::nullopt },
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(TextPreview::read(path), expected) << path.toStdString();

    const QString longText = folder.write(u"long.xmp"_s, "abcdé");
    // "é" is two bytes: a limit between them leaves it out rather than reading it as Latin-1.
    const std::pair<qint64, TextPreview> limits[] = { { 3, { u"abc"_s, true } },
        { 5, { u"abcd"_s, true } }, { 6, { u"abcdé"_s, false } }, { 100, { u"abcdé"_s, false } } };
    for (const auto& [limit, expected] : limits)
        EXPECT_EQ(TextPreview::read(longText, limit), expected) << limit;
}
