#pragma once

#include "FileEntry.h"
#include "MatchOptions.h"
#include "ScanResult.h"

#include <QList>

// The analysis written as plainly as it can be, with the matching rules as they were before
// known tools' names were recognised, and without capture times: the yardstick the indexed
// analyzer is held to with knownToolNames off.
namespace SeedRules {

ScanResult analyze(const QList<FileEntry>& files, const MatchOptions& options);

enum class Names
{
    // Camera names, the suffixes people and tools add, sidecars and tools' settings folders.
    all,
    // Only names cameras and renaming tools write, with the suffixes people add: known tools'
    // names change nothing about them while edit suffixes are ignored,
    ordinary,
    // nor while they count, once the numbered ones, which tools write as counters, are left out.
    ordinaryUnnumbered,
};

// A random tree of relative paths; sizes 0 to 99, kinds from the extensions.
QList<FileEntry> randomTree(quint32 seed, int count, Names names = Names::all);

// Random switches, capture times off.
MatchOptions randomOptions(quint32 seed);

} // namespace SeedRules
