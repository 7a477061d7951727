#include "LocalFileManager.h"

#include "LeftoverTemporaries.h"
#include "OperationError.h"
#include "RelativePath.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/syscall.h>
#endif

namespace {

// The file manager's sentences, in the "LocalFileManager" context where the translation update
// finds them.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(LocalFileManager)
};

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// `sentence` is translated where it is written, so that the translation update sees it.
[[noreturn]] void fail(const QString& sentence, const QString& path, int error)
{
    throw OperationError(sentence.arg(path, reason(error)));
}

// The bytes of one name, refused when they would reach more than that name: a "/" or "." or
// ".." leads elsewhere, a NUL cuts the name short, and text that does not survive the trip to
// bytes and back names a different file.
QByteArray component(const QString& name)
{
    const QByteArray bytes = QFile::encodeName(name);
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/')
        || !RelativePath::isFaithfulInBytes(name))
        throw OperationError(Text::tr("“%1” can’t be used as a name in a folder.").arg(name));
    return bytes;
}

ItemKind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return ItemKind::file;
    if (S_ISDIR(mode))
        return ItemKind::folder;
    if (S_ISLNK(mode))
        return ItemKind::link;
    return ItemKind::other;
}

quint64 deviceOf(int folder)
{
    struct stat info;
    return ::fstat(folder, &info) == 0 ? quint64(info.st_dev) : 0;
}

// 0 or the errno of a rename that refuses to replace anything at `to`.
int renameExclusive(int fromFolder, const char* from, int toFolder, const char* to)
{
#if defined(__APPLE__)
    return ::renameatx_np(fromFolder, from, toFolder, to, RENAME_EXCL) == 0 ? 0 : errno;
#elif defined(__linux__) && defined(RENAME_NOREPLACE)
    return ::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE) == 0 ? 0 : errno;
#elif defined(__linux__) && defined(SYS_renameat2)
    constexpr unsigned noReplace = 1;
    return ::syscall(SYS_renameat2, fromFolder, from, toFolder, to, noReplace) == 0 ? 0 : errno;
#else
    (void)fromFolder;
    (void)from;
    (void)toFolder;
    (void)to;
    return ENOSYS;
#endif
}

// The errors of a file system that has no such operation, as opposed to one that refused it.
bool isUnsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

