#include "TerminalText.h"

#include <algorithm>

namespace {

// Marks that reorder or split what follows them: U+061C, U+200E-U+200F, U+2028-U+202E,
// U+2066-U+2069.
bool isLayoutControl(char16_t unit)
{
    return unit == 0x061C || unit == 0x200E || unit == 0x200F || (unit >= 0x2028 && unit <= 0x202E)
        || (unit >= 0x2066 && unit <= 0x2069);
}

bool needsEscape(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || isLayoutControl(unit);
}

QString hex(char16_t unit, int digits)
{
    return QString::number(unit, 16).toUpper().rightJustified(digits, u'0');
}

} // namespace

namespace TerminalText {

QString escaped(const QString& text)
{
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return needsEscape(c.unicode()); }))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (!needsEscape(unit))
            out += c;
        else if (unit == u'\t')
            out += QStringLiteral("\\t");
        else if (unit == u'\n')
            out += QStringLiteral("\\n");
        else if (unit == u'\r')
            out += QStringLiteral("\\r");
        else if (unit <= 0xFF)
            out += QStringLiteral("\\x") + hex(unit, 2);
        else
            out += QStringLiteral("\\u") + hex(unit, 4);
    }
    return out;
}

} // namespace TerminalText
