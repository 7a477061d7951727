// Moves and restores on exFAT mounted through FUSE, a file system with neither an exclusive
// rename nor hard links, as on many external drives. Needs root and /dev/fuse; skipped without.
#include "LocalFileManager.h"
#include "ShootFolder.h"

#include <QTemporaryDir>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A 64 MB exFAT image on a loop device, mounted with exfat-fuse; always unmounted and detached
// again, whatever the test did.
class ExfatMount
{
public:
    ExfatMount()
    {
        QFile image(m_dir.filePath(u"exfat.img"_s));
        m_mounted = ::geteuid() == 0 && QFile::exists(u"/dev/fuse"_s)
            && image.open(QIODevice::WriteOnly) && image.resize(qint64(64) << 20)
            && QDir().mkpath(path()) && runs(u"mkfs.exfat"_s, { image.fileName() })
            && runs(u"losetup"_s, { u"-f"_s, u"--show"_s, image.fileName() }, &m_loop)
            && runs(u"mount.exfat-fuse"_s, { m_loop, path() });
    }
    ~ExfatMount()
    {
        if (m_mounted)
            runs(u"umount"_s, { path() });
        if (!m_loop.isEmpty())
            runs(u"losetup"_s, { u"-d"_s, m_loop });
    }

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.filePath(u"mount"_s); }

private:
    QTemporaryDir m_dir;
    QString m_loop;
    bool m_mounted = false;
};

} // namespace

TEST(Exfat, MovesAndRestoresWithoutEverReplacing)
{
    const ExfatMount mount;
    if (!mount.mounted())
        GTEST_SKIP() << "needs root, /dev/fuse, a loop device, exfat-fuse and exfatprogs";
    const QString root = mount.path() + u"/Shoot"_s;
    const QStringList paths { "A/IMG_1.JPG", "A/IMG_2.JPG", "B/IMG_3.CR3" };
    for (const QString& path : paths)
        writeFile(root + u'/' + path, path.toUtf8());

    LocalFileManager disk;
    const MoveOutcome moved = Mover::move(ShootFolder::plan(paths), root, ShootFolder::reviewName(),
        u"Orvalin"_s, ShootFolder::at(14, 3, 12), LogWording::english(), disk);
    EXPECT_EQ(moved.moved(), 3);
    const FolderHandle session = disk.openFolder(moved.session);

    // Neither the reservation nor the copy ever takes the place of a file that is there.
    const std::optional<FolderHandle> a = disk.openChild(session, u"A"_s);
    ASSERT_TRUE(a);
    for (const auto target :
        { FileManager::TargetFolder::ownOnly, FileManager::TargetFolder::shared })
        EXPECT_THROW(disk.moveWithoutReplacing(*a, u"IMG_1.JPG"_s, *a, u"IMG_2.JPG"_s, target),
            OperationError);

    // One place taken again: that file stays in the session, the others go home.
    writeFile(root + u"/A/IMG_1.JPG"_s, "a new one");
    EXPECT_EQ(ShootFolder::restore(moved.session, disk),
        (RestoreOutcome { 2, { u"A/IMG_1.JPG"_s }, {}, {} }));
    // Found to have no hard links: the files went home as copies.
    EXPECT_EQ(disk.guaranteeFor(session), LocalFileManager::MoveGuarantee::reservation);
    EXPECT_EQ(readFile(root + u"/A/IMG_1.JPG"_s), "a new one");
    EXPECT_EQ(readFile(moved.session + u"/A/IMG_1.JPG"_s), "A/IMG_1.JPG");
    for (const QString& path : { u"A/IMG_2.JPG"_s, u"B/IMG_3.CR3"_s })
        EXPECT_EQ(readFile(root + u'/' + path), path.toUtf8());
    // No reservation is left behind.
    EXPECT_EQ(contentsOf(moved.session + u"/A"_s), QStringList({ "IMG_1.JPG" }));
}
