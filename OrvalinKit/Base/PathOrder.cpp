#include "PathOrder.h"

#include <QChar>
#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>

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

bool isAsciiDigit(char16_t unit)
{
    return unit >= u'0' && unit <= u'9';
}

// The value of the decimal digit at `i`, or -1 when there is none; digits of every script count,
// including those outside the Basic Multilingual Plane.
int digitAt(QStringView text, qsizetype i, qsizetype& length)
{
    if (i >= text.size())
        return -1;
    const char16_t unit = text[i].unicode();
    if (unit < 0x80) {
        length = 1;
        return isAsciiDigit(unit) ? unit - u'0' : -1;
    }
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

// The end of a run of ASCII digits, or -1 when the run goes on in digits of another script.
qsizetype asciiRunEnd(QStringView text, qsizetype i)
{
    while (i < text.size() && isAsciiDigit(text[i].unicode()))
        ++i;
    return i < text.size() && text[i].unicode() >= 0x80 ? -1 : i;
}

// Compares the digit runs starting at ia and ib by value, moving both past their runs.
int compareNumbers(QStringView a, qsizetype& ia, QStringView b, qsizetype& ib)
{
    // Nearly every number in a file name is written in ASCII digits, which need no tables.
    const qsizetype asciiEndA = asciiRunEnd(a, ia);
    const qsizetype asciiEndB = asciiEndA < 0 ? -1 : asciiRunEnd(b, ib);
    if (asciiEndA >= 0 && asciiEndB >= 0) {
        while (ia < asciiEndA && a[ia] == u'0')
            ++ia;
        while (ib < asciiEndB && b[ib] == u'0')
            ++ib;
        const qsizetype lengthA = asciiEndA - ia;
        const qsizetype lengthB = asciiEndB - ib;
        int order = lengthA == lengthB ? 0 : lengthA < lengthB ? -1 : 1;
        for (qsizetype k = 0; order == 0 && k < lengthA; ++k) {
            if (a[ia + k] != b[ib + k])
                order = a[ia + k] < b[ib + k] ? -1 : 1;
        }
        ia = asciiEndA;
        ib = asciiEndB;
        return order;
    }

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

// Where the comparison of two texts can start: after the part they have in common, moved back to
// a code point boundary and out of any run of digits, so that numbers are still read whole.
// Paths listed together mostly share their folders, which this skips at the cost of one pass.
qsizetype commonStart(QStringView a, QStringView b)
{
    const qsizetype shorter = std::min(a.size(), b.size());
    qsizetype start = 0;
    // Four code units at a time, then one by one.
    constexpr qsizetype chunk = sizeof(quint64) / sizeof(char16_t);
    while (start + chunk <= shorter
        && std::memcmp(a.utf16() + start, b.utf16() + start, sizeof(quint64)) == 0)
        start += chunk;
    while (start < shorter && a[start] == b[start])
        ++start;
    if (start > 0 && a[start - 1].isHighSurrogate())
        --start;
    while (start > 0) {
        qsizetype length = 1;
        char32_t previous = a[start - 1].unicode();
        if (start > 1 && a[start - 1].isLowSurrogate() && a[start - 2].isHighSurrogate()) {
            previous = QChar::surrogateToUcs4(a[start - 2], a[start - 1]);
            length = 2;
        }
        if (!(previous < 0x80 ? isAsciiDigit(char16_t(previous)) : QChar::isDigit(previous)))
            break;
        start -= length;
    }
    return start;
}

char16_t asciiLower(char16_t unit)
{
    return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit;
}

// Below U+0300 no character combines with its neighbours or changes under canonical
// composition, so texts that differ only there compare the same composed or not.
bool composesAsItIs(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300; });
}

