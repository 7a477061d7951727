#include "ScanCommand.h"

#include "CommandParser.h"
#include "ExitCode.h"
#include "MatchFlags.h"
#include "ScanReport.h"

namespace ScanCommand {

int run(const QStringList& arguments, Console& console, FileManager& fileManager)
{
    CommandParser parser(QStringLiteral("scan [MATCH FLAGS] [--json] FOLDER"),
        { ExitCode::done, ExitCode::failed, ExitCode::usage, ExitCode::refused,
            ExitCode::interrupted });
    MatchFlags::addTo(parser);
    parser.addOption({ QStringLiteral("json"), QStringLiteral("print one JSON object") });
    parser.parseArguments(arguments);
    const MatchOptions options = MatchFlags::read(parser);
    const QString folder = parser.folder(fileManager);

    const Analysis analysis = ScanRun::perform(folder, options, console);
    if (parser.isSet(QStringLiteral("json")))
        ScanReport::writeJson(analysis, console.out);
    else
        console.out << ScanReport::text(analysis);
    return ExitCode::done;
}

} // namespace ScanCommand
