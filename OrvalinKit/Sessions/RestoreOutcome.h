#pragma once

#include "RestoreFailure.h"

#include <QList>
#include <QStringList>

// What a restore did.
struct RestoreOutcome
{
    // Files put back.
    int restored = 0;
    // Relative paths left in the review folder because a file is at the original place now.
    QStringList conflicts;
    // Relative paths whose file is not where the log says: moved or deleted by hand.
    QStringList missing;
    // Files that are where the log says but could not be put back, with why.
    QList<RestoreFailure> failed;

    // Adds another session's outcome to this one.
    RestoreOutcome& operator+=(const RestoreOutcome& other);

    bool operator==(const RestoreOutcome&) const = default;
};
