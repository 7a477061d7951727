#include "LocalFileManager.h"

#include "ShootFolder.h"

#include <algorithm>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

using Guarantee = LocalFileManager::MoveGuarantee;
using Step = LocalFileManager::MoveStep;
constexpr auto shared = FileManager::TargetFolder::shared;
constexpr auto ownOnly = FileManager::TargetFolder::ownOnly;

qint64 modified(const QString& path)
{
    return QFileInfo(path).lastModified().toMSecsSinceEpoch();
}

// A folder holding one of each kind of thing a name can stand for.
class LocalFileManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.write(u"a.jpg"_s, "a");
        folder.write(u"b/c.jpg"_s, "c");
        ASSERT_TRUE(QFile::link(outside.path(), folder.at(u"link"_s)));
        ASSERT_TRUE(QFile::link(folder.at(u"nowhere"_s), folder.at(u"dangling"_s)));
        ASSERT_TRUE(QFile::link(u"/dev/zero"_s, folder.at(u"zero"_s)));
        ASSERT_EQ(::mkfifo(QFile::encodeName(folder.at(u"fifo"_s)).constData(), 0600), 0);
    }

    TempFolder outside;
    TempFolder folder;
    LocalFileManager disk;
    const FolderHandle here = disk.openFolder(folder.path());
};

} // namespace

TEST_F(LocalFileManagerTest, MovesWithoutReplacingWhicheverWayTheDiskAllows)
{
    const struct
    {
        Guarantee presumed;
        FileManager::TargetFolder target;
        QList<Step> steps;
    } ways[] = { { Guarantee::exclusiveRename, shared, { Step::renameExclusively } },
        { Guarantee::hardLink, shared, { Step::link, Step::dropSource } },
        { Guarantee::hardLink, ownOnly, { Step::reserve, Step::renameOverReservation } },
        { Guarantee::reservation, shared,
            { Step::reserve, Step::copy, Step::sync, Step::dropSource } },
        { Guarantee::reservation, ownOnly, { Step::reserve, Step::renameOverReservation } } };
    const QString photo = folder.at(u"photo.jpg"_s);
    const QString target = folder.at(u"target.jpg"_s);
    for (const auto& way : ways) {
        SCOPED_TRACE(int(way.presumed) * 10 + int(way.target));
        LocalFileManager weaker;
        weaker.presume(way.presumed);
        folder.write(u"photo.jpg"_s, "photo");
        // A dangling link is something too, and so is a folder.
        for (const QString& taken : { u"a.jpg"_s, u"dangling"_s, u"b"_s })
            EXPECT_EQ(messageOf([&] {
                weaker.moveWithoutReplacing(here, u"photo.jpg"_s, here, taken, way.target);
            }),
                u"Couldn’t move “%1” to “%2”: File exists."_s.arg(photo, folder.at(taken)));
        EXPECT_EQ(readFile(folder.at(u"a.jpg"_s)), "a");

        // Into a folder others write to, another program may save at the name before any step:
        // its file stays, and so does the photo, under its own name and with its date, also
        // when the save lands just before the photo's own name is dropped.
        QFile(photo).setFileTime(ShootFolder::at(14, 3, 12), QFileDevice::FileModificationTime);
        const qint64 shot = modified(photo);
        for (const Step when : way.target == shared ? way.steps : QList<Step> {}) {
            SCOPED_TRACE(int(when));
            // Saved as editors do: a temporary file renamed over the name.
            const QString saving = folder.write(u"target.saving"_s, "theirs");
            weaker.beforeEachStep([&](Step step) {
                if (step == when)
                    ::rename(QFile::encodeName(saving).constData(),
                        QFile::encodeName(target).constData());
            });
            EXPECT_THROW(
                weaker.moveWithoutReplacing(here, u"photo.jpg"_s, here, u"target.jpg"_s, shared),
                OperationError);
            EXPECT_EQ(readFile(target), "theirs");
            EXPECT_EQ(readFile(photo), "photo");
            EXPECT_EQ(modified(photo), shot);
            QFile::remove(target);
        }

        QList<Step> taken;
        weaker.beforeEachStep([&](Step step) { taken.append(step); });
        weaker.moveWithoutReplacing(here, u"photo.jpg"_s, here, u"target.jpg"_s, way.target);
        EXPECT_EQ(taken, way.steps);
        EXPECT_EQ(readFile(target), "photo");
        // A copy keeps the photo's date.
        EXPECT_EQ(modified(target), shot);
        QFile::remove(target);
    }
}

