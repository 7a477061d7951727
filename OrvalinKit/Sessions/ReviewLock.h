#pragma once

#include "FileManager.h"

#include <QString>
#include <functional>

// One move or restore at a time per scanned folder, across processes: every launch of the
// application is a window of its own, and the command-line tool runs beside them. Each takes the
// advisory lock of the folder's review folder before it reads or writes a log there, so no two
// of them ever write one log at once, and none takes another's unfinished work for a cut-off one.
namespace ReviewLock {

// Told "Another move or restore of this folder is running…" once, before the wait starts.
using Waiting = std::function<void(const QString& sentence)>;

// Takes the lock of `review`. When another holder has it: waits for it after telling `waiting`,
// or, when `waiting` is empty, declines by throwing FolderBusy.
FolderLock take(const FolderHandle& review, FileManager& fileManager, const Waiting& waiting);

} // namespace ReviewLock
