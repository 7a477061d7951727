#pragma once

#include "Cli.h"

// Completion scripts for orvalin-cli, written from the commands' own parsers so that they list
// every command and flag the tool takes.
namespace ShellCompletions {

QString bash(const QList<Cli::DescribedCommand>& commands);
QString zsh(const QList<Cli::DescribedCommand>& commands);
QString fish(const QList<Cli::DescribedCommand>& commands);

} // namespace ShellCompletions
