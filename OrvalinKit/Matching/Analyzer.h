#pragma once

#include "Cancellation.h"
#include "CaptureTime.h"
#include "FileEntry.h"
#include "MatchOptions.h"
#include "ScanResult.h"
#include "UnreadableList.h"

#include <QList>

// Turns a scanned file list into pairs and leftovers.
namespace Analyzer {

// `files` in scan order, which decides every tie. `captureReader` is asked only for files left
// unpaired by name; `cancel` is checked while stamps are read. Leftovers that depend on what
// the scan could not read, `unreadable`, are held back. Throws Cancelled.
ScanResult analyze(const QList<FileEntry>& files, const MatchOptions& options,
    const CaptureReader& captureReader = {}, const CancellationToken& cancel = {},
    const UnreadableList& unreadable = {});

} // namespace Analyzer
