#include "Formatting.h"

#include <QLocale>

namespace Formatting {

QString count(qint64 number)
{
    return QLocale().toString(number);
}

QString byteCount(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

QString longDateShortTime(const QDateTime& when)
{
    const QLocale locale;
    const QDateTime local = when.toLocalTime();
    return locale.toString(local.date(), QLocale::LongFormat) + u' '
        + locale.toString(local.time(), QLocale::ShortFormat);
}

} // namespace Formatting
