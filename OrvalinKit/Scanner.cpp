#include "Scanner.h"

#include "Naming.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Catalogue
{
    photosLibrary,
    lightroom,
    captureOne
};

struct CatalogueMarker
{
    QLatin1StringView extension;
    Catalogue catalogue;
};

// Lower-case extensions, in the order they are tested.
constexpr CatalogueMarker catalogueMarkers[] {
    { QLatin1StringView("photoslibrary"), Catalogue::photosLibrary },
    { QLatin1StringView("photolibrary"), Catalogue::photosLibrary },
    { QLatin1StringView("aplibrary"), Catalogue::photosLibrary },
    { QLatin1StringView("migratedphotolibrary"), Catalogue::photosLibrary },
    { QLatin1StringView("lrcat"), Catalogue::lightroom },
    { QLatin1StringView("lrlibrary"), Catalogue::lightroom },
    { QLatin1StringView("lrcat-data"), Catalogue::lightroom },
    { QLatin1StringView("cocatalog"), Catalogue::captureOne },
    { QLatin1StringView("cocatalogdb"), Catalogue::captureOne },
    { QLatin1StringView("cosessiondb"), Catalogue::captureOne },
};

bool isAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

QStringView extensionOf(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QStringView() : name.sliced(dot + 1);
}

// Runs for every item of a scan, so plain ASCII, by far the common case, is compared without
// building a lower-cased copy.
std::optional<Catalogue> catalogueOf(QStringView name)
{
    const QStringView extension = extensionOf(name);
    if (extension.isEmpty())
        return std::nullopt;
    if (isAscii(extension)) {
        for (const CatalogueMarker& marker : catalogueMarkers) {
            if (extension.size() == marker.extension.size()
                && extension.compare(marker.extension, Qt::CaseInsensitive) == 0)
                return marker.catalogue;
        }
        return std::nullopt;
    }
    const QString lower = extension.toString().toLower();
    for (const CatalogueMarker& marker : catalogueMarkers) {
        if (lower == marker.extension)
            return marker.catalogue;
    }
    return std::nullopt;
}

ScanRefusal::Reason reasonFor(Catalogue catalogue, bool inside)
{
    switch (catalogue) {
    case Catalogue::photosLibrary:
        return inside ? ScanRefusal::Reason::insidePhotosLibrary
                      : ScanRefusal::Reason::containsPhotosLibrary;
    case Catalogue::lightroom:
        return ScanRefusal::Reason::containsLightroomCatalog;
    case Catalogue::captureOne:
        return ScanRefusal::Reason::containsCaptureOne;
    }
    return ScanRefusal::Reason::containsPhotosLibrary;
}

