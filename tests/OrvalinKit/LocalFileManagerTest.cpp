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
    folder.write(QStringLiteral("a.jpg"), "a");
    folder.write(QStringLiteral("b.jpg"), "b");
    LocalFileManager disk;
    const FolderHandle here = disk.openFolder(folder.path());
    const QString a = QStringLiteral("a.jpg");

    EXPECT_EQ(messageOf([&] { disk.moveWithoutReplacing(here, a, here, QStringLiteral("b.jpg")); }),
        QStringLiteral("Couldn’t move “%1” to “%2”: File exists.")
            .arg(folder.at(a), folder.at(QStringLiteral("b.jpg"))));
    EXPECT_EQ(readFile(folder.at(a)), "a");
    EXPECT_EQ(readFile(folder.at(QStringLiteral("b.jpg"))), "b");

    // A dangling link is something too.
    ASSERT_TRUE(QFile::link(folder.at(QStringLiteral("nowhere")), folder.at(QStringLiteral("l"))));
    EXPECT_EQ(disk.kindOf(here, QStringLiteral("l")), ItemKind::link);
    EXPECT_THROW(disk.moveWithoutReplacing(here, a, here, QStringLiteral("l")), OperationError);
    EXPECT_EQ(readFile(folder.at(a)), "a");

    disk.moveWithoutReplacing(here, a, here, QStringLiteral("c.jpg"));
    EXPECT_EQ(disk.kindOf(here, a), ItemKind::none);
    EXPECT_EQ(readFile(folder.at(QStringLiteral("c.jpg"))), "a");
    EXPECT_EQ(disk.guaranteeFor(here), LocalFileManager::MoveGuarantee::exclusiveRename);
}

TEST(LocalFileManager, OpensFoldersOneNameAtATimeAndNeverThroughALink)
{
    TempFolder outside;
    TempFolder folder;
    folder.write(QStringLiteral("a/b/c.jpg"));
    folder.write(QStringLiteral("file"));
    ASSERT_TRUE(QFile::link(outside.path(), folder.at(QStringLiteral("link"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.at(QStringLiteral("fifo"))).constData(), 0600), 0);
    LocalFileManager disk;
    const FolderHandle here = disk.openFolder(folder.path() + u'/');
    EXPECT_EQ(here.path(), folder.path() + u'/');

    const std::optional<FolderHandle> a = disk.openChild(here, QStringLiteral("a"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->path(), folder.at(QStringLiteral("a")));
    for (const char* name : { "link", "file", "fifo", "missing" })
        EXPECT_FALSE(disk.openChild(here, QString::fromUtf8(name))) << name;
    const QList<std::pair<const char*, ItemKind>> kinds { { "a", ItemKind::folder },
        { "link", ItemKind::link }, { "file", ItemKind::file }, { "fifo", ItemKind::other },
        { "missing", ItemKind::none } };
    for (const auto& [name, kind] : kinds)
        EXPECT_EQ(disk.kindOf(here, QString::fromUtf8(name)), kind) << name;

    // A name is one component, whole: nothing that leads elsewhere or is cut short.
    for (const QString& name : { QStringLiteral("a/b"), QStringLiteral(".."), QStringLiteral("."),
             QString(), QStringLiteral("a") + QChar(0) + QStringLiteral("x"),
             QString(QChar(0xd800)) })
        EXPECT_THROW(disk.kindOf(here, name), OperationError) << name.toStdString();
}

TEST(LocalFileManager, CreatesFoldersAndSaysWhyNot)
{
    TempFolder folder;
    LocalFileManager disk;
    const FolderHandle here = disk.openFolder(folder.path());
    const FolderHandle made = disk.createFolder(here, QStringLiteral("new"));
    disk.createFolder(made, QStringLiteral("inner"));
    EXPECT_TRUE(QFileInfo(folder.at(QStringLiteral("new/inner"))).isDir());
    EXPECT_EQ(messageOf([&] { disk.createFolder(here, QStringLiteral("new")); }),
        QStringLiteral("Couldn’t create the folder “%1”: File exists.")
            .arg(folder.at(QStringLiteral("new"))));
    EXPECT_EQ(disk.list(here), QStringList({ "new" }));
    // Listing twice from the same handle sees everything twice.
    EXPECT_EQ(disk.list(here), QStringList({ "new" }));

    disk.removeEmptyFolder(made, QStringLiteral("inner"));
    EXPECT_THROW(disk.removeEmptyFolder(here, QStringLiteral("missing")), OperationError);
}

TEST(LocalFileManager, WritesAtomicallyAndLeavesNothingBehind)
{
    TempFolder folder;
    LocalFileManager disk;
    const FolderHandle here = disk.openFolder(folder.path());
    const QString name = QStringLiteral("log.json");
    disk.writeAtomically(here, name, "first");
    disk.writeAtomically(here, name, "second");
    EXPECT_EQ(disk.read(here, name, 100), "second");
    EXPECT_EQ(disk.list(here), QStringList({ "log.json" }));
    EXPECT_EQ(QFile(folder.at(name)).permissions() & QFileDevice::ReadOther,
        QFileDevice::ReadOther);
    EXPECT_THROW(disk.read(here, QStringLiteral("missing.json"), 100), OperationError);
}

TEST(LocalFileManager, ReadsOnlyRegularFilesOfBoundedSize)
{
    TempFolder folder;
    folder.write(QStringLiteral("small"), "12345");
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.at(QStringLiteral("fifo"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), folder.at(QStringLiteral("zero"))));
    ASSERT_TRUE(QFile::link(folder.at(QStringLiteral("small")), folder.at(QStringLiteral("link"))));
    folder.makeFolder(QStringLiteral("folder"));
    LocalFileManager disk;
    const FolderHandle here = disk.openFolder(folder.path());

    EXPECT_EQ(disk.read(here, QStringLiteral("small"), 5), "12345");
    // None of these may block, follow a link or read on and on.
    for (const char* name : { "fifo", "zero", "link", "folder" })
        EXPECT_EQ(messageOf([&] { disk.read(here, QString::fromUtf8(name), 5); }),
            QStringLiteral("“%1” is not a regular file.").arg(folder.at(QString::fromUtf8(name))));
    EXPECT_EQ(messageOf([&] { disk.read(here, QStringLiteral("small"), 4); }),
        QStringLiteral("Couldn’t read the file “%1”: File too large.")
            .arg(folder.at(QStringLiteral("small"))));
}
