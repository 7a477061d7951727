#pragma once

#include "Console.h"

#include <QStringList>

// orvalin-cli scan
namespace ScanCommand {

// The arguments after the command's name; returns the exit code, throws what Cli::run answers.
int run(const QStringList& arguments, Console& console);

} // namespace ScanCommand