TEST_F(LocalFileManagerTest, FinishesACutOffMoveOnlyWhereWhatStandsThereIsItsOwn)
{
    const QString from = folder.at(u"from.jpg"_s);
    const QString to = folder.at(u"to.jpg"_s);
    // What a cut-off move left at the target: bytes; else a hard link (the one case that is
    // finished), a symbolic link, or nothing.
    const struct
    {
        const char* left;
        std::optional<QByteArray> bytes;
        bool finished;
    } cases[] = { { "a hard link", std::nullopt, true }, { "an empty reservation", "", true },
        { "the first bytes", "pho", true }, { "all of them", "photo", true },
        { "other bytes", "phX", false }, { "more bytes", "photos", false },
        { "a symbolic link to it", std::nullopt, false }, { "nothing", std::nullopt, false } };
    for (const auto& cut : cases) {
        SCOPED_TRACE(cut.left);
        folder.write(u"from.jpg"_s, "photo");
        if (cut.bytes)
            folder.write(u"to.jpg"_s, *cut.bytes);
        else if (cut.finished)
            ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData());
        else if (QByteArray(cut.left) != "nothing")
            QFile::link(from, to);
        const QByteArray left = readFile(to);
        EXPECT_EQ(disk.completeMove(here, u"from.jpg"_s, here, u"to.jpg"_s), cut.finished);
        EXPECT_EQ(readFile(to), cut.finished ? QByteArray("photo") : left);
        EXPECT_EQ(QFileInfo::exists(from), !cut.finished);
        QFile::remove(to);
    }
}

TEST_F(LocalFileManagerTest, OpensFoldersOneNameAtATimeAndNeverThroughALink)
{
    // A folder given with a trailing slash names its children with one slash.
    EXPECT_EQ(disk.openChild(disk.openFolder(folder.path() + u'/'), u"b"_s).value().path(),
        folder.at(u"b"_s));
    const std::pair<QString, ItemKind> kinds[]
        = { { u"b"_s, ItemKind::folder }, { u"link"_s, ItemKind::link },
              { u"dangling"_s, ItemKind::link }, { u"a.jpg"_s, ItemKind::file },
              { u"fifo"_s, ItemKind::other }, { u"missing"_s, ItemKind::none } };
    for (const auto& [name, kind] : kinds) {
        EXPECT_EQ(disk.kindOf(here, name), kind) << name.toStdString();
        EXPECT_EQ(disk.openChild(here, name).has_value(), kind == ItemKind::folder)
            << name.toStdString();
    }
    // A name is one component, whole: nothing that leads elsewhere or is cut short.
    for (const QString& name : { u"b/c.jpg"_s, u".."_s, u"."_s, QString(),
             u"a"_s + QChar(0) + u"x"_s, QString(QChar(0xd800)) })
        EXPECT_THROW(disk.kindOf(here, name), OperationError) << name.toStdString();
}

TEST_F(LocalFileManagerTest, CreatesAndRemovesFoldersAndSaysWhyNot)
{
    // Folders made in folders and removed again are every move's and restore's work; here, the
    // failures.
    disk.createFolder(here, u"new"_s);
    EXPECT_EQ(messageOf([&] { disk.createFolder(here, u"new"_s); }),
        u"Couldn’t create the folder “%1”: File exists."_s.arg(folder.at(u"new"_s)));
    // Listing twice from the same handle sees everything twice.
    const QStringList all { "a.jpg", "b", "dangling", "fifo", "link", "new", "zero" };
    for (int time = 1; time <= 2; ++time)
        EXPECT_TRUE(std::ranges::is_permutation(disk.list(here), all)) << time;
    EXPECT_THROW(disk.removeEmptyFolder(here, u"missing"_s), OperationError);
}

TEST_F(LocalFileManagerTest, WritesAtomicallyAndReadsOnlyRegularFilesOfBoundedSize)
{
    const QString name = u"log.json"_s;
    // Writing over a log, leaving no temporary behind, is every move's and restore's work.
    disk.writeAtomically(here, name, "second");
    EXPECT_EQ(disk.read(here, name, 6), "second");
    EXPECT_EQ(
        QFile(folder.at(name)).permissions() & QFileDevice::ReadOther, QFileDevice::ReadOther);
    EXPECT_THROW(disk.read(here, u"missing.json"_s, 100), OperationError);
    EXPECT_EQ(messageOf([&] { disk.read(here, name, 5); }),
        u"Couldn’t read the file “%1”: File too large."_s.arg(folder.at(name)));
    // None of these may block, follow a link or read on and on.
    ASSERT_TRUE(QFile::link(folder.at(name), folder.at(u"log link"_s)));
    for (const QString& other : { u"fifo"_s, u"zero"_s, u"log link"_s, u"b"_s })
        EXPECT_EQ(messageOf([&] { disk.read(here, other, 5); }),
            u"“%1” is not a regular file."_s.arg(folder.at(other)));

    // A folder that takes no new names fails the write before it leaves a temporary file that
    // could never go again. Setting the flag needs root on a file system that has it.
    int flags = FS_APPEND_FL;
    if (::ioctl(here.descriptor(), FS_IOC_SETFLAGS, &flags) != 0)
        GTEST_SKIP() << "append-only folders need root";
    EXPECT_EQ(messageOf([&] { disk.writeAtomically(here, name, "third"); }),
        u"Couldn’t write the file “%1”: Operation not permitted."_s.arg(folder.at(name)));
    flags = 0;
    ::ioctl(here.descriptor(), FS_IOC_SETFLAGS, &flags);
    EXPECT_TRUE(disk.list(here).filter(u".tmp"_s).isEmpty());
    EXPECT_EQ(readFile(folder.at(name)), "second");
}
