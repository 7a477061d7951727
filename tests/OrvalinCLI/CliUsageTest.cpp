#include "CliRunner.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(CliUsage, MistakesExitWithTwoAndTheUsage)
{
    TempFolder folder;
    const QString file = folder.write(QStringLiteral("a.jpg"), "x");
    const QList<QStringList> mistakes {
        {},
        { QStringLiteral("frobnicate") },
        { QStringLiteral("scan") },
        { QStringLiteral("scan"), QStringLiteral("--bogus"), folder.path() },
        { QStringLiteral("scan"), file },
        { QStringLiteral("scan"), folder.at(QStringLiteral("missing")) },
        { QStringLiteral("scan"), folder.path(), folder.path() },
        { QStringLiteral("scan"), QStringLiteral("--trim-heic"), QStringLiteral("--no-trim-heic"),
            folder.path() },
        { QStringLiteral("move"), folder.path() },
        { QStringLiteral("move"), QStringLiteral("--tick"), QStringLiteral("everything"),
            folder.path() },
        { QStringLiteral("restore"), folder.path() },
        { QStringLiteral("stamps") },
    };
    for (const QStringList& arguments : mistakes) {
        const CliRun run = runCliInProcess(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(u"usage: orvalin-cli")) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(u' ').toStdString();
    }
}

TEST(CliUsage, HelpGoesToStandardOutput)
{
    for (const QString& help : { QStringLiteral("--help"), QStringLiteral("help") }) {
        const CliRun run = runCliInProcess({ help });
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.contains(u"--match-capture-time"));
        EXPECT_TRUE(run.out.contains(u"--known-tool-names"));
    }
}

TEST(CliUsage, SampleNeverWritesIntoAFolderWithFiles)
{
    TempFolder folder;
    const QByteArray precious("the only copy");
    folder.write(QStringLiteral("IMG_0001.CR3"), precious);
    const CliRun run = runCliInProcess({ QStringLiteral("sample"), folder.path() });
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(u"not empty"));
    EXPECT_EQ(readFile(folder.at(QStringLiteral("IMG_0001.CR3"))), precious);

    TempFolder hiddenOnly;
    hiddenOnly.write(QStringLiteral(".keep"));
    EXPECT_EQ(runCliInProcess({ QStringLiteral("sample"), hiddenOnly.path() }).exitCode, 2);
}
