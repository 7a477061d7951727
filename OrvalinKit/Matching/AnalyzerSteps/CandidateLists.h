#pragma once

#include "FileEntry.h"
#include "Leftovers.h"
#include "ScanResult.h"
#include "SidecarAttachment.h"

#include <QList>

// The leftovers as the lists the user ticks from, each with its followers: every list, and the
// followers of every candidate, in path order (case-insensitive, numbers by value, stable).
namespace CandidateLists {

// Fills the three lists of candidates of `result`; sorts the leftovers and orphans on the way.
void fill(const QList<FileEntry>& files, SidecarAttachment::Followers& followers,
    Leftovers& leftovers, ScanResult& result);

} // namespace CandidateLists
