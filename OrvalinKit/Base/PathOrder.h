#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

// The order of every list shown to the user: by relative path, runs of digits compared by their
// numeric value (IMG_2 before IMG_10), no locale rules. Use with std::stable_sort so that ties
// keep their scan order.
namespace PathOrder {

// Negative, zero or positive, like QString::compare. Texts that differ only in how their
// accents are composed compare as equal, as the file system may hand out either form.
int compare(QStringView a, QStringView b, Qt::CaseSensitivity cs = Qt::CaseInsensitive);

// The same for texts already in canonical composition (composed() gives them), for sorts of
// many paths that compose each path once rather than at every comparison.
int compareComposed(QStringView a, QStringView b, Qt::CaseSensitivity cs = Qt::CaseInsensitive);
// `text` in canonical composition (NFC); a shared copy when it is in that form already.
QString composed(const QString& text);

// For a text of plain ASCII, bytes that order as compare() orders the text, case-insensitive:
// sorting many paths by these compares bytes rather than reading numbers again and again.
// Nothing for any other text.
std::optional<QByteArray> asciiSortKey(QStringView text);
// The same key appended to `keys`, so that the keys of many texts share one buffer; false, with
// `keys` as it was, for a text that is not plain ASCII.
bool appendAsciiSortKey(QStringView text, QByteArray& keys);

// The positions 0 … count - 1 ordered by the paths `pathAt` gives for them, case-insensitive
// and stable: a list of many paths sorts this way in a fraction of the time a sort calling
// compare() takes.
std::vector<qsizetype> order(qsizetype count, const std::function<QString(qsizetype)>& pathAt);

// Case-insensitive "a comes before b".
inline bool lessThan(QStringView a, QStringView b)
{
    return compare(a, b) < 0;
}

} // namespace PathOrder
