#pragma once

#include "Cancellation.h"
#include "FileEntry.h"
#include "ScanOptions.h"
#include "ScanProgress.h"
#include "ScanRefusal.h"
#include "UnreadableList.h"

#include <QList>
#include <QString>
#include <optional>

// Walks a chosen folder into the flat list of its files, refusing folders of photo catalogues.
// Only reads; never changes anything on disk.
namespace Scanner {

// Looks only at the folder's own path, as written and with symbolic links resolved.
std::optional<ScanRefusal> checkLocation(const QString& folder);

// Every regular file below `folder`, depth first, each folder in the order the file system lists
// it. Hidden items, symbolic links and review folders are left out. What could not be read below
// `folder` (folders that could not be opened or listed, items whose kind or size could not be
// read) goes into `unreadable`, in walk order. Blocking; `progress` is called on the calling
// thread every 512 items and once at the end. Throws ScanRefusal, Cancelled, or OperationError
// when `folder` itself cannot be opened.
QList<FileEntry> scan(const QString& folder, const ScanOptions& options,
    const ScanProgressCallback& progress = {}, const CancellationToken& cancel = {},
    UnreadableList* unreadable = nullptr);

} // namespace Scanner
