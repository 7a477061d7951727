#include "MoveOutcome.h"

QList<RestoreLog::Entry> MoveOutcome::failed() const
{
    QList<RestoreLog::Entry> result;
    for (const RestoreLog::Entry& entry : log.entries) {
        if (entry.status == RestoreLog::Status::failed)
            result.append(entry);
    }
    return result;
}