int compareFrom(QStringView a, QStringView b, qsizetype start, Qt::CaseSensitivity cs)
{
    qsizetype ia = start;
    qsizetype ib = start;
    while (ia < a.size() && ib < b.size()) {
        char16_t ua = a[ia].unicode();
        char16_t ub = b[ib].unicode();
        if (ua < 0x80 && ub < 0x80) {
            if (isAsciiDigit(ua) && isAsciiDigit(ub)) {
                if (const int order = compareNumbers(a, ia, b, ib))
                    return order;
                continue;
            }
            if (cs == Qt::CaseInsensitive) {
                ua = asciiLower(ua);
                ub = asciiLower(ub);
            }
            if (ua != ub)
                return ua < ub ? -1 : 1;
            ++ia;
            ++ib;
            continue;
        }
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

} // namespace

namespace PathOrder {

int compare(QStringView a, QStringView b, Qt::CaseSensitivity cs)
{
    const qsizetype start = commonStart(a, b);
    if (composesAsItIs(a.sliced(start)) && composesAsItIs(b.sliced(start)))
        return compareFrom(a, b, start, cs);
    return compareComposed(composed(a.toString()), composed(b.toString()), cs);
}

int compareComposed(QStringView a, QStringView b, Qt::CaseSensitivity cs)
{
    return compareFrom(a, b, commonStart(a, b), cs);
}

QString composed(const QString& text)
{
    return text.normalized(QString::NormalizationForm_C);
}

std::optional<QByteArray> asciiSortKey(QStringView text)
{
    QByteArray key;
    if (!appendAsciiSortKey(text, key))
        return std::nullopt;
    return key;
}

bool appendAsciiSortKey(QStringView text, QByteArray& keys)
{
    const qsizetype before = keys.size();
    // Room for the longest key: a digit becomes at most four bytes.
    keys.resize(before + 4 * text.size());
    char* const start = keys.data() + before;
    char* out = start;
    for (qsizetype i = 0; i < text.size();) {
        const char16_t unit = text[i].unicode();
        if (unit >= 0x80) {
            keys.truncate(before);
            return false;
        }
        if (!isAsciiDigit(unit)) {
            *out++ = char(asciiLower(unit));
            ++i;
            continue;
        }
        // A run of digits becomes a '0', which orders against other characters as any digit
        // does, then the count of its significant digits in two bytes, then those digits:
        // numbers order by value, and runs that differ only in leading zeros are equal.
        while (i < text.size() && text[i] == u'0')
            ++i;
        const qsizetype first = i;
        while (i < text.size() && isAsciiDigit(text[i].unicode()))
            ++i;
        const qsizetype digits = i - first;
        if (digits > 0xffff) {
            keys.truncate(before);
            return false;
        }
        *out++ = '0';
        *out++ = char(digits >> 8);
        *out++ = char(digits & 0xff);
        for (qsizetype k = first; k < i; ++k)
            *out++ = char(text[k].unicode());
    }
    keys.truncate(before + (out - start));
    return true;
}

namespace {

// Paths of plain ASCII, nearly all of them, sort by bytes that order as the paths do, kept side
// by side in one buffer. False, with `positions` untouched, when a path is not plain ASCII.
bool orderByAsciiKeys(
    std::vector<qsizetype>& positions, const std::function<QString(qsizetype)>& pathAt)
{
    QByteArray keys;
    std::vector<qsizetype> starts;
    starts.reserve(positions.size() + 1);
    for (qsizetype position : positions) {
        starts.push_back(keys.size());
        if (!appendAsciiSortKey(pathAt(position), keys))
            return false;
    }
    starts.push_back(keys.size());
    const auto key = [&](qsizetype position) {
        return std::string_view(keys.constData() + starts[size_t(position)],
            size_t(starts[size_t(position) + 1] - starts[size_t(position)]));
    };
    // string_view compares its characters as unsigned, as the keys need.
    std::stable_sort(positions.begin(), positions.end(),
        [&](qsizetype a, qsizetype b) { return key(a) < key(b); });
    return true;
}

} // namespace

std::vector<qsizetype> order(qsizetype count, const std::function<QString(qsizetype)>& pathAt)
{
    std::vector<qsizetype> positions(size_t(qMax<qsizetype>(count, 0)));
    std::iota(positions.begin(), positions.end(), 0);
    if (positions.size() < 2 || orderByAsciiKeys(positions, pathAt))
        return positions;
    std::vector<QString> paths;
    paths.reserve(positions.size());
    for (qsizetype position : positions)
        paths.push_back(composed(pathAt(position)));
    std::stable_sort(positions.begin(), positions.end(), [&](qsizetype a, qsizetype b) {
        return compareComposed(paths[size_t(a)], paths[size_t(b)]) < 0;
    });
    return positions;
}

} // namespace PathOrder
