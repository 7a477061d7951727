#pragma once

#include <QStringList>

// What a restore did.
struct RestoreOutcome
{
    // Files put back.
    int restored = 0;
    // Relative paths left in the review folder because a file is at the original place now.
    QStringList conflicts;
    // Relative paths that could not be put back for any other reason.
    QStringList missing;

    bool operator==(const RestoreOutcome&) const = default;
};
