#pragma once

#include <QString>
#include <functional>

// Reported while a scan runs.
struct ScanProgress
{
    // Entries collected so far.
    qint64 files = 0;
    // Name of the folder the walk is in; empty in the final report.
    QString folder;

    bool operator==(const ScanProgress&) const = default;
};

// Called on the scanning thread.
using ScanProgressCallback = std::function<void(const ScanProgress&)>;
