#include "SessionsCommand.h"

#include "CommandParser.h"
#include "ExitCode.h"
#include "JsonText.h"
#include "LocalFileManager.h"
#include "Messages.h"
#include "Mover.h"
#include "ScanRun.h"
#include "SessionReport.h"

namespace SessionsCommand {

int run(const QStringList& arguments, Console& console)
{
    CommandParser parser(QStringLiteral("sessions [--json] FOLDER"));
    parser.addOption({ QStringLiteral("json"), QStringLiteral("print a JSON array") });
    parser.parseArguments(arguments);
    const QString folder = parser.folder();

    LocalFileManager fileManager;
    const QList<ReviewSession> sessions
        = Mover::sessions(folder, Messages::reviewFolderName(ScanRun::appName()), fileManager);
    if (parser.isSet(QStringLiteral("json")))
        console.out << JsonText::pretty(SessionReport::json(sessions)) << '\n';
    else
        console.out << SessionReport::text(sessions);
    return ExitCode::done;
}

} // namespace SessionsCommand
