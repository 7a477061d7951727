#include "Cli.h"
#include "CliRunner.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

TEST(CliUsage, MistakesExitWithTwoAndThatCommandsUsageOnly)
{
    TempFolder folder;
    // %1 is a folder; the command's name, its usage line and the hint follow the message.
    for (const char* line : { "scan --bogus %1", "scan %1 %1", "scan --trim-heic --no-trim-heic %1",
             "move %1", "move --tick everything %1", "restore %1", "stamps", "completions tcsh" }) {
        SCOPED_TRACE(line);
        const CliRun run = runCliInProcess(words(line).replaceInStrings(u"%1"_s, folder.path()));
        EXPECT_EQ(run.exitCode, 2);
        const QRegularExpression threeLines(
            u"^orvalin-cli: .+\n"
            "usage: orvalin-cli %1 .+\n.*“orvalin-cli %1 --help”.*\n\\z"_s.arg(
                words(line).first()));
        EXPECT_TRUE(threeLines.match(run.err).hasMatch()) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const CliRun unknown = runCliInProcess({ u"frobnicate"_s });
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(u"Commands: sample, scan, stamps, move, sessions, restore"));
    const CliRun nothing = runCliInProcess({});
    EXPECT_EQ(nothing.exitCode, 2);
    EXPECT_TRUE(nothing.err.contains(u"Exit statuses:")) << "the whole usage when nothing is asked";
}

TEST(CliUsage, SampleNeverWritesIntoAFolderWithFiles)
{
    // Not even beside a hidden file alone.
    TempFolder folder;
    folder.write(u".keep"_s, "the only copy");
    const CliRun run = runCliInProcess({ u"sample"_s, folder.path() });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(u"not empty"));
}

TEST(CliUsage, VersionAndEveryCommandsHelpGoToStandardOutput)
{
    const CliRun version = runCliInProcess({ u"--version"_s });
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(
        QRegularExpression(u"^orvalin-cli \\d+\\.\\d+\\.\\d+\\n$"_s).match(version.out).hasMatch())
        << version.out.toStdString();

    for (const QString& help : { u"--help"_s, u"help"_s }) {
        const CliRun usage = runCliInProcess({ help });
        EXPECT_EQ(usage.exitCode, 0);
        for (const char* text : { "--match-capture-time", "--known-tool-names", "0    all done",
                 "4    done in part", "130  interrupted" })
            EXPECT_TRUE(usage.out.contains(QLatin1String(text))) << text;
        for (const Cli::DescribedCommand& command : Cli::describedCommands())
            EXPECT_TRUE(usage.out.contains(u"  "_s + command.help.synopsis + u'\n'))
                << command.name.toStdString();
    }
    for (const Cli::DescribedCommand& command : Cli::describedCommands()) {
        // Asked for anywhere, even beside a mistake, help wins and nothing runs.
        for (const char* arguments : { "--help", "--bogus -h" }) {
            const CliRun run = runCliInProcess(QStringList { command.name } + words(arguments));
            EXPECT_EQ(run.exitCode, 0) << command.name.toStdString();
            EXPECT_TRUE(run.out.startsWith(u"usage: orvalin-cli "_s + command.help.synopsis))
                << run.out.toStdString();
            EXPECT_TRUE(run.out.contains(command.summary)) << command.name.toStdString();
            for (const QCommandLineOption& option : command.help.options)
                EXPECT_TRUE(run.out.contains(u"--"_s + option.names().last()))
                    << run.out.toStdString();
            EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        }
    }
    EXPECT_TRUE(runCliInProcess(words("scan --help")).out.contains(u"\n  3    folder refused"));
    EXPECT_TRUE(runCliInProcess(words("restore --help")).out.contains(u"\n  4    done in part"));
}

TEST(CliUsage, CompletionsNameEveryCommandAndFlagAndBashCompletesThem)
{
    for (const char* shell : { "bash", "zsh", "fish" }) {
        const CliRun run = runCliInProcess({ u"completions"_s, shell });
        ASSERT_EQ(run.exitCode, 0) << shell;
        for (const Cli::DescribedCommand& command : Cli::describedCommands()) {
            EXPECT_TRUE(run.out.contains(command.name)) << shell;
            for (const QCommandLineOption& option : command.help.options)
                EXPECT_TRUE(run.out.contains(option.names().last())) << shell;
        }
    }

    const QString bash = QStandardPaths::findExecutable(u"bash"_s);
    if (bash.isEmpty())
        GTEST_SKIP() << "no bash";
    TempFolder folder;
    const QString script
        = folder.write(u"orvalin-cli"_s, runCliInProcess(words("completions bash")).out.toUtf8());
    const std::pair<const char*, const char*> cases[] = { { "orvalin-cli re", "restore" },
        { "orvalin-cli scan --match-c", "--match-capture-time" },
        { "orvalin-cli move --dr", "--dry-run" }, { "orvalin-cli --ver", "--version" } };
    for (const auto& [line, expected] : cases) {
        QProcess shell;
        shell.start(bash,
            { u"-c"_s,
                u"source %1; COMP_WORDS=(%2); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                "_orvalin_cli; printf '%s\\n' \"${COMPREPLY[@]}\""_s.arg(
                    script, QLatin1String(line)) });
        ASSERT_TRUE(shell.waitForFinished(30000));
        EXPECT_EQ(shell.readAllStandardOutput(), QByteArray(expected) + '\n') << line;
    }
}
