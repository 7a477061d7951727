#include "UnreadableItem.h"

#include "RelativePath.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

QString UnreadableItem::incompleteFolder() const
{
    return isFolder ? relativePath : RelativePath::folder(relativePath);
}

QString UnreadableItem::reasonFor(int error)
{
    // The reasons met on shared and network drives, in the system's words, translated where a
    // translator for the "UnreadableItem" context is installed; any other as the system says it.
    switch (error) {
    case EACCES:
        return QCoreApplication::translate("UnreadableItem", "permission denied");
    case EPERM:
        return QCoreApplication::translate("UnreadableItem", "operation not permitted");
    case EIO:
        return QCoreApplication::translate("UnreadableItem", "input/output error");
    case ESTALE:
        return QCoreApplication::translate("UnreadableItem", "stale file handle");
    case ENOTCONN:
        return QCoreApplication::translate("UnreadableItem", "transport endpoint is not connected");
    default:
        break;
    }
    // The message starts a sentence of its own; here it follows a name.
    QString reason = QString::fromLocal8Bit(std::strerror(error));
    if (reason.size() > 1 && reason.at(1).isLower())
        reason[0] = reason.at(0).toLower();
    return reason;
}
