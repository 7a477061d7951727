#pragma once

#include "ScanRun.h"

#include <QJsonObject>
#include <QString>
#include <QTextStream>

// What `orvalin-cli scan` prints.
namespace ScanReport {

// Counts, pairs and the three leftover lists with relative paths, in the analyzer's order.
void writeJson(const Analysis& analysis, QTextStream& out);

// Counts, then each leftover group by folder, with sizes and followers.
QString text(const Analysis& analysis);

// What the scan could not read and the leftovers held back for it, a line each; empty when
// everything was read.
QString unreadableLines(const ScanResult& result);
// Adds what the scan could not read to a command's JSON report, as `scan --json` has it.
void addUnreadable(const ScanResult& result, QJsonObject& report);

} // namespace ScanReport
