#pragma once

#include <QString>

// What the scanner needs from the application.
struct ScanOptions
{
    // The review folder that moves create inside the scanned folder; the scan leaves it out.
    QString reviewFolderName;

    bool operator==(const ScanOptions&) const = default;
};
