#include "Candidate.h"

qint64 Candidate::totalSize() const
{
    qint64 total = file.size;
    for (const FileEntry& follower : followers)
        total += follower.size;
    return total;
}
