#pragma once

#include "ScanRun.h"

#include <QJsonObject>
#include <QString>

// What `orvalin-cli scan` prints.
namespace ScanReport {

// Counts, pairs and the three leftover lists with relative paths, in the analyzer's order.
QJsonObject json(const Analysis& analysis);

// Counts, then each leftover group by folder, with sizes and followers.
QString text(const Analysis& analysis);

} // namespace ScanReport
