#include "LeftoverTemporaries.h"

#include <QList>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LeftoverTemporaries {

bool isTemporaryOf(const char* entry, const QByteArray& name)
{
    const size_t length = std::strlen(entry);
    const size_t prefix = size_t(name.size()) + 2;
    constexpr size_t suffix = 4;
    if (length <= prefix + suffix || entry[0] != '.'
        || std::memcmp(entry + 1, name.constData(), size_t(name.size())) != 0
        || entry[prefix - 1] != '.' || std::memcmp(entry + length - suffix, ".tmp", suffix) != 0)
        return false;
    for (size_t i = prefix; i < length - suffix; ++i) {
        const char c = entry[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

void clear(int folder, const QByteArray& name)
{
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return;
    }
    // Removed after the listing: what readdir returns for a folder changed under it is not
    // defined.
    QList<QByteArray> found;
    while (const dirent* entry = ::readdir(dir)) {
        if (isTemporaryOf(entry->d_name, name))
            found.append(QByteArray(entry->d_name));
    }
    ::closedir(dir);
    for (const QByteArray& temporary : found) {
        struct stat info;
        if (::fstatat(folder, temporary.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(info.st_mode))
            ::unlinkat(folder, temporary.constData(), 0);
    }
}

} // namespace LeftoverTemporaries
