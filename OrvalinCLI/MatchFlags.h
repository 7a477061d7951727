#pragma once

#include "MatchOptions.h"

#include <QCommandLineParser>

// The --[no-]FLAG pairs that set each MatchOptions field.
namespace MatchFlags {

void addTo(QCommandLineParser& parser);
// Defaults as MatchOptions(); a flag given in both forms is a usage error.
MatchOptions read(const QCommandLineParser& parser);

} // namespace MatchFlags
