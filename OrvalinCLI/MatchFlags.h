#pragma once

#include "MatchOptions.h"

#include <QCommandLineParser>

class CommandParser;

// The --[no-]FLAG pairs that set each MatchOptions field.
namespace MatchFlags {

void addTo(CommandParser& parser);
// The tool's usage lines for the flags, one per pair.
QString usage();
// Defaults as MatchOptions(); a flag given in both forms is a usage error.
MatchOptions read(const QCommandLineParser& parser);

} // namespace MatchFlags
