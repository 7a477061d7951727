#include "CaptureTime.h"

#include "CaptureStamp.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <QtEndian>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// --- Expected stamps of the camera corpus ---------------------------------------------------

struct ExpectedRow
{
    QString file;
    std::optional<CaptureStamp> stamp;
};

std::optional<QString> presentUnlessEmpty(const QString& text)
{
    return text.isEmpty() ? std::nullopt : std::optional(text);
}

QList<ExpectedRow> expectedStamps()
{
    QList<ExpectedRow> rows;
    const QStringList lines = QString::fromUtf8(readFile(corpusFile(u"expected-stamps.tsv"_s)))
                                  .split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines.sliced(1)) {
        const QStringList cells = line.split(u'\t');
        if (cells.size() != 4) {
            ADD_FAILURE() << "malformed row: " << line.toStdString();
            continue;
        }
        ExpectedRow row { cells[0], std::nullopt };
        if (!cells[1].isEmpty())
            row.stamp = CaptureStamp { cells[1], presentUnlessEmpty(cells[2]),
                presentUnlessEmpty(cells[3]) };
        rows.append(row);
    }
    return rows;
}

// Files the metadata library cannot read as they are, with the reason. Such a file must give
// either no stamp or the right one, never a wrong one.
const QHash<QString, const char*>& knownGaps()
{
    static const QHash<QString, const char*> gaps {
        { u"CanonRaw.cr3"_s,
            "the file was cut down for the corpus and its preview box still claims 372 kB; "
            "the library rejects the whole file (a repaired copy is read below)" },
        { u"KyoceraRaw.raw"_s, "the library does not know the Kyocera RAW format" },
        { u"Sigma.x3f"_s, "the library does not know the Sigma X3F format" },
    };
    return gaps;
}

std::string describe(const std::optional<CaptureStamp>& stamp)
{
    if (!stamp)
        return "no stamp";
    return QStringList { stamp->date, stamp->subsec.value_or(u"-"_s),
        stamp->model.value_or(u"-"_s) }
        .join(u" / ")
        .toStdString();
}

// --- Hand-made EXIF, so that every byte of a tag is known -----------------------------------

enum TagType : quint16
{
    ascii = 2,
    long32 = 4,
    undefined = 7
};

struct Tag
{
    quint16 id;
    TagType type;
    QByteArray value;
};

constexpr quint16 modelTag = 0x0110;
constexpr quint16 dateTimeTag = 0x0132;
constexpr quint16 exifPointerTag = 0x8769;
constexpr quint16 dateTimeOriginalTag = 0x9003;
constexpr quint16 subSecTimeOriginalTag = 0x9291;

// An ASCII value as cameras store it: the bytes given, then the NUL terminator.
Tag text(quint16 id, QByteArrayView bytes)
{
    return { id, ascii, bytes.toByteArray() + '\0' };
}

QByteArray littleEndian16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray littleEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A little-endian TIFF structure: IFD0 with `image` tags, then an EXIF IFD with `photo` tags.
// Tags must be given in ascending order, as in any valid file.
QByteArray tiff(QList<Tag> image, const QList<Tag>& photo = {})
{
    const auto ifdSize = [](qsizetype tags) { return quint32(2 + 12 * tags + 4); };
    const quint32 photoOffset = 8 + ifdSize(image.size() + (photo.isEmpty() ? 0 : 1));
    if (!photo.isEmpty())
        image.append({ exifPointerTag, long32, littleEndian32(photoOffset) });
    const quint32 dataOffset = photoOffset + (photo.isEmpty() ? 0 : ifdSize(photo.size()));

    QByteArray out = QByteArray("II*\0", 4) + littleEndian32(8);
    QByteArray data;
    const auto writeIfd = [&](const QList<Tag>& tags) {
        out += littleEndian16(quint16(tags.size()));
        for (const Tag& tag : tags) {
            const auto count
                = quint32(tag.type == long32 ? tag.value.size() / 4 : tag.value.size());
            out += littleEndian16(tag.id) + littleEndian16(tag.type) + littleEndian32(count);
            if (tag.value.size() <= 4) {
                out += tag.value.leftJustified(4, '\0');
            } else {
                out += littleEndian32(dataOffset + quint32(data.size()));
                data += tag.value;
                if (data.size() % 2)
                    data += '\0';
            }
        }
        out += littleEndian32(0);
    };
    writeIfd(image);
    if (!photo.isEmpty())
        writeIfd(photo);
    return out + data;
}

// A JPEG stream holding only an EXIF segment: enough for a metadata reader.
QByteArray jpegWithExif(const QByteArray& tiffData)
{
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiffData;
    QByteArray length(2, '\0');
    qToBigEndian(quint16(payload.size() + 2), length.data());
    return QByteArray("\xFF\xD8\xFF\xE1", 4) + length + payload + QByteArray("\xFF\xD9", 2);
}

