#include "SampleCommand.h"

#include "CommandParser.h"
#include "ExitCode.h"
#include "OperationError.h"
#include "SampleShoot.h"

#include <QDir>
#include <QFileInfo>

namespace SampleCommand {

int run(const QStringList& arguments, Console& console, FileManager&)
{
    CommandParser parser(QStringLiteral("sample FOLDER"));
    parser.parseArguments(arguments);
    const QString argument = parser.positionals(1, 1).first();
    const QFileInfo info(argument);
    // The generator overwrites files of its own names; never let it near someone's photos.
    if (info.exists()) {
        if (!info.isDir())
            throw OperationError(QStringLiteral("“%1” is not a folder.").arg(argument));
        if (!QDir(argument).isEmpty(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            throw OperationError(QStringLiteral("“%1” is not empty; the sample shoot goes into an "
                                                "empty or new folder.")
                                     .arg(argument));
    }
    const QString root = QDir::cleanPath(info.absoluteFilePath());
    const int count = SampleShoot::create(root);
    console.out << QStringLiteral("Wrote %1 files into “%2”.\n").arg(count).arg(root);
    return ExitCode::done;
}

} // namespace SampleCommand