// A hard link fails with EEXIST rather than replacing, and only once the second name exists is
// the first one dropped.
int linkThenUnlink(int fromFolder, const char* from, int toFolder, const char* to)
{
    struct stat info;
    if (::fstatat(fromFolder, from, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EPERM;
    // Without AT_SYMLINK_FOLLOW a link is linked as itself, as a rename would move it.
    if (::linkat(fromFolder, from, toFolder, to, 0) != 0)
        return errno;
    if (::unlinkat(fromFolder, from, 0) != 0) {
        const int error = errno;
        // Both names point at the same data, so dropping the new one loses nothing.
        ::unlinkat(toFolder, to, 0);
        return error;
    }
    return 0;
}

struct Reservation
{
    dev_t device;
    ino_t inode;
    bool folder;
};

// Whether `name` is still the reservation as made: the same item, and still empty.
bool isStill(int folder, const char* name, const Reservation& reservation)
{
    struct stat info;
    if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    if (info.st_dev != reservation.device || info.st_ino != reservation.inode)
        return false;
    return reservation.folder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode) && info.st_size == 0;
}

// For file systems with neither an exclusive rename nor hard links: the exclusive create takes
// the name or fails with EEXIST, and the rename then replaces that empty reservation only. A
// folder is reserved by an empty folder, which a rename of a folder may replace.
int reserveThenRename(int fromFolder, const char* from, int toFolder, const char* to)
{
    struct stat source;
    if (::fstatat(fromFolder, from, &source, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    const bool folder = S_ISDIR(source.st_mode);
    int fd = -1;
    if (folder) {
        if (::mkdirat(toFolder, to, 0700) != 0)
            return errno;
        fd = ::openat(toFolder, to, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    } else {
        fd = ::openat(toFolder, to, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    if (fd < 0)
        return errno;
    struct stat made;
    const bool known = ::fstat(fd, &made) == 0;
    ::close(fd);
    if (!known)
        return EEXIST;
    const Reservation reservation { made.st_dev, made.st_ino, folder };
    // Someone else's file put in place of the reservation is left alone.
    if (!isStill(toFolder, to, reservation))
        return EEXIST;
    if (::renameat(fromFolder, from, toFolder, to) == 0)
        return 0;
    const int error = errno;
    if (isStill(toFolder, to, reservation))
        ::unlinkat(toFolder, to, folder ? AT_REMOVEDIR : 0);
    return error;
}

int writeAll(int fd, const QByteArray& data)
{
    const char* next = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        next += written;
        left -= written;
    }
    return 0;
}

// A new file beside `name` that nobody else can have opened; its mode follows the umask.
int createTemporary(int folder, const QString& name, QByteArray& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate(), 36);
        temporary = QFile::encodeName(u'.' + name + u'.' + suffix + QStringLiteral(".tmp"));
        const int fd = ::openat(folder, temporary.constData(),
            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Reads up to limit + 1 bytes, so that a file that grew past the limit is noticed. The bytes go
// straight into the room the caller reserved, and the array grows only past it.
int readBounded(int fd, qint64 limit, QByteArray& data)
{
    while (data.size() <= limit) {
        const qsizetype at = data.size();
        const qsizetype room = data.capacity() - at;
        const qsizetype chunk = room > 0 ? std::min<qsizetype>(room, qsizetype(1) << 20) : 65536;
        data.resize(at + chunk);
        const ssize_t count = ::read(fd, data.data() + at, size_t(chunk));
        data.resize(at + std::max<qsizetype>(count, 0));
        if (count == 0)
            return 0;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
    }
    return EFBIG;
}

} // namespace

FolderHandle LocalFileManager::openFolder(const QString& path) const
{
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.contains('\0'))
        fail(Text::tr("Couldn’t open the folder “%1”: %2."), path, EINVAL);
    const int fd = ::open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fail(Text::tr("Couldn’t open the folder “%1”: %2."), path, errno);
    return FolderHandle(fd, path);
}

std::optional<FolderHandle> LocalFileManager::openChild(
    const FolderHandle& parent, const QString& name) const
{
    const int fd = ::openat(parent.descriptor(), component(name).constData(),
        O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        return FolderHandle(fd, parent.pathOf(name));
    // ELOOP: a link; ENOTDIR: a file or anything else.
    if (errno == ENOENT || errno == ELOOP || errno == ENOTDIR)
        return std::nullopt;
    fail(Text::tr("Couldn’t open the folder “%1”: %2."), parent.pathOf(name), errno);
}

ItemKind LocalFileManager::kindOf(const FolderHandle& folder, const QString& name) const
{
    struct stat info;
    if (::fstatat(folder.descriptor(), component(name).constData(), &info, AT_SYMLINK_NOFOLLOW)
        == 0)
        return kindOfMode(info.st_mode);
    if (errno == ENOENT)
        return ItemKind::none;
    fail(Text::tr("Couldn’t look at “%1”: %2."), folder.pathOf(name), errno);
}

FolderHandle LocalFileManager::createFolder(const FolderHandle& parent, const QString& name)
{
    const QByteArray bytes = component(name);
    if (::mkdirat(parent.descriptor(), bytes.constData(), 0777) != 0)
        fail(Text::tr("Couldn’t create the folder “%1”: %2."), parent.pathOf(name), errno);
    // Opened by name once more, so a link swapped in since the mkdir is refused, not followed.
    const int fd = ::openat(
        parent.descriptor(), bytes.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        fail(Text::tr("Couldn’t create the folder “%1”: %2."), parent.pathOf(name), errno);
    return FolderHandle(fd, parent.pathOf(name));
}

void LocalFileManager::moveWithoutReplacing(const FolderHandle& from, const QString& fromName,
    const FolderHandle& to, const QString& toName)
{
    const int error
        = move(from.descriptor(), component(fromName), to.descriptor(), component(toName));
    if (error != 0)
        throw OperationError(Text::tr("Couldn’t move “%1” to “%2”: %3.")
                                 .arg(from.pathOf(fromName), to.pathOf(toName), reason(error)));
}

LocalFileManager::MoveGuarantee LocalFileManager::guaranteeFor(const FolderHandle& folder) const
{
    const std::lock_guard lock(m_mutex);
    return m_guarantees.value(deviceOf(folder.descriptor()), MoveGuarantee::exclusiveRename);
}

int LocalFileManager::move(int from, const QByteArray& fromName, int to, const QByteArray& toName)
{
    // Which device the target is on only matters once some file system was found without an
    // exclusive rename; until then, a move is one system call.
    std::optional<quint64> device;
    const auto learn = [&](MoveGuarantee guarantee) {
        if (!device)
            device = deviceOf(to);
        const std::lock_guard lock(m_mutex);
        m_guarantees.insert(*device, guarantee);
    };
    bool anyLearnt = false;
    {
        const std::lock_guard lock(m_mutex);
        anyLearnt = !m_guarantees.isEmpty();
    }
    MoveGuarantee guarantee = MoveGuarantee::exclusiveRename;
    if (anyLearnt) {
        device = deviceOf(to);
        const std::lock_guard lock(m_mutex);
        guarantee = m_guarantees.value(*device, MoveGuarantee::exclusiveRename);
    }
    const char* source = fromName.constData();
    const char* target = toName.constData();
    if (guarantee == MoveGuarantee::exclusiveRename) {
        const int error = renameExclusive(from, source, to, target);
        if (!isUnsupported(error))
            return error;
        learn(guarantee = MoveGuarantee::hardLink);
    }
    if (guarantee == MoveGuarantee::hardLink) {
        const int error = linkThenUnlink(from, source, to, target);
        // FUSE file systems without links answer EPERM ("Operation not permitted"); a folder,
        // which cannot be linked, takes the reservation too without changing what is learnt.
        if (error != EPERM && !isUnsupported(error))
            return error;
        struct stat info;
        const bool folder
            = ::fstatat(from, source, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
        if (!folder)
            learn(MoveGuarantee::reservation);
    }
    return reserveThenRename(from, source, to, target);
}

void LocalFileManager::writeAtomically(
    const FolderHandle& folder, const QString& name, const QByteArray& data)
{
    const QByteArray target = component(name);
    LeftoverTemporaries::clear(folder.descriptor(), target);
    QByteArray temporary;
    const int fd = createTemporary(folder.descriptor(), name, temporary);
    if (fd < 0)
        fail(Text::tr("Couldn’t write the file “%1”: %2."), folder.pathOf(name), errno);
    int error = writeAll(fd, data);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0
        && ::renameat(
               folder.descriptor(), temporary.constData(), folder.descriptor(), target.constData())
            != 0)
        error = errno;
    if (error != 0) {
        ::unlinkat(folder.descriptor(), temporary.constData(), 0);
        fail(Text::tr("Couldn’t write the file “%1”: %2."), folder.pathOf(name), error);
    }
    // Makes the rename itself durable; file systems that cannot sync a folder lose nothing more.
    ::fsync(folder.descriptor());
}

QByteArray LocalFileManager::read(
    const FolderHandle& folder, const QString& name, qint64 limit) const
{
    const QByteArray bytes = component(name);
    const QString path = folder.pathOf(name);
    struct stat info;
    // Looked at before opening: opening a device can have effects of its own.
    if (::fstatat(folder.descriptor(), bytes.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        fail(Text::tr("Couldn’t read the file “%1”: %2."), path, errno);
    if (!S_ISREG(info.st_mode))
        throw OperationError(Text::tr("“%1” is not a regular file.").arg(path));
    // O_NONBLOCK: what was swapped in since the look must not block the open.
    const int fd = ::openat(
        folder.descriptor(), bytes.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fail(Text::tr("Couldn’t read the file “%1”: %2."), path, errno);
    QByteArray data;
    int error = ::fstat(fd, &info) != 0 ? errno : 0;
    if (error == 0 && !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw OperationError(Text::tr("“%1” is not a regular file.").arg(path));
    }
    if (error == 0 && info.st_size > limit)
        error = EFBIG;
    if (error == 0) {
        // The size as it is now; a file that grows meanwhile is still read to its end.
        data.reserve(qsizetype(info.st_size) + 1);
        error = readBounded(fd, limit, data);
    }
    ::close(fd);
    if (error != 0)
        fail(Text::tr("Couldn’t read the file “%1”: %2."), path, error);
    return data;
}

QStringList LocalFileManager::list(const FolderHandle& folder) const
{
    // A descriptor of its own: reading a directory moves an offset that a duplicate would share.
    const int fd = ::openat(folder.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        fail(Text::tr("Couldn’t list the folder “%1”: %2."), folder.path(), error);
    }
    QStringList names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
            names.append(QFile::decodeName(name));
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0)
        fail(Text::tr("Couldn’t list the folder “%1”: %2."), folder.path(), error);
    return names;
}

void LocalFileManager::removeEmptyFolder(const FolderHandle& parent, const QString& name)
{
    if (::unlinkat(parent.descriptor(), component(name).constData(), AT_REMOVEDIR) != 0)
        fail(Text::tr("Couldn’t remove the folder “%1”: %2."), parent.pathOf(name), errno);
}