const CaptureStamp r6WithSubsec { u"2026:10:04 10:00:05"_s, u"12"_s, u"R6"_s };
const CaptureStamp r6 { u"2026:10:04 10:00:05"_s, std::nullopt, u"R6"_s };

} // namespace

TEST(CaptureTime, ReadsEveryCameraOfTheCorpus)
{
    QList<ExpectedRow> rows = expectedStamps();
    ASSERT_GE(rows.size(), 28);
    // Real sidecars: the library opens XMP files too, but they are no photos.
    rows.append({ u"XMP.xmp"_s, std::nullopt });
    rows.append({ u"PLIST.aae"_s, std::nullopt });

    for (const ExpectedRow& row : rows) {
        const std::optional<CaptureStamp> stamp = CaptureTime::read(corpusFile(row.file));
        if (knownGaps().contains(row.file) && !stamp)
            continue;
        EXPECT_EQ(describe(stamp), describe(row.stamp)) << row.file.toStdString();
    }
}

TEST(CaptureTime, ReadsTheRepairedCanonCr3)
{
    QByteArray cr3 = readFile(corpusFile(u"CanonRaw.cr3"_s));
    const qsizetype preview = cr3.indexOf("PRVW") - 4;
    // The preview box sits 32 bytes into Canon's preview uuid box: header, uuid, 8 bytes.
    const qsizetype outer = preview - 32;
    ASSERT_GT(outer, 0);
    ASSERT_EQ(cr3.mid(outer + 4, 4), "uuid");
    const quint32 outerSize = qFromBigEndian<quint32>(cr3.constData() + outer);
    qToBigEndian(quint32(outer + outerSize - preview), cr3.data() + preview);

    TempFolder folder;
    const std::optional<CaptureStamp> stamp
        = CaptureTime::read(folder.write(u"IMG_0001.CR3"_s, cr3));
    EXPECT_EQ(describe(stamp), "2018:02:21 12:08:56 / 21 / Canon EOS M50");
}

TEST(CaptureTime, TakesTheTextsAsTheCameraStoredThem)
{
    TempFolder folder;
    const QString jpeg = folder.write(u"IMG_0001.JPG"_s,
        jpegWithExif(tiff({ text(modelTag, "Canon EOS R6 ") },
            { text(dateTimeOriginalTag, QByteArray("2026:10:04 10:00:05\0\0\0", 22)),
                text(subSecTimeOriginalTag, "12") })));
    EXPECT_EQ(CaptureTime::read(jpeg),
        (CaptureStamp { u"2026:10:04 10:00:05"_s, u"12"_s, u"Canon EOS R6"_s }));

    // Only spaces and tabs are trimmed from the model, and the sub-second is kept as it is.
    const QString padded = folder.write(u"padded.JPG"_s,
        jpegWithExif(tiff({ text(modelTag, "\t Z 8\t ") },
            { text(dateTimeOriginalTag, "2026:10:04 10:00:05"),
                text(subSecTimeOriginalTag, "5 ") })));
    EXPECT_EQ(
        CaptureTime::read(padded), (CaptureStamp { u"2026:10:04 10:00:05"_s, u"5 "_s, u"Z 8"_s }));

    // A value is read up to its first NUL, whatever follows it.
    const QString garbage = folder.write(u"garbage.JPG"_s,
        jpegWithExif(tiff({ text(modelTag, QByteArray("X-T5\0junk", 9)) },
            { text(dateTimeOriginalTag, "2026:10:04 10:00:05") })));
    EXPECT_EQ(CaptureTime::read(garbage)->model, u"X-T5"_s);
}

TEST(CaptureTime, FallsBackToTheTiffDateOnlyWhenThereIsNoOriginalText)
{
    TempFolder folder;
    const QString tiffOnly = folder.write(u"scan.tif"_s,
        tiff({ text(modelTag, "Sample Camera"), text(dateTimeTag, "2026:10:04 09:00:00") }));
    EXPECT_EQ(CaptureTime::read(tiffOnly),
        (CaptureStamp { u"2026:10:04 09:00:00"_s, std::nullopt, u"Sample Camera"_s }));

    const QString emptyOriginal = folder.write(u"empty.JPG"_s,
        jpegWithExif(
            tiff({ text(dateTimeTag, "2026:10:04 09:00:00") }, { text(dateTimeOriginalTag, "") })));
    EXPECT_EQ(CaptureTime::read(emptyOriginal), std::nullopt);

    const QString binaryOriginal = folder.write(u"binary.JPG"_s,
        jpegWithExif(tiff({ text(dateTimeTag, "2026:10:04 09:00:00") },
            { { dateTimeOriginalTag, undefined, "2026:10:04 10:00:05" } })));
    EXPECT_EQ(CaptureTime::read(binaryOriginal)->date, u"2026:10:04 09:00:00"_s);
}

