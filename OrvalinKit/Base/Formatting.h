#pragma once

#include <QDateTime>
#include <QString>

// Counts, sizes and dates as people read them, in the user's locale.
namespace Formatting {

// A number of things with the locale's digit grouping: "200,000", "200.000".
QString count(qint64 number);
// Decimal units, 1 kB = 1000 bytes: "25.2 MB".
QString byteCount(qint64 bytes);
// A long date with a short time: "Sunday, 4 October 2026 15:07".
QString longDateShortTime(const QDateTime& when);

} // namespace Formatting
