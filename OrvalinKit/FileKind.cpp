#include "FileKind.h"

namespace {

QSet<QString> setOf(std::initializer_list<const char*> extensions)
{
    QSet<QString> set;
    set.reserve(qsizetype(extensions.size()));
    for (const char* extension : extensions)
        set.insert(QString::fromLatin1(extension));
    return set;
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
    case FileKind::raw: return QStringLiteral("raw");
    case FileKind::jpeg: return QStringLiteral("jpeg");
    case FileKind::heic: return QStringLiteral("heic");
    case FileKind::sidecar: return QStringLiteral("sidecar");
    case FileKind::video: return QStringLiteral("video");
    case FileKind::image: return QStringLiteral("image");
    case FileKind::other: return QStringLiteral("other");
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
    const QString lower = extension.toString().toLower();
    if (rawExtensions().contains(lower))
        return FileKind::raw;
    if (jpegExtensions().contains(lower))
        return FileKind::jpeg;
    if (heicExtensions().contains(lower))
        return FileKind::heic;
    if (sidecarExtensions().contains(lower))
        return FileKind::sidecar;
    if (videoExtensions().contains(lower))
        return FileKind::video;
    if (imageExtensions().contains(lower))
        return FileKind::image;
    return FileKind::other;
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
    static const QSet<QString> set = setOf({ "cr2", "cr3", "crw", "nef", "nrw", "arw", "srf",
        "sr2", "raf", "orf", "rw2", "rwl", "dng", "pef", "srw", "3fr", "fff", "iiq", "erf", "mef",
        "mos", "mrw", "x3f", "kdc", "dcr", "raw", "gpr" });
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
    static const QSet<QString> set
        = setOf({ "xmp", "pp3", "dop", "on1", "acr", "cos", "aae", "thm" });
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
