#pragma once

#include <QString>

// Something below a scanned folder that the scan could not read, so that what it holds, or
// what it is, stays unknown.
struct UnreadableItem
{
    // Relative to the scanned folder; empty for the scanned folder itself.
    QString relativePath;
    // Why, as the user reads it: "permission denied", "input/output error".
    QString reason;
    // A folder that could not be opened, or listed to its end, rather than an item whose kind or
    // size could not be read.
    bool isFolder = false;

    // The folder whose listing it leaves incomplete: itself when it is a folder, else the folder
    // it is in.
    QString incompleteFolder() const;
    // The reason for a system error number, as the user reads it after a name.
    static QString reasonFor(int error);

    bool operator==(const UnreadableItem&) const = default;
};
