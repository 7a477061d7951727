#pragma once

#include "CommandHelp.h"
#include "Console.h"
#include "FileManager.h"

#include <QStringList>

// orvalin-cli: the subcommands and how their outcomes become exit codes.
namespace Cli {

// `arguments` without the program's name; returns an ExitCode.
int run(const QStringList& arguments, Console& console);
// The same with the file manager that folders are opened, and files moved, through.
int run(const QStringList& arguments, Console& console, FileManager& fileManager);

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
