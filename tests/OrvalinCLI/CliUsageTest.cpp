#include "Cli.h"
#include "CliRunner.h"
#include "TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
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

TEST(CliUsage, VersionAndEveryCommandsHelpGoToStandardOutput)
{
    const CliRun version = runCliInProcess({ QStringLiteral("--version") });
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^orvalin-cli \\d+\\.\\d+\\.\\d+\\n$"))
                    .match(version.out)
                    .hasMatch())
        << version.out.toStdString();

    const QString usage = runCliInProcess({ QStringLiteral("--help") }).out;
    for (const Cli::DescribedCommand& command : Cli::describedCommands()) {
        EXPECT_TRUE(usage.contains(QStringLiteral("  ") + command.help.synopsis + u'\n'))
            << command.name.toStdString();
        // Asked for anywhere, even beside a mistake, help wins and nothing runs.
        for (const QStringList& arguments : { QStringList { QStringLiteral("--help") },
                 QStringList { QStringLiteral("--bogus"), QStringLiteral("-h") } }) {
            const CliRun run = runCliInProcess(QStringList { command.name } + arguments);
            EXPECT_EQ(run.exitCode, 0) << command.name.toStdString();
            EXPECT_TRUE(
                run.out.startsWith(QStringLiteral("usage: orvalin-cli ") + command.help.synopsis))
                << run.out.toStdString();
            EXPECT_TRUE(run.out.contains(command.summary)) << command.name.toStdString();
            EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        }
    }
    const CliRun scan = runCliInProcess({ QStringLiteral("scan"), QStringLiteral("--help") });
    for (const char* flag : { "--json", "--match-capture-time", "--no-trim-heic", "--help" })
        EXPECT_TRUE(scan.out.contains(QLatin1String(flag))) << flag;
}

TEST(CliUsage, CompletionsNameEveryCommandAndFlagAndBashCompletesThem)
{
    for (const char* shell : { "bash", "zsh", "fish" }) {
        const CliRun run = runCliInProcess({ QStringLiteral("completions"), shell });
        ASSERT_EQ(run.exitCode, 0) << shell;
        for (const Cli::DescribedCommand& command : Cli::describedCommands()) {
            EXPECT_TRUE(run.out.contains(command.name)) << shell;
            for (const QCommandLineOption& option : command.help.options)
                EXPECT_TRUE(run.out.contains(option.names().last())) << shell;
        }
    }
    EXPECT_EQ(
        runCliInProcess({ QStringLiteral("completions"), QStringLiteral("tcsh") }).exitCode, 2);

    const QString bash = QStandardPaths::findExecutable(QStringLiteral("bash"));
    if (bash.isEmpty())
        GTEST_SKIP() << "no bash";
    TempFolder folder;
    const QString script = folder.write(QStringLiteral("orvalin-cli"),
        runCliInProcess({ QStringLiteral("completions"), QStringLiteral("bash") }).out.toUtf8());
    const QList<std::pair<QString, QString>> cases {
        { QStringLiteral("orvalin-cli re"), QStringLiteral("restore") },
        { QStringLiteral("orvalin-cli scan --match-c"), QStringLiteral("--match-capture-time") },
        { QStringLiteral("orvalin-cli move --dr"), QStringLiteral("--dry-run") },
        { QStringLiteral("orvalin-cli --ver"), QStringLiteral("--version") },
    };
    for (const auto& [line, expected] : cases) {
        QProcess shell;
        shell.start(bash,
            { QStringLiteral("-c"),
                QStringLiteral("source %1; COMP_WORDS=(%2); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                               "_orvalin_cli; printf '%s\\n' \"${COMPREPLY[@]}\"")
                    .arg(script, line) });
        ASSERT_TRUE(shell.waitForFinished(30000));
        EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()), expected + u'\n')
            << line.toStdString();
    }
}
