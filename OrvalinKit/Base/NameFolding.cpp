#include "NameFolding.h"

#include <algorithm>

namespace NameFolding {

QString fold(QStringView name)
{
    QString folded;
    appendFolded(name, folded);
    return folded;
}

void appendFolded(QStringView name, QString& text)
{
    // ASCII text is already composed, and its lower case needs no tables.
    const bool ascii
        = std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii) {
        text.append(name.toString().normalized(QString::NormalizationForm_C).toLower());
        return;
    }
    const qsizetype start = text.size();
    text.resize(start + name.size());
    QChar* out = text.data() + start;
    for (QChar c : name) {
        const char16_t unit = c.unicode();
        *out++ = QChar(unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit);
    }
}

} // namespace NameFolding
