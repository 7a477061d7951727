#include "LaunchArguments.h"

#include "TestSupport.h"

#include <QDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

TEST(LaunchArguments, OnlyHelpAndVersionAreAnsweredWithoutAWindow)
{
    const QList<std::pair<QStringList, bool>> cases {
        { { "orvalin" }, false },
        { { "orvalin", "--version" }, true },
        { { "orvalin", "-v" }, true },
        { { "orvalin", "/photos", "--help" }, true },
        { { "orvalin", "-h" }, true },
        // The program's own name and folders after "--" are never options.
        { { "--help" }, false },
        { { "orvalin", "--", "--help" }, false },
        { { "orvalin", "/photos/--version" }, false },
    };
    for (const auto& [arguments, answered] : cases)
        EXPECT_EQ(LaunchArguments::asksForText(arguments), answered)
            << arguments.join(u' ').toStdString();
}

TEST(LaunchArguments, TheFolderComesAsAPathOrAFileUrlAndIsMadeAbsolute)
{
    TempFolder folder;
    const QString shoots = folder.makeFolder(QStringLiteral("Shoots 2026/Garden"));
    EXPECT_FALSE(LaunchArguments::folder({}));
    EXPECT_EQ(LaunchArguments::folder({ shoots }), shoots);
    EXPECT_EQ(LaunchArguments::folder({ shoots + QStringLiteral("/") }), shoots);
    EXPECT_EQ(LaunchArguments::folder({ QUrl::fromLocalFile(shoots).toString() }), shoots);
    EXPECT_EQ(LaunchArguments::folder({ QStringLiteral("Garden") }),
        QDir::current().absoluteFilePath(QStringLiteral("Garden")));
}

} // namespace
