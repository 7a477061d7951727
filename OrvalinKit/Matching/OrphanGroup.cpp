#include "OrphanGroup.h"

namespace OrphanGroups {

const QList<OrphanGroup>& allCases()
{
    static const QList<OrphanGroup> cases { OrphanGroup::raw, OrphanGroup::jpeg,
        OrphanGroup::sidecar };
    return cases;
}

QString rawValue(OrphanGroup group)
{
    switch (group) {
    case OrphanGroup::raw:
        return QStringLiteral("raw");
    case OrphanGroup::jpeg:
        return QStringLiteral("jpeg");
    case OrphanGroup::sidecar:
        return QStringLiteral("sidecar");
    }
    return QStringLiteral("raw");
}

std::optional<OrphanGroup> fromRawValue(QStringView text)
{
    for (OrphanGroup group : allCases()) {
        if (rawValue(group) == text)
            return group;
    }
    return std::nullopt;
}

} // namespace OrphanGroups
