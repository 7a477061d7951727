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
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__linux__)
#include <linux/fs.h>
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
    throw OperationError(sentence.arg(path, reason(error)), error);
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

using MoveStep = LocalFileManager::MoveStep;
using Steps = std::function<void(MoveStep)>;

void take(const Steps& steps, MoveStep step)
{
    if (steps)
        steps(step);
}

// Closes its descriptor however the scope is left, a step that stands for a kill included.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd;
};

bool sameFile(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// Whether `name` in `folder` is the item `info` describes.
bool names(int folder, const char* name, const struct stat& info)
{
    struct stat atName;
    return ::fstatat(folder, name, &atName, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(atName, info);
}

// Whether `name` in `folder` is still the file open as `fd`.
bool stillNames(int folder, const char* name, int fd)
{
    struct stat open;
    return ::fstat(fd, &open) == 0 && names(folder, name, open);
}

// Gives a copy the date of the file it was copied from.
void keepDate(int copy, const struct stat& original)
{
    const struct timespec times[2] = { original.st_atim, original.st_mtim };
    ::futimens(copy, times);
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

// For folders no other program writes in: the exclusive create takes the name or fails with
// EEXIST, and the rename then replaces that empty reservation only. A folder is reserved by an
// empty folder, which a rename of a folder may replace.
int reserveThenRename(
    int fromFolder, const char* from, int toFolder, const char* to, const Steps& steps)
{
    struct stat source;
    if (::fstatat(fromFolder, from, &source, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    const bool folder = S_ISDIR(source.st_mode);
    take(steps, MoveStep::reserve);
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
    take(steps, MoveStep::renameOverReservation);
    if (::renameat(fromFolder, from, toFolder, to) == 0)
        return 0;
    const int error = errno;
    if (isStill(toFolder, to, reservation))
        ::unlinkat(toFolder, to, folder ? AT_REMOVEDIR : 0);
    return error;
}

// Copies from `offset` to the end of `source`, in the kernel where it can.
int copyRest(int source, int target, off_t offset)
{
    off_t in = offset;
    off_t out = offset;
#if defined(__linux__)
    for (;;) {
        const ssize_t copied = ::copy_file_range(source, &in, target, &out, size_t(1) << 30, 0);
        if (copied == 0)
            return 0;
        if (copied < 0) {
            if (errno == EINTR)
                continue;
            // Across file systems, or where the kernel has no such copy: read and write.
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
                return errno;
            break;
        }
    }
#endif
    std::vector<char> buffer(size_t(1) << 20);
    for (;;) {
        const ssize_t count = ::pread(source, buffer.data(), buffer.size(), in);
        if (count == 0)
            return 0;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < count;) {
            const ssize_t written
                = ::pwrite(target, buffer.data() + done, size_t(count - done), out);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += written;
            out += written;
        }
        in += count;
    }
}

// Writes `name` again, as a new file only this call can have made, from the open `source` whose
// last name may be gone, with its date; the file is synced before this returns.
int restoreFromOpen(int folder, const char* name, int source, const struct stat& sourceInfo)
{
    const Descriptor again(::openat(folder, name,
        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, sourceInfo.st_mode & 0777));
    if (!again.isOpen())
        return errno;
    const int error = copyRest(source, again.get(), 0);
    keepDate(again.get(), sourceInfo);
    return error != 0 ? error : (::fsync(again.get()) == 0 ? 0 : errno);
}

// A hard link fails with EEXIST rather than replacing, and only once the second name exists is
// the first one dropped. The source stays open throughout: should another program save at the
// new name just before the first one is dropped, the photo is written back from it.
int linkThenUnlink(
    int fromFolder, const char* from, int toFolder, const char* to, const Steps& steps)
{
    struct stat info;
    if (::fstatat(fromFolder, from, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EPERM;
    const Descriptor source(
        S_ISREG(info.st_mode) ? ::openat(fromFolder, from, O_RDONLY | O_NOFOLLOW | O_CLOEXEC) : -1);
    if (S_ISREG(info.st_mode) && (!source.isOpen() || ::fstat(source.get(), &info) != 0))
        return errno;
    take(steps, MoveStep::link);
    // Without AT_SYMLINK_FOLLOW a link is linked as itself, as a rename would move it.
    if (::linkat(fromFolder, from, toFolder, to, 0) != 0)
        return errno;
    // Another program saved at the new name since the link was made: its file stays there, and
    // the photo under its own name.
    if (!names(toFolder, to, info))
        return EEXIST;
    take(steps, MoveStep::dropSource);
    if (::unlinkat(fromFolder, from, 0) != 0) {
        const int error = errno;
        // Both names point at the same data, so dropping the new one loses nothing.
        if (names(toFolder, to, info))
            ::unlinkat(toFolder, to, 0);
        return error;
    }
    if (names(toFolder, to, info) || !source.isOpen())
        return 0;
    // Saved at between the check and the drop: the photo may have no name left but this one.
    const int error = restoreFromOpen(fromFolder, from, source.get(), info);
    return error != 0 ? error : EEXIST;
}

// Whether the first `length` bytes of both files are the same.
bool sameStart(int one, int other, qint64 length)
{
    constexpr size_t chunk = size_t(1) << 20;
    std::vector<char> a(chunk);
    std::vector<char> b(chunk);
    for (qint64 at = 0; at < length;) {
        const size_t wanted = size_t(std::min<qint64>(qint64(chunk), length - at));
        const ssize_t readA = ::pread(one, a.data(), wanted, off_t(at));
        const ssize_t readB = ::pread(other, b.data(), wanted, off_t(at));
        if (readA <= 0 || readA != readB || std::memcmp(a.data(), b.data(), size_t(readA)) != 0)
            return false;
        at += readA;
    }
    return true;
}

// The target name of a copy, created and checked by this move: whatever the outcome, the copy
// is either in place and the source gone, or no longer under the target name.
struct Copy
{
    int fromFolder;
    const char* from;
    int source;
    int toFolder;
    const char* to;
    int target;
    const Steps& steps;

    // Removes the copy again, as long as its name still holds it.
    void withdraw() const
    {
        if (stillNames(toFolder, to, target))
            ::unlinkat(toFolder, to, 0);
    }

    // Copies the source into the target from `offset` on, syncs it, and drops the source name
    // once the target name is seen to hold the copy. EEXIST when the target name was taken by
    // something else meanwhile: that stays, and so does the source.
    int finish(off_t offset, const struct stat& sourceInfo) const
    {
        take(steps, MoveStep::copy);
        int error = copyRest(source, target, offset);
        // The photo keeps its date; a copy would otherwise be dated now.
        keepDate(target, sourceInfo);
        take(steps, MoveStep::sync);
        if (error == 0 && ::fsync(target) != 0)
            error = errno;
        if (error != 0) {
            withdraw();
            return error;
        }
        if (!stillNames(toFolder, to, target))
            return EEXIST;
        take(steps, MoveStep::dropSource);
        if (::unlinkat(fromFolder, from, 0) != 0) {
            error = errno;
            withdraw();
            return error;
        }
        if (stillNames(toFolder, to, target))
            return 0;
        // Another program saved at the name between the check and the drop.
        error = restoreFromOpen(fromFolder, from, source, sourceInfo);
        return error != 0 ? error : EEXIST;
    }
};

// For folders of the user's on file systems with neither an exclusive rename nor hard links:
// no rename can be sure to replace nothing there, so the file is copied into a name only this
// move can have created, and the source dropped once the name still holds the finished copy.
int copyThenDrop(int fromFolder, const char* from, int toFolder, const char* to, const Steps& steps)
{
    const Descriptor source(::openat(fromFolder, from, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!source.isOpen())
        return errno;
    struct stat sourceInfo;
    struct stat targetFolder;
    if (::fstat(source.get(), &sourceInfo) != 0 || ::fstat(toFolder, &targetFolder) != 0)
        return errno;
    if (!S_ISREG(sourceInfo.st_mode))
        return EOPNOTSUPP;
    // A move never becomes a copy to another drive.
    if (sourceInfo.st_dev != targetFolder.st_dev)
        return EXDEV;
    take(steps, MoveStep::reserve);
    const Descriptor target(::openat(toFolder, to,
        O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, sourceInfo.st_mode & 0777));
    if (!target.isOpen())
        return errno;
    return Copy { fromFolder, from, source.get(), toFolder, to, target.get(), steps }.finish(
        0, sourceInfo);
}

// Finishes a cut-off move as FileManager::completeMove describes; -1 when `to` is not that
// move's own unfinished work, else 0 or an errno.
int finishCutOffMove(
    int fromFolder, const char* from, int toFolder, const char* to, const Steps& steps)
{
    struct stat fromInfo;
    struct stat toInfo;
    if (::fstatat(fromFolder, from, &fromInfo, AT_SYMLINK_NOFOLLOW) != 0
        || ::fstatat(toFolder, to, &toInfo, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? -1 : errno;
    if (sameFile(fromInfo, toInfo)) {
        take(steps, MoveStep::dropSource);
        return ::unlinkat(fromFolder, from, 0) == 0 ? 0 : errno;
    }
    if (!S_ISREG(fromInfo.st_mode) || !S_ISREG(toInfo.st_mode) || toInfo.st_size > fromInfo.st_size)
        return -1;
    const Descriptor source(::openat(fromFolder, from, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    const Descriptor target(::openat(toFolder, to, O_RDWR | O_NOFOLLOW | O_CLOEXEC));
    if (!source.isOpen() || !target.isOpen())
        return errno == ENOENT || errno == ELOOP ? -1 : errno;
    struct stat sourceInfo;
    struct stat targetInfo;
    if (::fstat(source.get(), &sourceInfo) != 0 || ::fstat(target.get(), &targetInfo) != 0)
        return errno;
    // What was opened must be what was looked at, and the start must be the source's own.
    if (!sameFile(sourceInfo, fromInfo) || !sameFile(targetInfo, toInfo)
        || targetInfo.st_size > sourceInfo.st_size
        || !sameStart(source.get(), target.get(), targetInfo.st_size))
        return -1;
    const int error
        = Copy { fromFolder, from, source.get(), toFolder, to, target.get(), steps }.finish(
            off_t(targetInfo.st_size), sourceInfo);
    return error == EEXIST ? -1 : error;
}

// Whether the folder takes no new names for good: append-only or immutable. Its file system
// may not say; then it is taken to be like any other.
bool refusesRenames(int folder)
{
#if defined(__linux__)
    int flags = 0;
    if (::ioctl(folder, FS_IOC_GETFLAGS, &flags) == 0)
        return (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
#elif defined(__APPLE__)
    struct stat info;
    if (::fstat(folder, &info) == 0)
        return (info.st_flags & (UF_APPEND | SF_APPEND | UF_IMMUTABLE | SF_IMMUTABLE)) != 0;
#else
    (void)folder;
#endif
    return false;
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
    return infoOf(folder, name).kind;
}

ItemInfo LocalFileManager::infoOf(const FolderHandle& folder, const QString& name) const
{
    struct stat info;
    if (::fstatat(folder.descriptor(), component(name).constData(), &info, AT_SYMLINK_NOFOLLOW)
        == 0)
        return { kindOfMode(info.st_mode), qint64(info.st_size), quint64(info.st_dev),
            quint64(info.st_ino) };
    if (errno == ENOENT)
        return {};
    fail(Text::tr("Couldn’t look at “%1”: %2."), folder.pathOf(name), errno);
}

bool LocalFileManager::isOnSameMount(const FolderHandle& one, const FolderHandle& other) const
{
#if defined(__linux__) && defined(STATX_MNT_ID)
    // A bind mount keeps the device number, and a rename out of it fails all the same.
    struct statx a;
    struct statx b;
    if (::statx(one.descriptor(), "", AT_EMPTY_PATH, STATX_MNT_ID, &a) == 0
        && ::statx(other.descriptor(), "", AT_EMPTY_PATH, STATX_MNT_ID, &b) == 0
        && (a.stx_mask & b.stx_mask & STATX_MNT_ID) != 0)
        return a.stx_mnt_id == b.stx_mnt_id;
#endif
    return deviceOf(one.descriptor()) == deviceOf(other.descriptor());
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
    const FolderHandle& to, const QString& toName, TargetFolder target)
{
    const int error
        = move(from.descriptor(), component(fromName), to.descriptor(), component(toName), target);
    if (error != 0)
        throw OperationError(Text::tr("Couldn’t move “%1” to “%2”: %3.")
                                 .arg(from.pathOf(fromName), to.pathOf(toName), reason(error)),
            error);
}

bool LocalFileManager::completeMove(const FolderHandle& from, const QString& fromName,
    const FolderHandle& to, const QString& toName)
{
    const int error = finishCutOffMove(from.descriptor(), component(fromName).constData(),
        to.descriptor(), component(toName).constData(), m_beforeStep);
    if (error > 0)
        throw OperationError(Text::tr("Couldn’t move “%1” to “%2”: %3.")
                                 .arg(from.pathOf(fromName), to.pathOf(toName), reason(error)),
            error);
    return error == 0;
}

LocalFileManager::MoveGuarantee LocalFileManager::guaranteeFor(const FolderHandle& folder) const
{
    const std::lock_guard lock(m_mutex);
    return m_guarantees.value(deviceOf(folder.descriptor()), MoveGuarantee::exclusiveRename);
}

void LocalFileManager::presume(MoveGuarantee strongest)
{
    const std::lock_guard lock(m_mutex);
    m_presumed = strongest;
}

void LocalFileManager::beforeEachStep(std::function<void(MoveStep)> hook)
{
    m_beforeStep = std::move(hook);
}

LocalFileManager::MoveGuarantee LocalFileManager::startingGuarantee(
    int folder, std::optional<quint64>& device) const
{
    // Which device the target is on only matters once some file system was found without an
    // exclusive rename; until then, a move is one system call.
    const std::lock_guard lock(m_mutex);
    MoveGuarantee guarantee = MoveGuarantee::exclusiveRename;
    if (!m_guarantees.isEmpty()) {
        device = deviceOf(folder);
        guarantee = m_guarantees.value(*device, MoveGuarantee::exclusiveRename);
    }
    return std::max(guarantee, m_presumed);
}

int LocalFileManager::move(
    int from, const QByteArray& fromName, int to, const QByteArray& toName, TargetFolder target)
{
    std::optional<quint64> device;
    const auto learn = [&](MoveGuarantee guarantee) {
        if (!device)
            device = deviceOf(to);
        const std::lock_guard lock(m_mutex);
        m_guarantees.insert(*device, guarantee);
    };
    MoveGuarantee guarantee = startingGuarantee(to, device);
    const char* source = fromName.constData();
    const char* name = toName.constData();
    if (guarantee == MoveGuarantee::exclusiveRename) {
        take(m_beforeStep, MoveStep::renameExclusively);
        const int error = renameExclusive(from, source, to, name);
        if (!isUnsupported(error))
            return error;
        learn(guarantee = MoveGuarantee::hardLink);
    }
    // Where only this application writes, the reservation is as safe as a link, and unlike a
    // link it never drops a name in the user's folder that someone may just have saved at.
    if (target == TargetFolder::ownOnly)
        return reserveThenRename(from, source, to, name, m_beforeStep);
    struct stat info;
    const bool folder
        = ::fstatat(from, source, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
    if (guarantee == MoveGuarantee::hardLink && !folder) {
        const int error = linkThenUnlink(from, source, to, name, m_beforeStep);
        // FUSE file systems without links answer EPERM ("Operation not permitted").
        if (error != EPERM && !isUnsupported(error))
            return error;
        learn(MoveGuarantee::reservation);
    }
    // A folder cannot be linked nor copied as one file; an empty folder reserves its place.
    if (folder)
        return reserveThenRename(from, source, to, name, m_beforeStep);
    return copyThenDrop(from, source, to, name, m_beforeStep);
}

void LocalFileManager::writeAtomically(
    const FolderHandle& folder, const QString& name, const QByteArray& data)
{
    const QByteArray target = component(name);
    // A temporary made there could be neither renamed into place nor removed again.
    if (refusesRenames(folder.descriptor()))
        fail(Text::tr("Couldn’t write the file “%1”: %2."), folder.pathOf(name), EPERM);
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

void LocalFileManager::removeEmptyFile(const FolderHandle& folder, const QString& name)
{
    const QByteArray bytes = component(name);
    struct stat info;
    if (::fstatat(folder.descriptor(), bytes.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        fail(Text::tr("Couldn’t remove the file “%1”: %2."), folder.pathOf(name), errno);
    if (!S_ISREG(info.st_mode) || info.st_size != 0)
        throw OperationError(Text::tr("“%1” is not an empty file.").arg(folder.pathOf(name)));
    if (::unlinkat(folder.descriptor(), bytes.constData(), 0) != 0)
        fail(Text::tr("Couldn’t remove the file “%1”: %2."), folder.pathOf(name), errno);
}

std::optional<FolderLock> LocalFileManager::tryLock(const FolderHandle& folder)
{
    return lockFolder(folder, false);
}

FolderLock LocalFileManager::lock(const FolderHandle& folder)
{
    return *lockFolder(folder, true);
}

std::optional<FolderLock> LocalFileManager::lockFolder(const FolderHandle& folder, bool wait)
{
    // A description of its own: a lock belongs to the open description, and a duplicate of the
    // caller's handle would share it.
    const int fd = ::openat(folder.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fail(Text::tr("Couldn’t open the folder “%1”: %2."), folder.path(), errno);
    FolderHandle held(fd, folder.path());
    for (;;) {
        if (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) == 0)
            return FolderLock(std::move(held));
        if (errno == EWOULDBLOCK && !wait)
            return std::nullopt;
        if (errno != EINTR)
            break;
    }
    // A file system that keeps no locks (ENOLCK, EOPNOTSUPP) keeps nobody out; the work goes on
    // as it did before there was a lock.
    return FolderLock(std::move(held));
}
