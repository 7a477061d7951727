#pragma once

#include <QStringView>

// The order of every list shown to the user: by relative path, runs of digits compared by their
// numeric value (IMG_2 before IMG_10), no locale rules. Use with std::stable_sort so that ties
// keep their scan order.
namespace PathOrder {

// Negative, zero or positive, like QString::compare.
int compare(QStringView a, QStringView b, Qt::CaseSensitivity cs = Qt::CaseInsensitive);

// Case-insensitive "a comes before b".
inline bool lessThan(QStringView a, QStringView b)
{
    return compare(a, b) < 0;
}

} // namespace PathOrder
