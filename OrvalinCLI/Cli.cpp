#include "Cli.h"

#include "Cancellation.h"
#include "ExitCode.h"
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
    int (*run)(const QStringList&, Console&);
};

constexpr std::array<Command, 6> commands { {
    { "sample", SampleCommand::run },
    { "scan", ScanCommand::run },
    { "stamps", StampsCommand::run },
    { "move", MoveCommand::run },
    { "sessions", SessionsCommand::run },
    { "restore", RestoreCommand::run },
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

} // namespace

namespace Cli {

QString usage()
{
    return QStringLiteral(
        "usage: orvalin-cli COMMAND [OPTIONS] ...\n"
        "\n"
        "  sample FOLDER\n"
        "      write the example shoot into FOLDER (which must be empty or missing)\n"
        "  scan [MATCH FLAGS] [--json] FOLDER\n"
        "      list pairs and leftovers\n"
        "  stamps FILE...\n"
        "      print each file's capture stamp: PATH, date, sub-second, model\n"
        "  move [MATCH FLAGS] (--tick raw|jpeg|sidecar | --path REL)... [--dry-run] [--json] "
        "FOLDER\n"
        "      move ticked leftovers, with their sidecars, into a new review session\n"
        "  sessions [--json] FOLDER\n"
        "      list the review sessions of FOLDER, newest first\n"
        "  restore [--json] FOLDER (--all | SESSION-NAME...)\n"
        "      put the files of review sessions back; never overwrites\n"
        "\n"
        "MATCH FLAGS (each also as --no-FLAG):\n"
        "  --ignore-edit-suffixes  pair IMG_1-Edit.jpg, IMG_1 copy.jpg with IMG_1 (default on)\n"
        "  --canon-prefixes        pair _MG_ names as IMG_ (default on)\n"
        "  --match-across-folders  pair by name across subfolders (default off)\n"
        "  --match-capture-time    pair leftovers by capture time and camera (default off)\n"
        "  --only-mixed-folders    list leftovers only in folders with both kinds (default on)\n"
        "  --trim-heic             offer HEIC files without a RAW too (default off)\n"
        "\n"
        "Exit codes: 0 done, 1 failed, 2 usage error, 3 folder refused, 130 interrupted.\n");
}

int run(const QStringList& arguments, Console& console)
{
    if (arguments.isEmpty()) {
        console.err << usage();
        return ExitCode::usage;
    }
    if (arguments.first() == u"help" || asksForHelp(arguments.first(1))) {
        console.out << usage();
        return ExitCode::done;
    }
    const Command* command = commandNamed(arguments.first());
    try {
        if (!command)
            throw UsageError { QStringLiteral("Unknown command “%1”.").arg(arguments.first()) };
        if (asksForHelp(arguments)) {
            console.out << usage();
            return ExitCode::done;
        }
        return command->run(arguments.mid(1), console);
    } catch (const UsageError& error) {
        console.err << "orvalin-cli: " << TerminalText::escaped(error.message) << "\n\n" << usage();
        return ExitCode::usage;
    } catch (const ScanRefusal& refusal) {
        console.err << QStringLiteral("%1 won’t work on this folder").arg(ScanRun::appName())
                    << "\n"
                    << refusal.message(ScanRun::appName()) << "\n"
                    << "Nothing was moved.\n";
        return ExitCode::refused;
    } catch (const Cancelled&) {
        console.err << "Cancelled.\n";
        return ExitCode::interrupted;
    } catch (const OperationError& error) {
        console.err << "orvalin-cli: " << TerminalText::escaped(error.message()) << "\n";
        return ExitCode::failed;
    } catch (const std::exception& error) {
        console.err << "orvalin-cli: " << TerminalText::escaped(QString::fromUtf8(error.what()))
                    << "\n";
        return ExitCode::failed;
    }
}

} // namespace Cli
