#pragma once

// The scan as one thread walks it, each folder read to the end as the file system lists it before
// the next item is looked at: the reference that Scanner::scan must match item for item, in the
// tests and in scan_bench. Kept deliberately plain; speed is not its business.

#include "FileEntry.h"
#include "Naming.h"
#include "ScanProgress.h"
#include "ScanRefusal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace ReferenceWalk {

struct Outcome
{
    QList<FileEntry> entries;
    std::optional<ScanRefusal> refusal;
    QList<ScanProgress> progress;
};

namespace Detail {

inline std::optional<ScanRefusal::Reason> catalogueReason(const QString& name)
{
    using enum ScanRefusal::Reason;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1).toLower();
    for (const auto& [reason, markers] :
        { std::pair(
              containsPhotosLibrary, "photoslibrary photolibrary aplibrary migratedphotolibrary"),
            std::pair(containsLightroomCatalog, "lrcat lrlibrary lrcat-data"),
            std::pair(containsCaptureOne, "cocatalog cocatalogdb cosessiondb") }) {
        if (QString::fromLatin1(markers).split(u' ').contains(extension))
            return reason;
    }
    return std::nullopt;
}

struct Walker
{
    QString reviewKey;
    qint64 items = 0;
    Outcome outcome = {};

    // Lists the open folder `fd` (and closes it); false once a refusal has ended the walk.
    bool walk(int fd, const QString& prefix, const QString& folderName)
    {
        DIR* directory = fdopendir(fd);
        if (!directory) {
            close(fd);
            return true;
        }
        bool going = true;
        while (const dirent* item = going ? readdir(directory) : nullptr)
            going = item->d_name[0] == '.'
                || visit(dirfd(directory), item->d_name, item->d_type, prefix, folderName);
        closedir(directory);
        return going;
    }

    bool visit(int fd, const char* name, unsigned char type, const QString& prefix,
        const QString& folderName)
    {
        if (++items % 512 == 0)
            outcome.progress.append({ outcome.entries.size(), folderName });
        struct stat values;
        const bool haveValues = fstatat(fd, name, &values, AT_SYMLINK_NOFOLLOW) == 0;
        if (type == DT_UNKNOWN && haveValues)
            type = IFTODT(values.st_mode);
        if (type == DT_LNK)
            return true;
        const QString itemName = QString::fromUtf8(name);
        const QString path = prefix + itemName;
        if (const auto reason = catalogueReason(itemName)) {
            outcome.refusal = ScanRefusal { *reason, path };
            return false;
        }
        if (!QByteArrayView(name).isValidUtf8())
            return true;
        if (type == DT_DIR) {
            if (Naming::fold(itemName) == reviewKey)
                return true;
            const int child = openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0)
                return true;
            struct stat log;
            if (fstatat(child, "restore-log.json", &log, AT_SYMLINK_NOFOLLOW) != 0)
                return walk(child, path + u'/', itemName);
            close(child);
            return true;
        }
        if (type == DT_REG && haveValues && S_ISREG(values.st_mode))
            outcome.entries.append({ path, qint64(values.st_size),
                FileKinds::fromExtension(RelativePath::extension(itemName)) });
        return true;
    }
};

} // namespace Detail

// Every file below `folder` with the progress reports a scan makes, or the refusal that ends it.
inline Outcome walk(const QString& folder, const QString& reviewFolderName)
{
    Detail::Walker walker { .reviewKey = Naming::fold(reviewFolderName) };
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const QString name
        = QFileInfo(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())).fileName();
    if (fd < 0 || walker.walk(fd, QString(), name))
        walker.outcome.progress.append({ walker.outcome.entries.size(), QString() });
    return walker.outcome;
}

} // namespace ReferenceWalk
