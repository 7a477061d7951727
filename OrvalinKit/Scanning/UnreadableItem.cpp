#include "UnreadableItem.h"

#include "RelativePath.h"

#include <cstring>

QString UnreadableItem::incompleteFolder() const
{
    return isFolder ? relativePath : RelativePath::folder(relativePath);
}

QString UnreadableItem::reasonFor(int error)
{
    // The message starts a sentence of its own; here it follows a name.
    QString reason = QString::fromLocal8Bit(std::strerror(error));
    if (reason.size() > 1 && reason.at(1).isLower())
        reason[0] = reason.at(0).toLower();
    return reason;
}
