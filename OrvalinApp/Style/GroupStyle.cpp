#include "GroupStyle.h"

#include "Messages.h"

namespace GroupStyle {

QString title(OrphanGroup group)
{
    return Messages::groupTitle(group);
}

QString iconName(OrphanGroup group)
{
    switch (group) {
    case OrphanGroup::raw:
        return QStringLiteral("camera.aperture");
    case OrphanGroup::jpeg:
        return QStringLiteral("photo");
    case OrphanGroup::sidecar:
        return QStringLiteral("doc.badge.gearshape");
    }
    return {};
}

QString explanation(OrphanGroup group)
{
    return Messages::groupExplanation(group);
}

} // namespace GroupStyle
