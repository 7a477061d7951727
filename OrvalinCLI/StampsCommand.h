#pragma once

#include "Console.h"
#include "FileManager.h"

#include <QStringList>

// orvalin-cli stamps
namespace StampsCommand {

// The arguments after the command's name; returns the exit code, throws what Cli::run answers.
// Folders are opened, and files moved, through `fileManager`.
int run(const QStringList& arguments, Console& console, FileManager& fileManager);

} // namespace StampsCommand
