#include "RestoreFailure.h"

#include <cerrno>

RestoreFailure::Reason RestoreFailure::fromSystemError(int error)
{
    switch (error) {
    case EACCES:
        return Reason::permissionDenied;
    case EXDEV:
        return Reason::onAnotherDrive;
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return Reason::cannotBeChanged;
    case ENOSPC:
    case EDQUOT:
        return Reason::diskFull;
    case ELOOP:
        return Reason::linkOnTheWay;
    case ENOTDIR:
        return Reason::fileOnTheWay;
    default:
        return Reason::other;
    }
}