TEST(CaptureTime, LeavesOutEmptySubsecondsAndBlankModels)
{
    TempFolder folder;
    const QString file = folder.write(u"IMG_0002.JPG"_s,
        jpegWithExif(tiff({ text(modelTag, "  \t ") },
            { text(dateTimeOriginalTag, "2026:10:04 10:00:05"),
                text(subSecTimeOriginalTag, "") })));
    EXPECT_EQ(CaptureTime::read(file),
        (CaptureStamp { u"2026:10:04 10:00:05"_s, std::nullopt, std::nullopt }));
}

TEST(CaptureTime, GivesNoStampForFilesWithoutOne)
{
    TempFolder folder;
    const QByteArray undated = jpegWithExif(tiff({ text(modelTag, "Canon EOS R6") }));
    const QStringList files {
        folder.write(u"undated.JPG"_s, undated),
        folder.write(u"cut.JPG"_s, undated.first(20)),
        folder.write(u"notes.txt"_s, "Shot at the lake.\n"),
        folder.write(u"noise.CR3"_s, QByteArray(4096, '\x5a')),
        folder.write(u"empty.JPG"_s),
        folder.makeFolder(u"folder.JPG"_s),
        folder.at(u"missing.JPG"_s),
    };
    for (const QString& file : files)
        EXPECT_EQ(CaptureTime::read(file), std::nullopt) << file.toStdString();
}

TEST(CaptureTime, ReadsAPathThatLooksLikeAUrlFromDisk)
{
    TempFolder folder;
    folder.write(u"http:/localhost:9/IMG_0004.JPG"_s, readFile(corpusFile(u"Canon.jpg"_s)));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const std::optional<CaptureStamp> stamp
        = CaptureTime::read(u"http://localhost:9/IMG_0004.JPG"_s);
    QDir::setCurrent(previous);
    EXPECT_EQ(describe(stamp), "2003:12:04 06:46:52 / - / Canon EOS DIGITAL REBEL");
}

#ifdef Q_OS_UNIX
TEST(CaptureTime, DoesNotWaitOnANamedPipe)
{
    TempFolder folder;
    const QString pipe = folder.at(u"IMG_0003.JPG"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(CaptureTime::read(pipe), std::nullopt);
}
#endif

TEST(CaptureTime, ReaderJoinsRelativePathsAndRunsOnManyThreads)
{
    TempFolder folder;
    const QList<ExpectedRow> rows = expectedStamps();
    QHash<QString, std::optional<CaptureStamp>> once;
    for (const ExpectedRow& row : rows) {
        const QString relativePath = u"Shoot é/"_s + row.file;
        folder.write(relativePath, readFile(corpusFile(row.file)));
        once.insert(relativePath, CaptureTime::read(folder.at(relativePath)));
    }
    EXPECT_EQ(once.value(u"Shoot é/Canon.jpg"_s)->model, u"Canon EOS DIGITAL REBEL"_s);

    const CaptureReader reader = CaptureTime::reader(folder.path());
    std::vector<std::thread> threads;
    std::vector<int> mismatches(8, 0);
    for (size_t t = 0; t < mismatches.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 5; ++round) {
                for (auto it = once.cbegin(); it != once.cend(); ++it)
                    mismatches[t] += reader(it.key()) != it.value();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int count : mismatches)
        EXPECT_EQ(count, 0);
}

TEST(CaptureStamp, MatchesWhereBothHaveAFieldButEqualsOnlyWhenAllAgree)
{
    EXPECT_TRUE(r6WithSubsec.matches(r6));
    EXPECT_TRUE(r6.matches(r6WithSubsec));
    EXPECT_NE(r6WithSubsec, r6);

    const CaptureStamp r5 { r6.date, std::nullopt, u"R5"_s };
    const CaptureStamp noModel { r6.date, std::nullopt, std::nullopt };
    const CaptureStamp otherSubsec { r6.date, u"13"_s, u"R6"_s };
    const CaptureStamp lowerCase { r6.date, std::nullopt, u"r6"_s };
    const CaptureStamp nextSecond { u"2026:10:04 10:00:06"_s, std::nullopt, u"R6"_s };
    EXPECT_FALSE(r6.matches(r5));
    EXPECT_TRUE(r5.matches(noModel));
    EXPECT_TRUE(noModel.matches(r6WithSubsec));
    EXPECT_FALSE(otherSubsec.matches(r6WithSubsec));
    EXPECT_FALSE(lowerCase.matches(r6));
    EXPECT_FALSE(nextSecond.matches(r6));

    // An absent text differs from every present one, the empty text included.
    const CaptureStamp emptyModel { r6.date, std::nullopt, u""_s };
    EXPECT_NE(emptyModel, noModel);
    EXPECT_NE(qHash(emptyModel), qHash(noModel));
    EXPECT_EQ(qHash(r6), qHash(CaptureStamp(r6)));
}
