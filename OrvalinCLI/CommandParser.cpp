#include "CommandParser.h"

#include "FolderArgument.h"
#include "UsageError.h"

namespace {

const QCommandLineOption helpOption { { QStringLiteral("h"), QStringLiteral("help") },
    QStringLiteral("show what this command takes") };

} // namespace

CommandParser::CommandParser(const QString& synopsis, const QList<int>& exitStatuses)
    : m_synopsis(synopsis)
    , m_exitStatuses(exitStatuses)
{
    setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QCommandLineParser::addOption(helpOption);
}

void CommandParser::addOption(const QCommandLineOption& option)
{
    QCommandLineParser::addOption(option);
    m_options.append(option);
}

void CommandParser::parseArguments(const QStringList& arguments)
{
    const bool parsed = parse(QStringList { QStringLiteral("orvalin-cli") } + arguments);
    if (isSet(helpOption))
        throw CommandHelp { m_synopsis, m_options + QList { helpOption }, m_exitStatuses };
    if (!parsed)
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

QString CommandParser::folder(const FileManager& fileManager) const
{
    return FolderArgument::checked(positionals(1, 1).first(), fileManager);
}
