#pragma once

#include <QString>

// A file that restore found where the log says but could not put back, and why.
struct RestoreFailure
{
    enum class Reason
    {
        permissionDenied,
        // A mount point stands between the session and the original place.
        onAnotherDrive,
        // Immutable, append-only, or on a read-only file system.
        cannotBeChanged,
        diskFull,
        linkOnTheWay,
        fileOnTheWay,
        unsafePathInLog,
        // Anything else; the log's note tells it.
        other,
    };

    // The file's relative path in the scanned folder.
    QString path;
    Reason reason = Reason::other;
    // The note written to the log: the system's own words.
    QString note;

    // The reason for a system error number.
    static Reason fromSystemError(int error);

    bool operator==(const RestoreFailure&) const = default;
};
