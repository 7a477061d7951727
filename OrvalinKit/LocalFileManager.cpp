#include "LocalFileManager.h"

#include "LeftoverTemporaries.h"
#include "OperationError.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
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

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// `sentence` is translated where it is written, so that the translation update sees it.
[[noreturn]] void fail(const QString& sentence, const QString& path, int error)
{
    throw OperationError(sentence.arg(path, reason(error)));
}

QString parentOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool isFolder(const QByteArray& path, bool followLink)
{
    struct stat info;
    const int result
        = followLink ? ::stat(path.constData(), &info) : ::lstat(path.constData(), &info);
    return result == 0 && S_ISDIR(info.st_mode);
}

// 0 or the errno of a rename that refuses to replace anything at `to`.
int renameExclusive(const QByteArray& from, const QByteArray& to)
{
#if defined(__APPLE__)
    return ::renamex_np(from.constData(), to.constData(), RENAME_EXCL) == 0 ? 0 : errno;
#elif defined(__linux__) && defined(RENAME_NOREPLACE)
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0
        ? 0
        : errno;
#elif defined(__linux__) && defined(SYS_renameat2)
    constexpr unsigned noReplace = 1;
    return ::syscall(SYS_renameat2, AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), noReplace)
            == 0
        ? 0
        : errno;
#else
    (void)from;
    (void)to;
    return ENOSYS;
#endif
}

bool lacksExclusiveRename(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

// For file systems without an exclusive rename: a hard link fails with EEXIST rather than
// replacing, and only once the second name exists is the first one dropped.
int linkThenUnlink(const QByteArray& from, const QByteArray& to, int renameError)
{
    struct stat info;
    if (::lstat(from.constData(), &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return renameError;
    // Without AT_SYMLINK_FOLLOW a link is linked as itself, as a rename would move it.
    if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), 0) != 0)
        return errno;
    if (::unlink(from.constData()) != 0) {
        const int error = errno;
        // Both names point at the same data, so dropping the new one loses nothing.
        ::unlink(to.constData());
        return error;
    }
    return 0;
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

// A new file beside `path` that nobody else can have opened; its mode follows the umask.
int createTemporary(const QString& path, QByteArray& temporary)
{
    const QString folder = parentOf(path);
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate(), 36);
        temporary
            = native(folder + QStringLiteral("/.") + name + u'.' + suffix + QStringLiteral(".tmp"));
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Temporaries of earlier writes of `path` that a kill left behind.
void clearLeftovers(const QString& path)
{
    const int folder
        = ::open(native(parentOf(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    LeftoverTemporaries::clear(folder, native(path.mid(path.lastIndexOf(u'/') + 1)));
    ::close(folder);
}

void syncFolder(const QString& folder)
{
    // Makes the rename itself durable; file systems that cannot sync a folder lose nothing more.
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool LocalFileManager::exists(const QString& path) const
{
    struct stat info;
    return ::lstat(native(path).constData(), &info) == 0;
}

bool LocalFileManager::passesThroughLink(const QString& base, const QString& relativePath) const
{
    const QStringList components = relativePath.split(u'/');
    QString folder = base;
    for (qsizetype i = 0; i + 1 < components.size(); ++i) {
        const QString& component = components.at(i);
        if (component.isEmpty() || component == u"." || component == u"..")
            return true;
        folder += u'/' + component;
        if (!isFolder(native(folder), false))
            return true;
    }
    return false;
}

void LocalFileManager::createFolders(const QString& path)
{
    if (isFolder(native(path), true))
        return;
    qsizetype end = path.startsWith(u'/') ? 1 : 0;
    while (end >= 0) {
        end = path.indexOf(u'/', end + 1);
        const QByteArray prefix = native(end < 0 ? path : path.left(end));
        if (prefix.isEmpty() || ::mkdir(prefix.constData(), 0777) == 0)
            continue;
        const int error = errno;
        if (error != EEXIST)
            fail(tr("Couldn’t create the folder “%1”: %2."), path, error);
        // Like mkdir -p: an existing folder, or a link to one, is fine; anything else is in the
        // way.
        if (!isFolder(prefix, true))
            fail(tr("Couldn’t create the folder “%1”: %2."), path, ENOTDIR);
    }
}

void LocalFileManager::createFolder(const QString& path)
{
    if (::mkdir(native(path).constData(), 0777) != 0) {
        const int error = errno;
        fail(tr("Couldn’t create the folder “%1”: %2."), path, error);
    }
}

void LocalFileManager::moveWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = native(from);
    const QByteArray target = native(to);
    int error = renameExclusive(source, target);
    if (error != 0 && lacksExclusiveRename(error))
        error = linkThenUnlink(source, target, error);
    if (error != 0)
        throw OperationError(tr("Couldn’t move “%1” to “%2”: %3.").arg(from, to, reason(error)));
}

void LocalFileManager::writeAtomically(const QString& path, const QByteArray& data)
{
    clearLeftovers(path);
    QByteArray temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0) {
        const int error = errno;
        fail(tr("Couldn’t write the file “%1”: %2."), path, error);
    }
    int error = writeAll(fd, data);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), native(path).constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        fail(tr("Couldn’t write the file “%1”: %2."), path, error);
    }
    syncFolder(parentOf(path));
}

QByteArray LocalFileManager::read(const QString& path) const
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        fail(tr("Couldn’t read the file “%1”: %2."), path, error);
    }
    QByteArray data;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            fail(tr("Couldn’t read the file “%1”: %2."), path, error);
        }
        data.append(buffer, count);
    }
    ::close(fd);
    return data;
}

QStringList LocalFileManager::list(const QString& folder) const
{
    DIR* dir = ::opendir(native(folder).constData());
    if (!dir) {
        const int error = errno;
        fail(tr("Couldn’t list the folder “%1”: %2."), folder, error);
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
        fail(tr("Couldn’t list the folder “%1”: %2."), folder, error);
    return names;
}

void LocalFileManager::removeEmptyFolder(const QString& path)
{
    if (::rmdir(native(path).constData()) != 0) {
        const int error = errno;
        fail(tr("Couldn’t remove the folder “%1”: %2."), path, error);
    }
}
