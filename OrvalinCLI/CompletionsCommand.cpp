#include "CompletionsCommand.h"

#include "Cli.h"
#include "CommandParser.h"
#include "ExitCode.h"
#include "ShellCompletions.h"
#include "UsageError.h"

namespace CompletionsCommand {

int run(const QStringList& arguments, Console& console, FileManager&)
{
    CommandParser parser(QStringLiteral("completions bash|zsh|fish"));
    parser.parseArguments(arguments);
    const QString shell = parser.positionals(1, 1).first();
    const QList<Cli::DescribedCommand> commands = Cli::describedCommands();
    if (shell == u"bash")
        console.out << ShellCompletions::bash(commands);
    else if (shell == u"zsh")
        console.out << ShellCompletions::zsh(commands);
    else if (shell == u"fish")
        console.out << ShellCompletions::fish(commands);
    else
        throw UsageError {
            QStringLiteral("completions are for bash, zsh or fish, not “%1”.").arg(shell)
        };
    return ExitCode::done;
}

} // namespace CompletionsCommand
