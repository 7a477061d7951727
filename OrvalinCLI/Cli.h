#pragma once

#include "CommandHelp.h"
#include "Console.h"

#include <QStringList>

// orvalin-cli: the subcommands and how their outcomes become exit codes.
namespace Cli {

// `arguments` without the program's name.
int run(const QStringList& arguments, Console& console);

QString usage();
// "orvalin-cli VERSION", as --version prints it.
QString versionText();

struct DescribedCommand
{
    QString name;
    QString summary;
    CommandHelp help;
};
// Every command with what it takes, in the order of the usage.
QList<DescribedCommand> describedCommands();

} // namespace Cli
