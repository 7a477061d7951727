#include "NamePattern.h"

namespace NamePattern {

qsizetype digitRunStart(QStringView text, qsizetype end, bool anyScript)
{
    while (end > 0) {
        if (isDigit(text[end - 1])) {
            --end;
        } else if (!anyScript) {
            break;
        } else if (text[end - 1].isDigit()) {
            --end;
        } else if (end > 1 && text[end - 1].isLowSurrogate() && text[end - 2].isHighSurrogate()
            && QChar::isDigit(QChar::surrogateToUcs4(text[end - 2], text[end - 1]))) {
            end -= 2;
        } else {
            break;
        }
    }
    return end;
}

std::optional<qsizetype> suffixStart(QStringView text, std::u16string_view pattern)
{
    std::optional<qsizetype> start;
    matchEnding(text, text.size(), pattern, [&](qsizetype at) {
        if (at > 0)
            start = at;
        return at > 0;
    });
    return start;
}

bool matchesStart(QStringView text, std::u16string_view pattern)
{
    if (text.size() < qsizetype(pattern.size()))
        return false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const QChar c = text[qsizetype(i)];
        if (pattern[i] == u'9' ? !isDigit(c) : c != QChar(pattern[i]))
            return false;
    }
    return true;
}

std::optional<qsizetype> trailingFolders(QStringView folder, std::u16string_view pattern)
{
    std::optional<qsizetype> start;
    matchEnding(folder, folder.size(), pattern, [&](qsizetype at) {
        if (at == 0 || folder[at - 1] == u'/')
            start = at;
        return start.has_value();
    });
    return start;
}

} // namespace NamePattern
