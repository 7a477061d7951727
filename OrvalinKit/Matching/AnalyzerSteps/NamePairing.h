#pragma once

#include "FileTable.h"
#include "Leftovers.h"
#include "Pair.h"

#include <QList>

// Pairs every RAW with the JPEG and HEIC files of its match key in its folder part; with known
// tools' names, also with those that reach that key once a counter is off one of the two names
// (IMG_0801 2.JPG with IMG_0801.CR3).
namespace NamePairing {

// The pairs, in RAW input order; what pairs with nothing is noted in `leftovers`.
QList<Pair> pair(const FileTable& table, Leftovers& leftovers);

} // namespace NamePairing