QString standardised(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

// A directory that the desktop shows as a single document is seen but not entered. Linux has no
// such directories; on macOS this is where a bundle is recognised.
bool isShownAsOneDocument(int parentFd, const char* name)
{
    Q_UNUSED(parentFd);
    Q_UNUSED(name);
    return false;
}

struct DirectoryCloser
{
    void operator()(DIR* directory) const { closedir(directory); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

// Null when the folder cannot be read; such a folder is left out without a word.
Directory openSubfolder(int parentFd, const char* name)
{
    const int fd = openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR* directory = fdopendir(fd);
    if (!directory)
        close(fd);
    return Directory(directory);
}

// A folder that directly holds a restore log is a past review session, whatever its name.
bool holdsRestoreLog(DIR* directory)
{
    struct stat log;
    return fstatat(dirfd(directory), "restore-log.json", &log, AT_SYMLINK_NOFOLLOW) == 0;
}

class Walk
{
public:
    Walk(const ScanOptions& options, const ScanProgressCallback& progress,
        const CancellationToken& cancel)
        : m_reviewKey(Naming::fold(options.reviewFolderName))
        , m_progress(progress)
        , m_cancel(cancel)
    {
        m_entries.reserve(4096);
    }

    QList<FileEntry> run(const QString& folder)
    {
        // The folder as passed, links and all: only what lies below it is never followed.
        const QByteArray path = QFile::encodeName(folder);
        const int fd = open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            if (Directory root { fdopendir(fd) }) {
                const QString rootName = QFileInfo(standardised(folder)).fileName();
                walkFolder(root.get(), QString(), rootName);
            } else {
                close(fd);
            }
        }
        m_cancel.throwIfCancelled();
        if (m_progress)
            m_progress({ m_entries.size(), QString() });
        return std::move(m_entries);
    }

private:
    // `prefix` is the folder's relative path with a trailing "/", empty for the scanned folder.
    void walkFolder(DIR* directory, const QString& prefix, QStringView folderName)
    {
        const int fd = dirfd(directory);
        while (const dirent* item = readdir(directory)) {
            const char* name = item->d_name;
            // Hidden items, and "." and "..", are not part of the walk at all.
            if (name[0] == '.')
                continue;
            countItem(folderName);
            visit(fd, name, item->d_type, prefix);
        }
    }

    void visit(int fd, const char* name, unsigned char type, const QString& prefix)
    {
        struct stat values;
        bool haveValues = false;
        if (type == DT_UNKNOWN) {
            haveValues = fstatat(fd, name, &values, AT_SYMLINK_NOFOLLOW) == 0;
            if (haveValues)
                type = IFTODT(values.st_mode);
        }
        if (type == DT_LNK)
            return;

        bool validName = true;
        QString path = joined(prefix, name, validName);
        const QStringView itemName = QStringView(path).sliced(prefix.size());
        if (const std::optional<Catalogue> catalogue = catalogueOf(itemName))
            throw ScanRefusal { reasonFor(*catalogue, false), path };
        // No later move could find a file by a name that had to be mended to be shown.
        if (!validName)
            return;

        if (type == DT_DIR) {
            if (!mayEnter(fd, name, itemName))
                return;
            const Directory child = openSubfolder(fd, name);
            if (child && !holdsRestoreLog(child.get()))
                walkFolder(child.get(), path + u'/', itemName);
            return;
        }
        if (type != DT_REG)
            return;
        if (!haveValues && fstatat(fd, name, &values, AT_SYMLINK_NOFOLLOW) != 0)
            return;
        // Replaced since the folder was listed.
        if (!S_ISREG(values.st_mode))
            return;
        const FileKind kind = FileKinds::fromExtension(extensionOf(itemName));
        m_entries.append({ std::move(path), qint64(values.st_size), kind });
    }

    bool mayEnter(int fd, const char* name, QStringView itemName) const
    {
        if (isShownAsOneDocument(fd, name))
            return false;
        return Naming::fold(itemName) != m_reviewKey;
    }

    // `prefix` followed by the name as the file system gave it; a name that is not UTF-8 comes
    // out mended, with `valid` cleared.
    static QString joined(const QString& prefix, const char* name, bool& valid)
    {
        size_t length = 0;
        unsigned char bits = 0;
        for (; name[length]; ++length)
            bits |= static_cast<unsigned char>(name[length]);
        QString path;
        path.reserve(prefix.size() + qsizetype(length));
        path.append(prefix);
        if (bits < 0x80) {
            path.append(QLatin1StringView(name, qsizetype(length)));
        } else {
            const QByteArrayView bytes(name, qsizetype(length));
            valid = bytes.isValidUtf8();
            path.append(QString::fromUtf8(bytes));
        }
        return path;
    }

    void countItem(QStringView folderName)
    {
        if (++m_items % 512 != 0)
            return;
        m_cancel.throwIfCancelled();
        if (m_progress)
            m_progress({ m_entries.size(), folderName.toString() });
    }

    const QString m_reviewKey;
    const ScanProgressCallback& m_progress;
    const CancellationToken& m_cancel;
    QList<FileEntry> m_entries;
    qint64 m_items = 0;
};

} // namespace

namespace Scanner {

std::optional<ScanRefusal> checkLocation(const QString& folder)
{
    const QString written = standardised(folder);
    const QString resolved = QFileInfo(written).canonicalFilePath();
    for (const QString& path : { written, resolved }) {
        for (const QString& component : path.split(u'/', Qt::SkipEmptyParts)) {
            if (const std::optional<Catalogue> catalogue = catalogueOf(component))
                return ScanRefusal { reasonFor(*catalogue, true), component };
        }
    }
    return std::nullopt;
}

QList<FileEntry> scan(const QString& folder, const ScanOptions& options,
    const ScanProgressCallback& progress, const CancellationToken& cancel)
{
    if (const std::optional<ScanRefusal> refusal = checkLocation(folder))
        throw *refusal;
    return Walk(options, progress, cancel).run(folder);
}

} // namespace Scanner
