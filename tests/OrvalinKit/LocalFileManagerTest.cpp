#include "LocalFileManager.h"

#include "OperationError.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const OperationError& error) {
        return error.message();
    }
    return QStringLiteral("no error");
}

} // namespace

TEST(LocalFileManager, MovesWithoutEverReplacing)
{
    TempFolder folder;
    const QString from = folder.write(QStringLiteral("a.jpg"), "a");
    const QString to = folder.write(QStringLiteral("b.jpg"), "b");
    LocalFileManager disk;

    EXPECT_EQ(messageOf([&] { disk.moveWithoutReplacing(from, to); }),
        QStringLiteral("Couldn’t move “%1” to “%2”: File exists.").arg(from, to));
    EXPECT_EQ(readFile(from), "a");
    EXPECT_EQ(readFile(to), "b");

    // A dangling link is something too.
    const QString link = folder.at(QStringLiteral("link.jpg"));
    ASSERT_TRUE(QFile::link(folder.at(QStringLiteral("nowhere")), link));
    EXPECT_TRUE(disk.exists(link));
    EXPECT_THROW(disk.moveWithoutReplacing(from, link), OperationError);
    EXPECT_EQ(readFile(from), "a");

    const QString free = folder.at(QStringLiteral("c.jpg"));
    disk.moveWithoutReplacing(from, free);
    EXPECT_FALSE(disk.exists(from));
    EXPECT_EQ(readFile(free), "a");
}

TEST(LocalFileManager, CreatesFoldersAndSaysWhyNot)
{
    TempFolder folder;
    LocalFileManager disk;
    const QString deep = folder.at(QStringLiteral("a/b/c"));
    disk.createFolders(deep);
    disk.createFolders(deep);
    EXPECT_TRUE(QFileInfo(deep).isDir());

    const QString file = folder.write(QStringLiteral("file"), "x");
    const QString blocked = file + QStringLiteral("/d");
    EXPECT_EQ(messageOf([&] { disk.createFolders(blocked); }),
        QStringLiteral("Couldn’t create the folder “%1”: Not a directory.").arg(blocked));

    EXPECT_EQ(messageOf([&] { disk.createFolder(deep); }),
        QStringLiteral("Couldn’t create the folder “%1”: File exists.").arg(deep));
}

TEST(LocalFileManager, WritesAtomicallyAndLeavesNothingBehind)
{
    TempFolder folder;
    LocalFileManager disk;
    const QString path = folder.at(QStringLiteral("log.json"));
    disk.writeAtomically(path, "first");
    disk.writeAtomically(path, "second");
    EXPECT_EQ(disk.read(path), "second");
    EXPECT_EQ(disk.list(folder.path()), QStringList({ "log.json" }));
    EXPECT_EQ(QFile(path).permissions() & QFileDevice::ReadOther, QFileDevice::ReadOther);

    EXPECT_THROW(
        disk.writeAtomically(folder.at(QStringLiteral("missing/log.json")), "x"), OperationError);
    EXPECT_THROW(disk.read(folder.at(QStringLiteral("missing.json"))), OperationError);
}

TEST(LocalFileManager, TellsWhetherAPathPassesThroughALink)
{
    TempFolder outside;
    TempFolder folder;
    folder.write(QStringLiteral("a/b/c.jpg"));
    folder.write(QStringLiteral("file"));
    ASSERT_TRUE(QFile::link(outside.path(), folder.at(QStringLiteral("a/link"))));
    LocalFileManager disk;

    EXPECT_FALSE(disk.passesThroughLink(folder.path(), QStringLiteral("a/b/c.jpg")));
    // The last component is the caller's business.
    EXPECT_FALSE(disk.passesThroughLink(folder.path(), QStringLiteral("a/link")));
    EXPECT_TRUE(disk.passesThroughLink(folder.path(), QStringLiteral("a/link/c.jpg")));
    EXPECT_TRUE(disk.passesThroughLink(folder.path(), QStringLiteral("a/missing/c.jpg")));
    EXPECT_TRUE(disk.passesThroughLink(folder.path(), QStringLiteral("file/c.jpg")));
    EXPECT_TRUE(disk.passesThroughLink(folder.path(), QStringLiteral("a/../a/b/c.jpg")));
}
