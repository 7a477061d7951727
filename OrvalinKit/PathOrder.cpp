#include "PathOrder.h"

#include <QChar>

namespace {

// Reads the code point at `i` without moving past it; `length` receives its size in UTF-16 units.
char32_t codePointAt(QStringView text, qsizetype i, qsizetype& length)
{
    const QChar first = text[i];
    if (first.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        length = 2;
        return QChar::surrogateToUcs4(first, text[i + 1]);
    }
    length = 1;
    return first.unicode();
}

// The value of the decimal digit at `i`, or -1 when there is none; digits of every script count,
// including those outside the Basic Multilingual Plane.
int digitAt(QStringView text, qsizetype i, qsizetype& length)
{
    if (i >= text.size())
        return -1;
    const char32_t c = codePointAt(text, i, length);
    return QChar::isDigit(c) ? QChar::digitValue(c) : -1;
}

// One run of digits: where its significant digits start and where the run ends.
struct DigitRun
{
    qsizetype significantStart = 0;
    qsizetype end = 0;
    qsizetype significantDigits = 0;
};

DigitRun digitRun(QStringView text, qsizetype i)
{
    DigitRun run;
    qsizetype length = 0;
    int digit = digitAt(text, i, length);
    while (digit == 0) {
        i += length;
        digit = digitAt(text, i, length);
    }
    run.significantStart = i;
    while (digit >= 0) {
        ++run.significantDigits;
        i += length;
        digit = digitAt(text, i, length);
    }
    run.end = i;
    return run;
}

// Compares the digit runs starting at ia and ib by value, moving both past their runs.
int compareNumbers(QStringView a, qsizetype& ia, QStringView b, qsizetype& ib)
{
    const DigitRun runA = digitRun(a, ia);
    const DigitRun runB = digitRun(b, ib);
    ia = runA.end;
    ib = runB.end;
    // Without leading zeros, the longer number is the larger one.
    if (runA.significantDigits != runB.significantDigits)
        return runA.significantDigits < runB.significantDigits ? -1 : 1;
    qsizetype pa = runA.significantStart;
    qsizetype pb = runB.significantStart;
    qsizetype lengthA = 0;
    qsizetype lengthB = 0;
    for (qsizetype k = 0; k < runA.significantDigits; ++k) {
        const int digitA = digitAt(a, pa, lengthA);
        const int digitB = digitAt(b, pb, lengthB);
        if (digitA != digitB)
            return digitA < digitB ? -1 : 1;
        pa += lengthA;
        pb += lengthB;
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
        qsizetype lengthA = 0;
        qsizetype lengthB = 0;
        char32_t ca = codePointAt(a, ia, lengthA);
        char32_t cb = codePointAt(b, ib, lengthB);
        if (QChar::isDigit(ca) && QChar::isDigit(cb)) {
            if (const int order = compareNumbers(a, ia, b, ib))
                return order;
            continue;
        }
        ia += lengthA;
        ib += lengthB;
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
