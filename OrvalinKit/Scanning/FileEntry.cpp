#include "FileEntry.h"

#include "CodingError.h"

#include <QJsonValue>

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
