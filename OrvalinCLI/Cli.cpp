#include "Cli.h"

#include "Cancellation.h"
#include "CommandHelp.h"
#include "CompletionsCommand.h"
#include "ExitCode.h"
#include "LocalFileManager.h"
#include "MatchFlags.h"
#include "MoveCommand.h"
#include "OperationError.h"
#include "RestoreCommand.h"
#include "SampleCommand.h"
#include "ScanCommand.h"
#include "ScanRefusal.h"
#include "ScanRun.h"
#include "SessionsCommand.h"
#include "StampsCommand.h"
#include "TerminalText.h"
#include "UsageError.h"

#include <array>

namespace {

struct Command
{
    const char* name;
    const char* summary;
    int (*run)(const QStringList&, Console&, FileManager&);
};

constexpr std::array<Command, 7> commands { {
    { "sample", "write the example shoot into FOLDER (which must be empty or missing)",
        SampleCommand::run },
    { "scan", "list pairs and leftovers", ScanCommand::run },
    { "stamps", "print each file's capture stamp: PATH, date, sub-second, model",
        StampsCommand::run },
    { "move", "move ticked leftovers, with their sidecars, into a new review session",
        MoveCommand::run },
    { "sessions", "list the review sessions of FOLDER, newest first", SessionsCommand::run },
    { "restore", "put the files of review sessions back; never overwrites", RestoreCommand::run },
    { "completions", "print the completion script for bash, zsh or fish", CompletionsCommand::run },
} };

const Command* commandNamed(const QString& name)
{
    for (const Command& command : commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

bool asksForHelp(const QStringList& arguments)
{
    return arguments.contains(u"--help") || arguments.contains(u"-h");
}

// Every command parses its arguments first, so asking for help runs nothing else.
CommandHelp helpOf(const Command& command)
{
    QString discarded;
    QTextStream sink(&discarded);
    Console console { sink, sink, false };
    LocalFileManager fileManager;
    try {
        command.run({ QStringLiteral("--help") }, console, fileManager);
    } catch (const CommandHelp& help) {
        return help;
    }
    return {};
}

// "orvalin-cli: {message}" on a line of its own, whatever the message holds.
QString errorLine(const QString& message)
{
    return QStringLiteral("orvalin-cli: %1\n").arg(TerminalText::escaped(message));
}

// What a mistake in a command's arguments is answered with: that command's usage line, and
// where its options are described.
QString usageOf(const Command& command)
{
    const QString name = QString::fromUtf8(command.name);
    return QStringLiteral("usage: orvalin-cli %1\nSee “orvalin-cli %2 --help” for its options.\n")
        .arg(helpOf(command).synopsis, name);
}

// For a command line without a known command.
QString shortUsage()
{
    QStringList names;
    for (const Command& command : commands)
        names.append(QString::fromUtf8(command.name));
    return QStringLiteral("usage: orvalin-cli COMMAND [OPTIONS] ...\nCommands: %1.\n"
                          "See “orvalin-cli --help” for all of them, or “orvalin-cli COMMAND "
                          "--help” for one.\n")
        .arg(names.join(QStringLiteral(", ")));
}

} // namespace

namespace Cli {

QString usage()
{
    QString text = QStringLiteral("usage: orvalin-cli COMMAND [OPTIONS] ...\n"
                                  "       orvalin-cli COMMAND --help\n"
                                  "       orvalin-cli --version\n"
                                  "\n"
                                  "Commands:\n");
    for (const Command& command : commands)
        text += QStringLiteral("  %1\n      %2\n")
                    .arg(helpOf(command).synopsis, QString::fromUtf8(command.summary));
    text += QStringLiteral("\nMatch flags (each also as --no-FLAG):\n") + MatchFlags::usage();
    text += u'\n' + ExitCode::listing(ExitCode::all());
    return text;
}

QString versionText()
{
    return QStringLiteral("orvalin-cli %1\n").arg(QStringLiteral(ORVALIN_VERSION));
}

QList<DescribedCommand> describedCommands()
{
    QList<DescribedCommand> described;
    for (const Command& command : commands)
        described.append({ QString::fromUtf8(command.name), QString::fromUtf8(command.summary),
            helpOf(command) });
    return described;
}

int run(const QStringList& arguments, Console& console)
{
    LocalFileManager fileManager;
    return run(arguments, console, fileManager);
}

int run(const QStringList& arguments, Console& console, FileManager& fileManager)
{
    if (arguments.isEmpty()) {
        console.err << usage();
        return ExitCode::usage;
    }
    if (arguments.first() == u"help" || asksForHelp(arguments.first(1))) {
        console.out << usage();
        return ExitCode::done;
    }
    if (arguments.first() == u"--version") {
        console.out << versionText();
        return ExitCode::done;
    }
    const Command* command = commandNamed(arguments.first());
    if (!command) {
        console.err << errorLine(QStringLiteral("Unknown command “%1”.").arg(arguments.first()))
                    << shortUsage();
        return ExitCode::usage;
    }
    try {
        return command->run(arguments.mid(1), console, fileManager);
    } catch (const CommandHelp& help) {
        console.out << help.text(QString::fromUtf8(command->summary));
        return ExitCode::done;
    } catch (const UsageError& error) {
        console.err << errorLine(error.message) << usageOf(*command);
        return ExitCode::usage;
    } catch (const ScanRefusal& refusal) {
        console.err << errorLine(QStringLiteral("%1 won’t work on this folder. Nothing was moved.")
                                     .arg(ScanRun::appName()))
                    << TerminalText::escaped(refusal.message(ScanRun::appName())) << '\n';
        return ExitCode::refused;
    } catch (const Cancelled&) {
        console.err << "Cancelled.\n";
        return ExitCode::interrupted;
    } catch (const OperationError& error) {
        console.err << errorLine(error.message());
        return ExitCode::failed;
    } catch (const std::exception& error) {
        console.err << errorLine(QString::fromUtf8(error.what()));
        return ExitCode::failed;
    }
}

} // namespace Cli
