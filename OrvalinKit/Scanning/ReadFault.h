#pragma once

#include <QString>

// For tests: a read of a scan that fails as the file system would fail it, where permissions
// cannot make it fail (the tests may run as root) or nothing else can (an input/output error).
struct ReadFault
{
    // Relative to the scanned folder: a folder fails to open, anything else to give its kind and
    // size.
    QString relativePath;
    // The system error number it fails with.
    int error = 0;

    bool operator==(const ReadFault&) const = default;
};
