#include "ScanResult.h"

#include <algorithm>

const QList<Candidate>& ScanResult::candidates(OrphanGroup group) const
{
    switch (group) {
    case OrphanGroup::raw:
        return orphanRaws;
    case OrphanGroup::jpeg:
        return orphanJPEGs;
    case OrphanGroup::sidecar:
        return orphanSidecars;
    }
    return orphanRaws;
}

qint64 ScanResult::totalSize(OrphanGroup group) const
{
    qint64 size = 0;
    for (const Candidate& candidate : candidates(group))
        size += candidate.totalSize();
    return size;
}

QList<Candidate> ScanResult::allCandidates() const
{
    QList<Candidate> all;
    all.reserve(orphanRaws.size() + orphanJPEGs.size() + orphanSidecars.size());
    all << orphanRaws << orphanJPEGs << orphanSidecars;
    return all;
}

qsizetype ScanResult::pairedByTime() const
{
    return std::count_if(
        pairs.begin(), pairs.end(), [](const Pair& pair) { return pair.byCaptureTime; });
}
