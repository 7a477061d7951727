#include "CommandParser.h"

#include "ScanRun.h"
#include "UsageError.h"

CommandParser::CommandParser(const QString& synopsis)
    : m_synopsis(synopsis)
{
    setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

void CommandParser::parseArguments(const QStringList& arguments)
{
    if (!parse(QStringList { QStringLiteral("orvalin-cli") } + arguments))
        throw UsageError { errorText() };
}

QStringList CommandParser::positionals(qsizetype least, qsizetype most) const
{
    const QStringList arguments = positionalArguments();
    if (arguments.size() < least)
        throw UsageError { QStringLiteral("Missing argument.") };
    if (arguments.size() > most)
        throw UsageError { QStringLiteral("Unexpected argument “%1”.").arg(arguments.at(most)) };
    return arguments;
}

QString CommandParser::folder() const
{
    return ScanRun::folderArgument(positionals(1, 1).first());
}
