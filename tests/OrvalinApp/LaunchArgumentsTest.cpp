#include "LaunchArguments.h"

#include "TestSupport.h"

#include <QDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

TEST(LaunchArguments, OnlyHelpAndVersionAreAnsweredWithoutAWindowAndTheFolderIsMadeAbsolute)
{
    // The program's own name and folders after "--" are never options.
    const QList<std::pair<QStringList, bool>> cases { { { "orvalin" }, false },
        { { "orvalin", "--version" }, true }, { { "orvalin", "-v" }, true },
        { { "orvalin", "/photos", "--help" }, true }, { { "orvalin", "-h" }, true },
        { { "--help" }, false }, { { "orvalin", "--", "--help" }, false },
        { { "orvalin", "/photos/--version" }, false } };
    for (const auto& [arguments, answered] : cases)
        EXPECT_EQ(LaunchArguments::asksForText(arguments), answered)
            << arguments.join(u' ').toStdString();

    // The folder comes as a path or a file URL.
    TempFolder folder;
    const QString shoots = folder.makeFolder("Shoots 2026/Garden");
    EXPECT_FALSE(LaunchArguments::folder({}));
    for (const QString& given : { shoots, shoots + "/", QUrl::fromLocalFile(shoots).toString() })
        EXPECT_EQ(LaunchArguments::folder({ given }), shoots) << given.toStdString();
    EXPECT_EQ(LaunchArguments::folder({ "Garden" }), QDir::current().absoluteFilePath("Garden"));
}

} // namespace
