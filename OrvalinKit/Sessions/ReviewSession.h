#pragma once

#include "RestoreLog.h"

// One past move found on disk.
struct ReviewSession
{
    // Absolute path of the session folder.
    QString folder;
    // Reconciled with the files found in the folder.
    RestoreLog log;

    const QString& id() const { return folder; }
    bool operator==(const ReviewSession&) const = default;
};
