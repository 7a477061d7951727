#include "LocalFileManager.h"

#include "Mover.h"
#include "OperationError.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QString messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const OperationError& error) {
        return error.message();
    }
    return u"no error"_s;
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

TEST_F(LocalFileManagerTest, MovesWithoutEverReplacing)
{
    const QString a = u"a.jpg"_s;
    const QString c = folder.write(u"c.jpg"_s, "c");
    EXPECT_EQ(messageOf([&] { disk.moveWithoutReplacing(here, a, here, u"c.jpg"_s); }),
        u"Couldn’t move “%1” to “%2”: File exists."_s.arg(folder.at(a), c));
    // A dangling link is something too, and so is a folder.
    for (const QString& taken : { u"dangling"_s, u"b"_s })
        EXPECT_THROW(disk.moveWithoutReplacing(here, a, here, taken), OperationError);
    EXPECT_EQ(readFile(folder.at(a)), "a");
    EXPECT_EQ(readFile(c), "c");

    disk.moveWithoutReplacing(here, a, here, u"moved.jpg"_s);
    EXPECT_EQ(disk.kindOf(here, a), ItemKind::none);
    EXPECT_EQ(readFile(folder.at(u"moved.jpg"_s)), "a");
    EXPECT_EQ(disk.guaranteeFor(here), LocalFileManager::MoveGuarantee::exclusiveRename);
}

TEST_F(LocalFileManagerTest, OpensFoldersOneNameAtATimeAndNeverThroughALink)
{
    const FolderHandle slashed = disk.openFolder(folder.path() + u'/');
    EXPECT_EQ(slashed.path(), folder.path() + u'/');
    const std::optional<FolderHandle> b = disk.openChild(slashed, u"b"_s);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->path(), folder.at(u"b"_s));
    const std::pair<const char*, ItemKind> kinds[] = { { "b", ItemKind::folder },
        { "link", ItemKind::link }, { "dangling", ItemKind::link }, { "a.jpg", ItemKind::file },
        { "fifo", ItemKind::other }, { "missing", ItemKind::none } };
    for (const auto& [name, kind] : kinds) {
        EXPECT_EQ(disk.kindOf(here, QString::fromUtf8(name)), kind) << name;
        EXPECT_EQ(
            disk.openChild(here, QString::fromUtf8(name)).has_value(), kind == ItemKind::folder)
            << name;
    }
    // A name is one component, whole: nothing that leads elsewhere or is cut short.
    for (const QString& name : { u"b/c.jpg"_s, u".."_s, u"."_s, QString(),
             u"a"_s + QChar(0) + u"x"_s, QString(QChar(0xd800)) })
        EXPECT_THROW(disk.kindOf(here, name), OperationError) << name.toStdString();
}

TEST_F(LocalFileManagerTest, CreatesAndRemovesFoldersAndSaysWhyNot)
{
    const FolderHandle made = disk.createFolder(here, u"new"_s);
    disk.createFolder(made, u"inner"_s);
    EXPECT_TRUE(QFileInfo(folder.at(u"new/inner"_s)).isDir());
    EXPECT_EQ(messageOf([&] { disk.createFolder(here, u"new"_s); }),
        u"Couldn’t create the folder “%1”: File exists."_s.arg(folder.at(u"new"_s)));
    // Listing twice from the same handle sees everything twice.
    const QStringList all { "a.jpg", "b", "dangling", "fifo", "link", "new", "zero" };
    for (int time = 1; time <= 2; ++time) {
        QStringList listed = disk.list(here);
        listed.sort();
        EXPECT_EQ(listed, all) << time;
    }
    disk.removeEmptyFolder(made, u"inner"_s);
    EXPECT_FALSE(QFileInfo::exists(folder.at(u"new/inner"_s)));
    EXPECT_THROW(disk.removeEmptyFolder(here, u"missing"_s), OperationError);
}

TEST_F(LocalFileManagerTest, WritesAtomicallyAndReadsOnlyRegularFilesOfBoundedSize)
{
    const QString name = u"log.json"_s;
    disk.writeAtomically(here, name, "first");
    disk.writeAtomically(here, name, "second");
    EXPECT_EQ(disk.read(here, name, 6), "second");
    EXPECT_EQ(disk.list(here).filter(u"log"_s), QStringList({ "log.json" })) << "no temporary";
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
}
