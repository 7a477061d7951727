// Moves and restores on exFAT mounted through FUSE, a file system with neither an exclusive
// rename nor hard links, as on many external drives. Needs root and /dev/fuse; skipped without.
#include "LocalFileManager.h"
#include "OperationError.h"
#include "ShootFolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

bool runs(const QString& program, const QStringList& arguments, QString* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool done = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return done;
}

// A 64 MB exFAT image on a loop device, mounted with exfat-fuse; always unmounted and detached
// again, whatever the test did.
class ExfatMount
{
public:
    ExfatMount()
    {
        if (::geteuid() != 0 || !QFile::exists(QStringLiteral("/dev/fuse"))) {
            m_skip = "needs root and /dev/fuse";
            return;
        }
        for (const char* tool : { "mkfs.exfat", "mount.exfat-fuse", "losetup" }) {
            if (QStandardPaths::findExecutable(QString::fromUtf8(tool), { "/usr/sbin", "/sbin" })
                    .isEmpty()
                && QStandardPaths::findExecutable(QString::fromUtf8(tool)).isEmpty()) {
                m_skip = std::string("needs ") + tool + " (packages exfat-fuse, exfatprogs)";
                return;
            }
        }
        const QString image = m_dir.filePath(QStringLiteral("exfat.img"));
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(64) << 20)) {
            m_skip = "cannot make the image";
            return;
        }
        file.close();
        QDir().mkpath(path());
        if (!runs(QStringLiteral("mkfs.exfat"), { image })
            || !runs(QStringLiteral("losetup"), { "-f", "--show", image }, &m_loop)
            || m_loop.isEmpty()) {
            m_skip = "no loop device";
            return;
        }
        if (!runs(QStringLiteral("mount.exfat-fuse"), { m_loop, path() })) {
            m_skip = "exfat-fuse cannot mount here";
            return;
        }
        m_mounted = true;
    }

    ~ExfatMount()
    {
        if (m_mounted)
            runs(QStringLiteral("umount"), { path() });
        if (!m_loop.isEmpty())
            runs(QStringLiteral("losetup"), { "-d", m_loop });
    }

    const std::string& skipReason() const { return m_skip; }
    QString path() const { return m_dir.filePath(QStringLiteral("mount")); }

private:
    QTemporaryDir m_dir;
    QString m_loop;
    bool m_mounted = false;
    std::string m_skip;
};

} // namespace

TEST(Exfat, MovesAndRestoresWithoutEverReplacing)
{
    const ExfatMount mount;
    if (!mount.skipReason().empty())
        GTEST_SKIP() << mount.skipReason();
    const QString root = mount.path() + QStringLiteral("/Shoot");
    const QStringList paths { "A/IMG_1.JPG", "A/IMG_2.JPG", "B/IMG_3.CR3" };
    for (const QString& path : paths)
        writeFile(root + u'/' + path, path.toUtf8());

    LocalFileManager disk;
    const MoveOutcome moved = Mover::move(ShootFolder::plan(paths), root,
        ShootFolder::reviewName(), QStringLiteral("Orvalin"), ShootFolder::at(14, 3, 12),
        LogWording::english(), disk);
    EXPECT_EQ(moved.moved(), 3);
    const FolderHandle session = disk.openFolder(moved.session);
    EXPECT_EQ(disk.guaranteeFor(session), LocalFileManager::MoveGuarantee::reservation);

    // The reservation never takes the place of a file that is there.
    const std::optional<FolderHandle> a = disk.openChild(session, QStringLiteral("A"));
    ASSERT_TRUE(a);
    EXPECT_THROW(disk.moveWithoutReplacing(
                     *a, QStringLiteral("IMG_1.JPG"), *a, QStringLiteral("IMG_2.JPG")),
        OperationError);
    EXPECT_EQ(readFile(moved.session + QStringLiteral("/A/IMG_1.JPG")), "A/IMG_1.JPG");
    EXPECT_EQ(readFile(moved.session + QStringLiteral("/A/IMG_2.JPG")), "A/IMG_2.JPG");

    // One place taken again: that file stays in the session, the others go home.
    writeFile(root + QStringLiteral("/A/IMG_1.JPG"), "a new one");
    const RestoreOutcome restored = Mover::restore(
        moved.session, LogWording::english(), ShootFolder::at(15, 0, 0), disk);
    EXPECT_EQ(restored, (RestoreOutcome { 2, { QStringLiteral("A/IMG_1.JPG") }, {} }));
    EXPECT_EQ(readFile(root + QStringLiteral("/A/IMG_1.JPG")), "a new one");
    EXPECT_EQ(readFile(moved.session + QStringLiteral("/A/IMG_1.JPG")), "A/IMG_1.JPG");
    EXPECT_EQ(readFile(root + QStringLiteral("/A/IMG_2.JPG")), "A/IMG_2.JPG");
    EXPECT_EQ(readFile(root + QStringLiteral("/B/IMG_3.CR3")), "B/IMG_3.CR3");
    // No reservation is left behind.
    EXPECT_EQ(QDir(moved.session + QStringLiteral("/A")).entryList(QDir::Files | QDir::Hidden),
        QStringList({ "IMG_1.JPG" }));
}
