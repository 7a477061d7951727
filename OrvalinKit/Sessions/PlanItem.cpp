#include "PlanItem.h"

#include "CodingError.h"

#include <QJsonValue>

QJsonObject PlanItem::toJson() const
{
    QJsonObject object { { QStringLiteral("file"), file.toJson() },
        { QStringLiteral("group"), OrphanGroups::rawValue(group) } };
    if (follows)
        object.insert(QStringLiteral("follows"), *follows);
    return object;
}

PlanItem PlanItem::fromJson(const QJsonObject& object)
{
    const QJsonValue file = object.value(u"file");
    const QJsonValue groupText = object.value(u"group");
    const QJsonValue follows = object.value(u"follows");
    if (!file.isObject() || !groupText.isString())
        throw CodingError(QStringLiteral("A plan item lacks its file or group."));
    const std::optional<OrphanGroup> group = OrphanGroups::fromRawValue(groupText.toString());
    if (!group)
        throw CodingError(QStringLiteral("Unknown group “%1”.").arg(groupText.toString()));
    if (!follows.isUndefined() && !follows.isNull() && !follows.isString())
        throw CodingError(QStringLiteral("A plan item’s “follows” is not a text."));
    PlanItem item { FileEntry::fromJson(file.toObject()), *group, std::nullopt };
    if (follows.isString())
        item.follows = follows.toString();
    return item;
}
