#include "FileEntry.h"

#include "CodingError.h"

#include <QFile>
#include <QJsonValue>

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

QString FileEntry::name() const
{
    return RelativePath::name(relativePath);
}

QString FileEntry::folder() const
{
    return RelativePath::folder(relativePath);
}

QString FileEntry::ext() const
{
    const qsizetype slash = relativePath.lastIndexOf(u'/');
    return RelativePath::extension(QStringView(relativePath).mid(slash + 1));
}

QJsonObject FileEntry::toJson() const
{
    return { { QStringLiteral("relativePath"), relativePath },
        { QStringLiteral("size"), double(size) },
        { QStringLiteral("kind"), FileKinds::rawValue(kind) } };
}

FileEntry FileEntry::fromJson(const QJsonObject& object)
{
    const QJsonValue path = object.value(u"relativePath");
    const QJsonValue size = object.value(u"size");
    const QJsonValue kindText = object.value(u"kind");
    if (!path.isString() || !size.isDouble() || !kindText.isString())
        throw CodingError(QStringLiteral("A file entry lacks its path, size or kind."));
    const std::optional<FileKind> kind = FileKinds::fromRawValue(kindText.toString());
    if (!kind)
        throw CodingError(QStringLiteral("Unknown file kind “%1”.").arg(kindText.toString()));
    return { path.toString(), qint64(size.toDouble()), *kind };
}
