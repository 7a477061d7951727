#pragma once

#include "RestoreLog.h"

// What a move did.
struct MoveOutcome
{
    // The new session folder.
    QString session;
    // The final log as written.
    RestoreLog log;

    qsizetype moved() const { return log.movedCount(); }
    // Entries whose move did not happen, in log order.
    QList<RestoreLog::Entry> failed() const;

    bool operator==(const MoveOutcome&) const = default;
};
