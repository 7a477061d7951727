#pragma once

#include "Console.h"

#include <QStringList>

// orvalin-cli restore
namespace RestoreCommand {

// The arguments after the command's name; returns the exit code, throws what Cli::run answers.
int run(const QStringList& arguments, Console& console);

} // namespace RestoreCommand
