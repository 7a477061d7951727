#pragma once

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A large tree of empty or sparse files named as cameras name them: camera pairs, lone halves
// and sidecars, in the proportions of a culled shoot. Top folders of shoots, each with its cards.
namespace ShootTree {

inline void writeFolder(const QByteArray& folder, int files, int seed)
{
    static const char* const patterns[] = { "IMG_%04d.CR3", "IMG_%04d.JPG", "IMG_%04d.CR3",
        "IMG_%04d.JPG", "DSC_%04d.NEF", "DSC_%04d.NEF.xmp", "IMG_%04d.HEIC", "IMG_%04d.xmp",
        "_MG_%04d.CR2", "IMG_%04d.CR3.dop" };
    ::mkdir(folder.constData(), 0755);
    char name[64];
    for (int i = 0; i < files; ++i) {
        std::snprintf(name, sizeof name, patterns[i % 10], i / 2);
        const QByteArray path = folder + '/' + name;
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd < 0) {
            std::perror(path.constData());
            std::exit(1);
        }
        // Sparse sizes: the walk reports them without any data on disk.
        if ((i + seed) % 3 == 0 && ::ftruncate(fd, off_t(1 + (i * 7919 + seed) % 30'000'000)) != 0)
            std::perror("ftruncate");
        ::close(fd);
    }
}

// root/<year>-<month> Shoot <n>/ and its "Card <m>" subfolders; `root` must exist.
inline void write(const QByteArray& root, int topFolders, int subfoldersEach, int filesPerFolder)
{
    std::printf("writing %d files in %d folders to %s ...\n",
        topFolders * (1 + subfoldersEach) * filesPerFolder, topFolders * (1 + subfoldersEach),
        root.constData());
    std::fflush(stdout);
    for (int top = 0; top < topFolders; ++top) {
        const QByteArray shoot = root + '/' + QByteArray::number(2000 + top / 12) + '-'
            + QByteArray::number(1 + top % 12) + " Shoot " + QByteArray::number(top);
        writeFolder(shoot, filesPerFolder, top);
        for (int sub = 0; sub < subfoldersEach; ++sub)
            writeFolder(shoot + "/Card " + QByteArray::number(sub), filesPerFolder, top * 31 + sub);
    }
}

} // namespace ShootTree
