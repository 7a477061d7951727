#include "PathOrder.h"

#include <QString>

namespace {

// Reads one code point at `i`, moving `i` past it.
char32_t nextCodePoint(QStringView text, qsizetype& i)
{
    const QChar first = text[i++];
    if (first.isHighSurrogate() && i < text.size() && text[i].isLowSurrogate())
        return QChar::surrogateToUcs4(first, text[i++]);
    return first.unicode();
}

bool isDigitAt(QStringView text, qsizetype i)
{
    return i < text.size() && text[i].isDigit();
}

// Compares the digit runs starting at ia and ib by value, moving both past their runs.
int compareNumbers(QStringView a, qsizetype& ia, QStringView b, qsizetype& ib)
{
    while (isDigitAt(a, ia) && a[ia].digitValue() == 0)
        ++ia;
    while (isDigitAt(b, ib) && b[ib].digitValue() == 0)
        ++ib;
    const qsizetype startA = ia;
    const qsizetype startB = ib;
    while (isDigitAt(a, ia))
        ++ia;
    while (isDigitAt(b, ib))
        ++ib;
    const qsizetype lengthA = ia - startA;
    const qsizetype lengthB = ib - startB;
    if (lengthA != lengthB)
        return lengthA < lengthB ? -1 : 1;
    for (qsizetype k = 0; k < lengthA; ++k) {
        const int digitA = a[startA + k].digitValue();
        const int digitB = b[startB + k].digitValue();
        if (digitA != digitB)
            return digitA < digitB ? -1 : 1;
    }
    return 0;
}

} // namespace

namespace PathOrder {

int compare(QStringView a, QStringView b, Qt::CaseSensitivity cs)
{
    qsizetype ia = 0;
    qsizetype ib = 0;
    while (ia < a.size() && ib < b.size()) {
        if (a[ia].isDigit() && b[ib].isDigit()) {
            if (const int order = compareNumbers(a, ia, b, ib))
                return order;
            continue;
        }
        char32_t ca = nextCodePoint(a, ia);
        char32_t cb = nextCodePoint(b, ib);
        if (cs == Qt::CaseInsensitive) {
            ca = QChar::toCaseFolded(ca);
            cb = QChar::toCaseFolded(cb);
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (ia < a.size())
        return 1;
    if (ib < b.size())
        return -1;
    return 0;
}

} // namespace PathOrder
