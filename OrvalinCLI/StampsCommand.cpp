#include "StampsCommand.h"

#include "CaptureTime.h"
#include "CommandParser.h"
#include "ExitCode.h"

namespace StampsCommand {

int run(const QStringList& arguments, Console& console, FileManager&)
{
    CommandParser parser(QStringLiteral("stamps FILE..."));
    parser.parseArguments(arguments);
    for (const QString& path : parser.positionals(1, std::numeric_limits<qsizetype>::max())) {
        console.out << path;
        if (const std::optional<CaptureStamp> stamp = CaptureTime::read(path)) {
            console.out << '\t' << stamp->date << '\t' << stamp->subsec.value_or(QString()) << '\t'
                        << stamp->model.value_or(QString());
        }
        console.out << '\n';
    }
    return ExitCode::done;
}

} // namespace StampsCommand
