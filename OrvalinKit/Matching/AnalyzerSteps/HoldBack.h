#pragma once

#include "FileTable.h"
#include "Leftovers.h"

// The leftovers that are not listed, each rule taking its files out of `leftovers` (order of
// the rest kept) and giving how many it took; a file held by one rule is not counted by a later
// one.
namespace HoldBack {

// Editors' exports that found no RAW: finished work, not leftovers, so neither listed nor
// counted, as the sidecars of kept photos are not.
void dropEditorExports(const FileTable& table, Leftovers& leftovers);

// Leftover RAW, JPEG and HEIC files of folder parts that hold only one of the two kinds.
qsizetype inSingleKindFolders(const FileTable& table, Leftovers& leftovers);
// Leftover HEIC files, for those who keep them.
qsizetype heic(const FileTable& table, Leftovers& leftovers);

} // namespace HoldBack
