#pragma once

#include "Console.h"
#include "FileEntry.h"
#include "MatchOptions.h"
#include "ReviewLock.h"
#include "ScanResult.h"

#include <QList>
#include <QString>

// A folder scanned and analysed the way the window does it.
struct Analysis
{
    // Absolute, clean path of the scanned folder.
    QString root;
    QList<FileEntry> files;
    ScanResult result;
};

namespace ScanRun {

// The application's name as the command-line tool writes it into logs and messages.
QString appName();

// How a move or restore meets another one of the same folder: a script would rather wait than
// fail, so it waits, with the reason on standard error.
ReviewLock::Waiting waitingLine(Console& console);

// Scans and analyses with a live progress line and Ctrl-C as cancellation. Throws ScanRefusal,
// Cancelled or OperationError.
Analysis perform(const QString& folder, const MatchOptions& options, Console& console);

} // namespace ScanRun
