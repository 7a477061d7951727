#pragma once

#include <QChar>
#include <QStringView>
#include <optional>
#include <string_view>

// The small pattern language in which the names tools write are given, matched against folded
// names from their end. In a pattern, '#' is a number written without leading zeros (1, 2, 11),
// '%' two or more digits (01, 12, 100), '9' exactly one digit, '+' one or more digits of any
// script, '&' one or more letters and digits, '*' any text without brackets, possibly none, and
// '@' a computer's name (letters, digits and inner hyphens, at least one letter); anything else
// stands for itself, a letter in either case.
namespace NamePattern {

inline bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

inline QChar asciiLower(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

inline bool isLetterOrDigit(QChar c)
{
    c = asciiLower(c);
    return isDigit(c) || (c >= u'a' && c <= u'z');
}

// Whether `token` stands for a fixed or a counted run of plain digits.
inline bool isDigitToken(char16_t token)
{
    return token == u'#' || token == u'%' || token == u'9';
}

// Where the run of digits that ends at `end` starts; with `anyScript`, digits of every script
// count, as "\d" does in the edit-suffix patterns, those beyond the first plane included.
qsizetype digitRunStart(QStringView text, qsizetype end, bool anyScript);

// Windows allows 15 characters, a network name 63.
constexpr qsizetype maxComputerNameLength = 63;

// Calls `found` with each position at which `pattern` can start so as to end exactly at `end`
// of `text`, the reading that leaves the most text in front first, until `found` returns true;
// returns whether it did. Every digit or letter token follows a character it cannot take in the
// patterns, so the whole run is the only reading of one.
template <typename Found>
bool matchEnding(QStringView text, qsizetype end, std::u16string_view pattern, const Found& found)
{
    while (!pattern.empty()) {
        const char16_t token = pattern.back();
        pattern.remove_suffix(1);
        switch (token) {
        case u'#':
        case u'%':
        case u'+': {
            const qsizetype start = digitRunStart(text, end, token == u'+');
            const qsizetype digits = end - start;
            if (digits == 0 || (token == u'#' && text[start] == u'0')
                || (token == u'%' && digits < 2))
                return false;
            end = start;
            break;
        }
        case u'9':
            if (end == 0 || !isDigit(text[end - 1]))
                return false;
            --end;
            break;
        case u'&': {
            const qsizetype runEnd = end;
            while (end > 0 && isLetterOrDigit(text[end - 1]))
                --end;
            if (end == runEnd)
                return false;
            break;
        }
        case u'*':
            for (qsizetype start = end;; --start) {
                if (matchEnding(text, start, pattern, found))
                    return true;
                if (start == 0 || text[start - 1] == u'(' || text[start - 1] == u')')
                    return false;
            }
        case u'@': {
            if (end == 0 || text[end - 1] == u'-')
                return false;
            bool letter = false;
            for (qsizetype start = end - 1; start >= 0 && end - start <= maxComputerNameLength;
                 --start) {
                const QChar c = text[start];
                if (c == u'-')
                    continue;
                if (!isLetterOrDigit(c))
                    return false;
                letter = letter || !isDigit(c);
                if (letter && matchEnding(text, start, pattern, found))
                    return true;
            }
            return false;
        }
        default:
            if (end == 0 || asciiLower(text[end - 1]) != QChar(token))
                return false;
            --end;
        }
    }
    return found(end);
}

// Where `pattern` starts when it matches the end of `text` leaving some text in front, the
// reading that leaves the most first, or nothing.
std::optional<qsizetype> suffixStart(QStringView text, std::u16string_view pattern);

// Whether `pattern` matches the start of `text` (fixed-width patterns of literals and '9' only).
bool matchesStart(QStringView text, std::u16string_view pattern);

// Whether the last components of `folder` match `pattern` ("captureone/settings#"); gives where
// they start.
std::optional<qsizetype> trailingFolders(QStringView folder, std::u16string_view pattern);

} // namespace NamePattern
