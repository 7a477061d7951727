#pragma once

#include "ScanRun.h"

#include <QString>
#include <QTextStream>

// What `orvalin-cli scan` prints.
namespace ScanReport {

// Counts, pairs and the three leftover lists with relative paths, in the analyzer's order.
void writeJson(const Analysis& analysis, QTextStream& out);

// Counts, then each leftover group by folder, with sizes and followers.
QString text(const Analysis& analysis);

} // namespace ScanReport
