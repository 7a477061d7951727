#include "FileKind.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

QSet<QString> setOf(std::initializer_list<const char*> extensions)
{
    QSet<QString> set;
    set.reserve(qsizetype(extensions.size()));
    for (const char* extension : extensions)
        set.insert(QString::fromLatin1(extension));
    return set;
}

FileKind kindOfLowerCase(const QString& lower)
{
    if (FileKinds::rawExtensions().contains(lower))
        return FileKind::raw;
    if (FileKinds::jpegExtensions().contains(lower))
        return FileKind::jpeg;
    if (FileKinds::heicExtensions().contains(lower))
        return FileKind::heic;
    if (FileKinds::sidecarExtensions().contains(lower))
        return FileKind::sidecar;
    if (FileKinds::videoExtensions().contains(lower))
        return FileKind::video;
    if (FileKinds::imageExtensions().contains(lower))
        return FileKind::image;
    return FileKind::other;
}

// The scan classifies every file it finds, so the common case, a short ASCII extension, is
// looked up without building a string: lower-cased and packed into one integer, one byte a
// character, in a sorted table made from the sets above.
std::optional<quint64> packedLowerAscii(QStringView extension)
{
    if (extension.size() > qsizetype(sizeof(quint64)))
        return std::nullopt;
    quint64 packed = 0;
    for (qsizetype i = 0; i < extension.size(); ++i) {
        char16_t c = extension[i].unicode();
        if (c == 0 || c >= 0x80)
            return std::nullopt;
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        packed |= quint64(c) << (8 * i);
    }
    return packed;
}

using PackedKind = std::pair<quint64, FileKind>;

const std::vector<PackedKind>& packedKinds()
{
    static const std::vector<PackedKind> table = [] {
        const std::pair<const QSet<QString>&, FileKind> sets[] {
            { FileKinds::rawExtensions(), FileKind::raw },
            { FileKinds::jpegExtensions(), FileKind::jpeg },
            { FileKinds::heicExtensions(), FileKind::heic },
            { FileKinds::sidecarExtensions(), FileKind::sidecar },
            { FileKinds::videoExtensions(), FileKind::video },
            { FileKinds::imageExtensions(), FileKind::image },
        };
        std::vector<PackedKind> rows;
        for (const auto& [extensions, kind] : sets) {
            for (const QString& extension : extensions) {
                // An entry that does not pack could never be found this way; the general way
                // still finds it.
                if (const std::optional<quint64> packed = packedLowerAscii(extension))
                    rows.emplace_back(*packed, kind);
            }
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }();
    return table;
}

} // namespace

namespace FileKinds {

const QList<FileKind>& allCases()
{
    static const QList<FileKind> cases { FileKind::raw, FileKind::jpeg, FileKind::heic,
        FileKind::sidecar, FileKind::video, FileKind::image, FileKind::other };
    return cases;
}

QString rawValue(FileKind kind)
{
    switch (kind) {
    case FileKind::raw:
        return QStringLiteral("raw");
    case FileKind::jpeg:
        return QStringLiteral("jpeg");
    case FileKind::heic:
        return QStringLiteral("heic");
    case FileKind::sidecar:
        return QStringLiteral("sidecar");
    case FileKind::video:
        return QStringLiteral("video");
    case FileKind::image:
        return QStringLiteral("image");
    case FileKind::other:
        return QStringLiteral("other");
    }
    return QStringLiteral("other");
}

std::optional<FileKind> fromRawValue(QStringView text)
{
    for (FileKind kind : allCases()) {
        if (rawValue(kind) == text)
            return kind;
    }
    return std::nullopt;
}

FileKind fromExtension(QStringView extension)
{
    if (extension.isEmpty())
        return FileKind::other;
    if (const std::optional<quint64> packed = packedLowerAscii(extension)) {
        const std::vector<PackedKind>& table = packedKinds();
        const auto found = std::lower_bound(table.begin(), table.end(), *packed,
            [](const PackedKind& row, quint64 key) { return row.first < key; });
        return found != table.end() && found->first == *packed ? found->second : FileKind::other;
    }
    // Unicode lower-casing can turn a non-ASCII letter into an ASCII one (the Kelvin sign gives
    // k), so anything else goes the general way.
    return kindOfLowerCase(extension.toString().toLower());
}

bool isTwin(FileKind kind)
{
    return kind == FileKind::jpeg || kind == FileKind::heic;
}

bool isMedia(FileKind kind)
{
    return kind != FileKind::sidecar && kind != FileKind::other;
}

const QSet<QString>& rawExtensions()
{
    static const QSet<QString> set = setOf({ "cr2", "cr3", "crw", "nef", "nrw", "arw", "srf", "sr2",
        "raf", "orf", "rw2", "rwl", "dng", "pef", "srw", "3fr", "fff", "iiq", "erf", "mef", "mos",
        "mrw", "x3f", "kdc", "dcr", "raw", "gpr" });
    return set;
}

const QSet<QString>& jpegExtensions()
{
    static const QSet<QString> set = setOf({ "jpg", "jpeg", "jpe" });
    return set;
}

const QSet<QString>& heicExtensions()
{
    static const QSet<QString> set = setOf({ "heic", "heif", "hif" });
    return set;
}

const QSet<QString>& sidecarExtensions()
{
    static const QSet<QString> set = setOf(
        { "xmp", "pp3", "dop", "on1", "acr", "cos", "aae", "thm", "arp", "nksc", "comask" });
    return set;
}

const QSet<QString>& videoExtensions()
{
    static const QSet<QString> set
        = setOf({ "mov", "mp4", "m4v", "avi", "mts", "m2ts", "crm", "mxf" });
    return set;
}

const QSet<QString>& imageExtensions()
{
    static const QSet<QString> set
        = setOf({ "tif", "tiff", "psd", "psb", "png", "webp", "avif", "gif", "bmp", "jxl" });
    return set;
}

const QSet<QString>& mediaExtensions()
{
    static const QSet<QString> set = rawExtensions() + jpegExtensions() + heicExtensions()
        + videoExtensions() + imageExtensions();
    return set;
}

} // namespace FileKinds
