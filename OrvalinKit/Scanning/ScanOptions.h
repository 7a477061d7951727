#pragma once

#include "ReadFault.h"

#include <QList>
#include <QString>

// What the scanner needs from the application.
struct ScanOptions
{
    // The review folder that moves create inside the scanned folder; the scan leaves it out.
    QString reviewFolderName;
    // For tests: reads that fail on purpose.
    QList<ReadFault> faults = {};

    bool operator==(const ScanOptions&) const = default;
};
