#pragma once

#include "FileEntry.h"
#include "OrphanGroup.h"

#include <QList>

// A leftover the user may tick, with the sidecars that move with it.
struct Candidate
{
    FileEntry file;
    OrphanGroup group = OrphanGroup::raw;
    // Always empty for a sidecar candidate.
    QList<FileEntry> followers;

    const QString& id() const { return file.relativePath; }
    qsizetype fileCount() const { return 1 + followers.size(); }
    qint64 totalSize() const;

    bool operator==(const Candidate&) const = default;
};

Q_DECLARE_TYPEINFO(Candidate, Q_RELOCATABLE_TYPE);

inline size_t qHash(const Candidate& candidate, size_t seed = 0) noexcept
{
    return qHashMulti(seed, candidate.file, candidate.group, candidate.followers);
}
