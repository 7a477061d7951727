#pragma once

#include "Cancellation.h"
#include "CaptureTime.h"
#include "FileTable.h"
#include "Leftovers.h"
#include "Pair.h"

#include <QList>

// Pairs the leftover RAW files with leftover JPEG and HEIC files of the same folder part whose
// capture stamps match. Not one to one: a twin taken by one RAW stays available to every later
// RAW whose stamp matches too.
namespace CapturePairing {

// Appends the pairs it makes to `pairs` and takes their files out of `leftovers`; reads each
// leftover's stamp once. Throws Cancelled.
void pair(const FileTable& table, const CaptureReader& reader, const CancellationToken& cancel,
    QList<Pair>& pairs, Leftovers& leftovers);

} // namespace CapturePairing
