#pragma once

#include "MatchOptions.h"
#include "ScanResult.h"
#include "UnreadableList.h"

// Keeps leftovers from being offered when what decides them could lie in something the scan
// could not read: a photo's twin, a sidecar's photo, or the sidecars that would move with a
// photo. A false leftover can cost a photo; a leftover held back costs only a later look.
namespace UnreadableHoldBack {

// Takes the leftovers that depend on `unreadable` out of `result`, counts them in
// `heldByUnreadable`, and keeps `unreadable` in it. Reads matchAcrossFolders and knownToolNames.
void apply(ScanResult& result, const UnreadableList& unreadable, const MatchOptions& options);

} // namespace UnreadableHoldBack
