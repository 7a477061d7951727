#pragma once

#include "Console.h"

#include <QStringList>

// orvalin-cli: the subcommands and how their outcomes become exit codes.
namespace Cli {

// `arguments` without the program's name.
int run(const QStringList& arguments, Console& console);

QString usage();

} // namespace Cli
