#include "RelativePath.h"

#include <QFile>
#include <algorithm>

namespace RelativePath {

QString name(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? path : path.mid(slash + 1);
}

QString folder(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return {};
    const QString folder = path.left(slash);
    return folder == u"." ? QString() : folder;
}

QString extension(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1).toString();
}

bool isFaithfulInBytes(const QString& text)
{
    // Plain ASCII, nearly every name, comes back as it went whatever the file system's encoding.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() - 1u < 0x7Fu; }))
        return true;
    return !text.contains(QChar(0)) && QFile::decodeName(QFile::encodeName(text)) == text;
}

} // namespace RelativePath
