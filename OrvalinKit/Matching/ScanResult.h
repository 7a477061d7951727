#pragma once

#include "Candidate.h"
#include "Pair.h"
#include "UnreadableList.h"

#include <QList>

// The analysis of one scan: pairs, and the leftovers in their three groups.
struct ScanResult
{
    qsizetype fileCount = 0;
    qsizetype rawCount = 0;
    // JPEG plus HEIC entries.
    qsizetype twinCount = 0;
    qsizetype sidecarCount = 0;
    QList<Pair> pairs;
    QList<Candidate> orphanRaws;
    QList<Candidate> orphanJPEGs;
    QList<Candidate> orphanSidecars;
    // Leftover RAW, JPEG and HEIC files not listed because their folder holds only one kind.
    qsizetype heldInSingleKindFolders = 0;
    // Leftover HEIC files not listed because HEIC leftovers are not wanted.
    qsizetype heldHEIC = 0;
    // Leftovers not listed because what decides them could lie in something the scan could not
    // read: a twin, the photo of a sidecar, or the sidecars of a photo.
    qsizetype heldByUnreadable = 0;
    // What the scan could not read.
    UnreadableList unreadable;

    const QList<Candidate>& candidates(OrphanGroup group) const;
    // The bytes of a group's candidates, their followers included.
    qint64 totalSize(OrphanGroup group) const;
    // RAW, then JPEG and HEIC, then sidecar leftovers.
    QList<Candidate> allCandidates() const;
    qsizetype pairedByTime() const;

    bool operator==(const ScanResult&) const = default;
};
