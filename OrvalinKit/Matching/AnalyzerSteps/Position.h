#pragma once

#include <QtGlobal>

// How the analyzer's steps name a file: its place in the scanned list. Input positions fit in 32
// bits, which halves the size of the per-file tables.
using Position = qint32;

// No file: the end of a chain, an empty slot.
constexpr Position noFile = -1;
