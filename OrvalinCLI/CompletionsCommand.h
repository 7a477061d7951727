#pragma once

#include "Console.h"

#include <QStringList>

// orvalin-cli completions bash|zsh|fish
namespace CompletionsCommand {

// The arguments after the command's name; returns the exit code, throws what Cli::run answers.
int run(const QStringList& arguments, Console& console);

} // namespace CompletionsCommand
